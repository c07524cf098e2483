#!/usr/bin/env python3
"""Serves the built page (build-web/sitio) on http://127.0.0.1:PORT/ and
prints the address.  Usage: servir.py [CARPETA] [PUERTO]; port 0 takes a free
one."""
import functools
import http.server
import sys

carpeta = sys.argv[1] if len(sys.argv) > 1 else "build-web/sitio"
puerto = int(sys.argv[2]) if len(sys.argv) > 2 else 8000


class Manejador(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript", ".svg": "image/svg+xml"}

    def log_message(self, *args):
        pass


servidor = http.server.ThreadingHTTPServer(("127.0.0.1", puerto), functools.partial(Manejador, directory=carpeta))
print(f"turmado en el navegador: http://127.0.0.1:{servidor.server_address[1]}/", flush=True)
try:
    servidor.serve_forever()
except KeyboardInterrupt:
    pass
