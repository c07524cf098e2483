#!/usr/bin/env bash
# Runs a command on a new virtual X display (xvfb-run picks a free one)
# managed by openbox.  The window tests whose focus handling depends on a
# real window manager (it gives the focus back when a message box closes)
# run once more this way.
set -euo pipefail
if [ "${1:-}" != "--dentro" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --dentro "$@"
fi
shift
listo=$(mktemp)
rm -f "$listo"
openbox --startup "touch $listo" >/dev/null 2>&1 &
gestor=$!
trap 'kill "$gestor" 2>/dev/null || true; rm -f "$listo"' EXIT
for _ in $(seq 100); do [ -e "$listo" ] && break; sleep 0.1; done
estado=0
QT_QPA_PLATFORM=xcb "$@" || estado=$?
exit "$estado"
