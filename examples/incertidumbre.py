#!/usr/bin/python3
"""Curvas de excedencia de la erosión junto a una pila con el caudal y el d50
inciertos, dibujadas con matplotlib: la profundidad de cada fórmula y de la
envolvente contra la probabilidad de ser superada, y la fundación marcada.

    incertidumbre.py [IMAGEN.png]

Sin IMAGEN abre una ventana con el gráfico."""

import sys

import matplotlib
import numpy

if len(sys.argv) > 1:
    matplotlib.use("Agg")
import matplotlib.pyplot as plt

import turmado

pila = dict(EstrAnchPila=1.5, EstrLongPila=6, EstrFactFormKs=1, EstrFactGrup=1)
fundacion = 3.0
resumen, muestras = turmado.incertidumbre(
    22, {"FlujCaud": "lognormal:*:0.3", "SediDiamMedi": "lognormal:*:0.4"},
    muestras=20000, fundacion=fundacion, con_muestras=True, **pila)
print(resumen.to_string(index=False))

fig, ejes = plt.subplots(figsize=(8, 5))
for formula in resumen["formula"]:
    y = numpy.sort(muestras[formula].dropna().to_numpy())
    n = len(y)
    # The i-th of n sorted depths is exceeded with probability (n - i - 1/2) / n.
    p = (n - numpy.arange(n) - 0.5) / n
    ejes.plot(y, p, label=formula, linewidth=2.5 if formula == "envolvente" else 1.5,
              color="black" if formula == "envolvente" else None)
ejes.axvline(fundacion, color="gray", linestyle="--", label=f"fundación ({fundacion:g} m)")
ejes.set_yscale("log")
ejes.set_xlabel("Erosión máxima de equilibrio [m]")
ejes.set_ylabel("Probabilidad de excedencia")
ejes.set_title(f"Pila de 1.5 m: {resumen.attrs['muestras']} muestras (semilla {resumen.attrs['semilla']})")
ejes.grid(True, which="both", alpha=0.3)
ejes.legend()
if len(sys.argv) > 1:
    fig.savefig(sys.argv[1], dpi=120, bbox_inches="tight")
else:
    plt.show()
