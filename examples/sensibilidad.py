#!/usr/bin/python3
"""Sensibilidad de la erosión junto a una pila al caudal, dibujada con
matplotlib.

    sensibilidad.py [IMAGEN.png]

Sin IMAGEN abre una ventana con el gráfico."""

import sys

import matplotlib

if len(sys.argv) > 1:
    matplotlib.use("Agg")
import matplotlib.pyplot as plt

import turmado

pila = dict(EstrAnchPila=1.5, EstrLongPila=6, EstrFactFormKs=1, EstrFactGrup=1)
estudio = turmado.barrido(22, "FlujCaud", 100, 3000, 60, log=True, **pila)

fig, ejes = plt.subplots(figsize=(8, 5))
for clave in [c for c in estudio.columns if c.startswith("ys_")]:
    formula = clave.removeprefix("ys_pila_").removesuffix("_m")  # ys_pila_csu_m: csu
    formula = formula.upper() if len(formula) <= 3 else formula.capitalize()
    ejes.plot(estudio["FlujCaud"], estudio[clave], label=formula)
ejes.set_xscale("log")
ejes.set_xlabel("Caudal [m^3/s]")
ejes.set_ylabel("Erosión máxima de equilibrio [m]")
ejes.set_title("Pila de 1.5 m: erosión según el caudal")
ejes.grid(True, which="both", alpha=0.3)
ejes.legend()
if len(sys.argv) > 1:
    fig.savefig(sys.argv[1], dpi=120, bbox_inches="tight")
else:
    plt.show()
