#!/usr/bin/python3
"""Wall time of turmado.lote on a pier DataFrame against turmado-calc --lote
on the same cases, and of the Dask inventory script on a local cluster of
two workers against --lote, as ratios (the median of a few runs each).

    PYTHONPATH=build/python bench/bench_python.py build/turmado-calc [FILAS] [FILAS_DASK]"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

import pandas

import turmado

EJEMPLOS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples")


def medir(funcion, veces=3):
    tiempos = []
    for _ in range(veces):
        inicio = time.perf_counter()
        funcion()
        tiempos.append(time.perf_counter() - inicio)
    return statistics.median(tiempos)


def main(calc, filas=1_000_000, filas_dask=200_000):
    filas, filas_dask = int(filas), int(filas_dask)
    with tempfile.TemporaryDirectory() as carpeta:
        pilas = os.path.join(carpeta, "pilas.csv")
        tabla = pandas.DataFrame({"codigo": 22, "FlujCaud": [str(200 + i % 2000) for i in range(filas)],
                                  "EstrFactFormKs": "1", "EstrFactGrup": "1"})
        tabla.to_csv(pilas, index=False)
        nulo = open(os.devnull, "w")
        cli = medir(lambda: subprocess.run([calc, "--lote", pilas], stdout=nulo, check=True))
        modulo = medir(lambda: turmado.lote(tabla))
        print(f"{filas} pilas: turmado-calc --lote {cli:.2f} s, turmado.lote {modulo:.2f} s, "
              f"razón {modulo / cli:.2f}")

        mezcla = os.path.join(carpeta, "mezcla.csv")
        tipos = ["22,,8.75,30,1,1", "31,,8.75,30,1,1", "21,,8.75,30,1,1", "12,,4.5,30,1,1", "11,1,0,30,1,1"]
        with open(mezcla, "w") as f:
            f.write("codigo,chorro,EstrLongPlat,SediAnguRepo,EstrFactFormKs,EstrFactGrup,FlujCaud\n")
            for i in range(filas_dask):
                f.write(f"{tipos[i % len(tipos)]},{200 + i % 997}\n")
        cli = medir(lambda: subprocess.run([calc, "--lote", mezcla], stdout=nulo, check=True), 1)
        salida = os.path.join(carpeta, "salida.csv")
        dask = medir(lambda: subprocess.run([sys.executable, os.path.join(EJEMPLOS, "inventario_dask.py"), mezcla,
                                             salida, "--trabajadores", "2"], check=True,
                                            stderr=subprocess.DEVNULL), 1)
        print(f"{filas_dask} casos mezclados: turmado-calc --lote {cli:.2f} s, Dask con 2 trabajadores {dask:.2f} s, "
              f"razón {dask / cli:.2f}")


if __name__ == "__main__":
    main(*sys.argv[1:])
