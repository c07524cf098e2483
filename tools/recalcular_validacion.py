#!/usr/bin/env python3
"""Recomputes the figures of `turmado-calc --validar FILE` from the batch
output of the same file (`--lote FILE --numeros completos`) and checks that
they agree.

    tools/recalcular_validacion.py TURMADO-CALC FILE.csv

For each formula of the validation the batch column of its equilibrium depth
is the one whose caption starts with "Erosi" and ends with "(FORMULA)".  A
row counts when that depth is above zero and ys_medida is a number.  Prints
the recomputed table; exits 1 when a figure differs (relative 1e-12)."""

import csv
import io
import json
import math
import subprocess
import sys


def estadistica(cocientes):
    c = sorted(cocientes)
    n = len(c)
    media = sum(c) / n

    def cuantil(p):
        h = (n - 1) * p
        i = math.floor(h)
        return c[-1] if i + 1 >= n else c[i] + (h - i) * (c[i + 1] - c[i])

    cv = math.sqrt(sum((x - media) ** 2 for x in c) / (n - 1)) / media if n >= 2 else None
    return {"n": n, "sesgo": media, "mediana": cuantil(0.5), "cv": cv,
            "subestimados": sum(1 for x in c if x > 1) / n, "r95": cuantil(0.95)}


def numero(texto):
    try:
        return float(texto)
    except ValueError:
        return None


def main(argv):
    calc, archivo = argv[1], argv[2]
    validacion = json.loads(subprocess.run([calc, "--validar", archivo, "--json"], check=True,
                                           capture_output=True, text=True).stdout)["validacion"]
    lote = subprocess.run([calc, "--lote", archivo, "--numeros", "completos", "--columnas", "textos"], capture_output=True, text=True)
    filas = list(csv.DictReader(io.StringIO(lote.stdout)))
    fallos = 0
    print("formula\tn\tsesgo\tmediana\tcv\tsubestimados\tr95")
    for f in validacion["formulas"]:
        columna = next(c for c in filas[0] if c.startswith("Erosi") and c.endswith("(%s)" % f["formula"]))
        cocientes = []
        for fila in filas:
            medida, calculada = numero(fila["ys_medida"]), numero(fila[columna] or "")
            if medida is not None and calculada is not None and calculada > 0:
                cocientes.append(medida / calculada)
        e = estadistica(cocientes)
        print("\t".join([f["formula"]] + [str(e[k]) for k in ("n", "sesgo", "mediana", "cv", "subestimados", "r95")]))
        for clave, valor in e.items():
            otro = f[clave]
            if (valor is None) != (otro is None) or (valor is not None and
                                                       not math.isclose(valor, otro, rel_tol=1e-12, abs_tol=0)):
                print("difiere %s %s: --validar %r, recalculado %r" % (f["formula"], clave, otro, valor))
                fallos += 1
    rechazadas = sum(r["filas"] for r in validacion["rechazados"])
    if len(filas) + rechazadas != validacion["casos"]:
        print("difieren las filas: %d calculadas + %d rechazadas, %d casos" % (len(filas), rechazadas,
                                                                             validacion["casos"]))
        fallos += 1
    return 1 if fallos else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
