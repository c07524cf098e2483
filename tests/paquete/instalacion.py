#!/usr/bin/env python3
"""`cmake --install BUILD --prefix P` into a temporary prefix: every file in
its place and nothing else, the desktop entry, AppStream metainfo and MIME
type valid, the icons of their sizes, and the installed turmado-calc
computing the default problem.

    instalacion.py BUILD VERSION"""

import os
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ in the sources
from comun import MODULO, comprobar_prefijo, ejecutar


def main(construccion, version):
    with tempfile.TemporaryDirectory() as prefijo:
        r = ejecutar("cmake", "--install", construccion, "--prefix", prefijo)
        if r.returncode != 0:
            print(r.stdout, r.stderr)
            return 1
        fallas = comprobar_prefijo(prefijo, version)
        # The installed command runs from its own folder and computes.
        calculo = ejecutar(os.path.join(prefijo, "bin", "turmado-calc"), cwd=prefijo)
        fallas.comprobar(calculo.returncode == 0 and "Movilidad (Shields) Crítica\t" in calculo.stdout,
                         f"turmado-calc instalado: estado {calculo.returncode}\n{calculo.stdout}{calculo.stderr}")
        # The installed Python module imports from the prefix and computes.
        if MODULO:
            carpeta = os.path.join(prefijo, os.path.dirname(MODULO))
            modulo = ejecutar(os.environ["TURMADO_PYTHON"], "-c", "import turmado; print(turmado.__file__); "
                              "print(turmado.resolver(22, EstrFactFormKs=1, EstrFactGrup=1).titulo)",
                              cwd=prefijo, env={**os.environ, "PYTHONPATH": carpeta})
            fallas.comprobar(modulo.returncode == 0 and modulo.stdout.splitlines() ==
                             [os.path.join(carpeta, os.path.basename(MODULO)), "Problema de la Pila"],
                             f"módulo instalado: estado {modulo.returncode}\n{modulo.stdout}{modulo.stderr}")
    for f in fallas:
        print("FALLA:", f)
    return 1 if fallas else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
