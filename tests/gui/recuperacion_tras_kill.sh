#!/usr/bin/env bash
# The real program killed with SIGKILL while a value is being typed: the next
# start offers the problem, and "Recuperar" brings its texts back.  Locks
# that are a FIFO or a link to /dev/zero, left in the folder by someone
# else, neither hold up the start nor go away; a box names them.  Runs on a
# display with a window manager (tools/con-openbox.sh); the keys go through
# the X server with xdotool, as a user's do.  Everything the program writes
# goes to a temporary home.
#
#   recuperacion_tras_kill.sh TURMADO
set -euo pipefail
programa=$1
tmp=$(mktemp -d)
pid=""
terminar() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null || true
  rm -rf "$tmp"
}
trap terminar EXIT
export HOME=$tmp XDG_DATA_HOME=$tmp/datos XDG_CONFIG_HOME=$tmp/config
export TURMADO_RECUPERACION_MS=500
carpeta=$XDG_DATA_HOME/turmado/recuperacion

fallar() { echo "FALLO: $*" >&2; ls -la "$carpeta" >&2 2>/dev/null || true; exit 1; }

# Waits up to `segundos` for a command to succeed.
esperar() {
  local segundos=$1; shift
  for _ in $(seq $((segundos * 10))); do "$@" && return 0; sleep 0.1; done
  return 1
}

# The copy of the window written by `pid` holds `texto` in the discharge.
copia_con() { grep -qs "\"FlujCaud\": \"$2\"" "$carpeta/$1"-*.turmado; }

# Starts the program and closes its intro window with Enter.
arrancar() {
  "$programa" >"$tmp/salida-$1.txt" 2>&1 &
  pid=$!
  local intro
  intro=$(timeout 20 xdotool search --sync --onlyvisible --name "NORVA - TURMADO") || fallar "no apareció la ventana de presentación"
  xdotool windowactivate --sync "$intro" key Return
  sleep 1
}

arrancar primera
primera=$pid
# A calculation window; Tab leads from its tabs into the first field, then
# five more Tabs to the discharge.  The value stays typed, not left.
xdotool key ctrl+n
sleep 1
xdotool key Tab Tab Tab Tab Tab Tab ctrl+a
xdotool type --delay 50 "2345"
esperar 10 copia_con "$primera" 2345 || fallar "no se escribió la copia de recuperación"
[ -e "$carpeta/$primera.bloqueo" ] || fallar "sin el bloqueo del programa en curso"

kill -9 "$primera"
wait "$primera" 2>/dev/null || true
pid=""

mkfifo "$carpeta/999999.bloqueo"
ln -s /dev/zero "$carpeta/999998.bloqueo"

arrancar segunda
segunda=$pid
timeout 20 xdotool search --sync --onlyvisible --name "^turmado$" >/dev/null || fallar "no se ofreció recuperar el problema"
xdotool key Return  # "Recuperar", the default button
esperar 10 copia_con "$segunda" 2345 || fallar "el problema recuperado no tiene el caudal escrito"
# Then the box that names what is not the program's.
timeout 20 xdotool search --sync --onlyvisible --name "^turmado$" >/dev/null || fallar "no se nombraron los bloqueos ajenos"
xdotool key Return
! ls "$carpeta/$primera"-*.turmado >/dev/null 2>&1 || fallar "la copia anterior sigue ahí"
[ ! -e "$carpeta/$primera.bloqueo" ] || fallar "el bloqueo del programa terminado sigue ahí"
[ -p "$carpeta/999999.bloqueo" ] && [ -L "$carpeta/999998.bloqueo" ] || fallar "se borraron los bloqueos ajenos"
echo "recuperado: $(grep '"FlujCaud"' "$carpeta/$segunda"-*.turmado)"
