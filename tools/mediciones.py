#!/usr/bin/env python3
"""Converts the USGS pier-scour measurements (Benedict and Caldwell 2014,
Data Series 845; public domain) into validation files of turmado-calc: the
batch's CSV (one pier case a line, codigo 22) plus the columns ys_medida
(measured scour, m), sitio and fecha (the point's name in the window), which
the batch carries through without reading.

    tools/mediciones.py CAMPO.csv LABORATORIO.csv DESTINO/

writes DESTINO/usgs_campo.csv and DESTINO/usgs_laboratorio.csv, each with
the source's "#" lines, then "#" lines on the conversion and the rows left
out by reason.  Python 3 standard library only.

The mapping:
  - feet to metres (0.3048 m/ft), ft/s to m/s;
  - FlujTiraRest = y0; EstrAnchPila = bn, the width normal to the flow;
  - a skewed field pier (skew > 0) is typed as the user types it: its own
    width b, its length L and the skew, so that the program's alignment
    factor Ktheta = (cos a + L/b sin a)^0.62 makes the projection; bn, which
    already holds that projection, would count the skew twice.  Without b or
    L the row is left out.  An aligned pier (skew 0): bn, and L (bn where L
    is missing; at 0 degrees the length changes nothing);
  - a laboratory pier (no shape, length nor skew in the source): circular,
    L = bn, skew 0;
  - EstrFactFormKs: the value of the nose shape's row of the Ks picker
    (read from the program's own table, src/core/problem/untCoeficientes.cpp);
  - SediDiamMedi = D50; SediDiam84N3 = D84, or d84 = d50 sigma_g (a
    log-normal grading: sigma_g = sqrt(d84/d16) = d84/d50) where D84 is
    missing, or d84 = d50 (a uniform bed, sigma = 1, the formulas' own
    value for uniform sand: no reduction for the grading) where the source
    gives neither; the column origen_d84 says which ("D84",
    "d50*sigma_g", "uniforme"), so that either set can be validated apart;
  - a rectangular channel CaucAnchCauc = 100 m wide (wider than every pier)
    with FlujCaud = V0 y0 100, so that the program's U = Q/(B y0) is V0;
  - Manning's n from the stream slope S where it is given, with the
    hydraulic radius taken as y0: n = y0^(2/3) S^(1/2) / V0; otherwise the
    field's default 0.032 (every laboratory row);
  - EstrFactGrup = 1; the other fields keep their defaults.
Rows without an input the pier needs (V0, y0, D50, nose shape, skew, b or
L of a skewed pier), with a zero velocity, depth or width,
labelled cohesive, or with a d50
below the 0.062 mm the program accepts (silt) are left out and counted.
"""

import csv
import math
import os
import re
import sys

PIE = 0.3048  # m/ft
ANCHO_CAUCE = 100.0  # m
MANNING_DEFECTO = "0.032"
D50_MINIMO = 0.062  # mm, the least "Diámetro Medio (d50)" the program accepts

RAIZ = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLA_KS = os.path.join(RAIZ, "src", "core", "problem", "untCoeficientes.cpp")

# Nose shape of the source -> caption of the Ks picker's row.
FORMAS = {
    "round": "Rectangular con nariz semi-circular",
    "semi-circular": "Rectangular con nariz semi-circular",
    "square": "Rectangular",
    "rectangular": "Rectangular",
    "sharp": "Rectangular con nariz aguda 1:2 a 1:4",
    "triangular": "Rectangular con nariz aguda 1:2 a 1:4",
    "cylindrical": "Circular",
    "cylinder": "Circular",
    "circular": "Circular",
}

COLUMNAS = ["codigo", "SediDiamMedi", "SediDiam84N3", "FlujCaud", "CaucAnchCauc", "CaucCoefMannCauc",
            "FlujTiraRest", "EstrAnchPila", "EstrLongPila", "EstrFactFormKs", "EstrFactGrup", "EstrAnguAtaq",
            "origen_d84", "ys_medida", "sitio", "fecha"]


def valores_ks(ruta=TABLA_KS):
    """Caption -> value text of the rows of the Ks picker's table."""
    with open(ruta, encoding="utf-8") as f:
        fuente = f.read()
    inicio = fuente.index('"EstrFactFormKs"')
    bloque = fuente[inicio:fuente.index("}},", inicio)]
    filas = re.findall(r'\{\{"[^"]*", "([^"]+)", "[^"]*"\}, "([^"]+)"\}', bloque)
    return dict(filas)


def numero(texto):
    """The number of a source cell, None when empty or "--" (missing in the source)."""
    texto = (texto or "").strip()
    return float(texto) if texto and texto != "--" else None


def texto(x):
    return "{:.10g}".format(x)


class Omitida(Exception):
    """A row left out; the message is its reason."""


def requerido(fila, columna, motivo):
    v = numero(fila.get(columna))
    if v is None:
        raise Omitida(motivo)
    return v


def caso(d50, granulometria, v0, y0, b, largo, ks, angulo, n, ys, sitio, fecha):
    if min(v0, y0, b, largo) <= 0:
        raise Omitida("V0, y0 o ancho nulos")
    if d50 < D50_MINIMO:
        raise Omitida("d50 menor que 0.062 mm (limo)")
    d84, origen = granulometria
    return {
        "codigo": "22",
        "SediDiamMedi": texto(d50),
        "SediDiam84N3": texto(d84),
        "FlujCaud": texto(v0 * PIE * y0 * PIE * ANCHO_CAUCE),
        "CaucAnchCauc": texto(ANCHO_CAUCE),
        "CaucCoefMannCauc": n,
        "FlujTiraRest": texto(y0 * PIE),
        "EstrAnchPila": texto(b * PIE),
        "EstrLongPila": texto(largo * PIE),
        "EstrFactFormKs": ks,
        "EstrFactGrup": "1",
        "EstrAnguAtaq": texto(angulo),
        "origen_d84": origen,
        "ys_medida": texto(ys * PIE),
        "sitio": sitio,
        "fecha": fecha,
    }


UNIFORME = "uniforme"


def d84_de(fila, d50):
    """(d84 in mm, where it comes from): D84, d50 sigma_g, or d50 for a bed
    the source does not grade."""
    d84 = numero(fila.get("D84_mm"))
    if d84 is not None:
        return d84, "D84"
    sigma = numero(fila.get("sigma_g"))
    if sigma is not None:
        return d50 * sigma, "d50*sigma_g"
    return d50, UNIFORME


def manning(y0_m, v0_ms, pendiente):
    if pendiente is None or pendiente <= 0 or v0_ms <= 0:
        return MANNING_DEFECTO
    return texto(y0_m ** (2.0 / 3.0) * math.sqrt(pendiente) / v0_ms)


def caso_campo(fila, ks_tabla):
    if fila.get("bed_material", "").strip().lower() == "cohesive":
        raise Omitida("lecho cohesivo")
    ys = requerido(fila, "ys_ft", "sin ys")
    v0 = requerido(fila, "V0_ft_s", "sin V0")
    y0 = requerido(fila, "y0_ft", "sin y0")
    d50 = requerido(fila, "D50_mm", "sin D50")
    bn = requerido(fila, "bn_width_normal_to_flow_ft", "sin bn")
    forma = FORMAS.get(fila.get("pier_nose_shape", "").strip().lower())
    if forma is None:
        raise Omitida("sin forma de la nariz")
    angulo = requerido(fila, "skew_deg", "sin ángulo de ataque")
    largo = numero(fila.get("L_pier_length_ft"))
    if angulo > 0:
        b = numero(fila.get("b_nominal_ft"))
        if b is None or largo is None:
            raise Omitida("pila esviada sin ancho propio o sin longitud")
    else:
        b = bn
        largo = bn if largo is None else largo
    return caso(d50, d84_de(fila, d50), v0, y0, b, largo, ks_tabla[forma], angulo,
                manning(y0 * PIE, v0 * PIE, numero(fila.get("stream_slope"))), ys,
                fila.get("site", "").strip() or fila.get("road", "").strip() or fila.get("state", "").strip(),
                fila.get("date", "").strip())


def caso_laboratorio(fila, ks_tabla):
    ys = requerido(fila, "ys_ft", "sin ys")
    v0 = requerido(fila, "V0_ft_s", "sin V0")
    y0 = requerido(fila, "y0_ft", "sin y0")
    d50 = requerido(fila, "D50_mm", "sin D50")
    bn = requerido(fila, "bn_ft", "sin bn")
    return caso(d50, d84_de(fila, d50), v0, y0, bn, bn, ks_tabla["Circular"], 0, MANNING_DEFECTO, ys,
                fila.get("data_source", "").strip(), "")


NOTAS = [
    "# Convertido por tools/mediciones.py: un caso de pila (codigo 22) por fila; pies a metros (0.3048).",
    "# FlujTiraRest = y0; EstrAnchPila = bn (pila esviada: su ancho b, longitud L y ángulo; el factor de",
    "# alineación del programa proyecta). Laboratorio: pila circular, L = bn, ángulo 0. Ks: la fila de la",
    "# tabla de formas del programa según la nariz. SediDiam84N3 = D84, o d50*sigma_g cuando falta D84, o",
    "# d50 (lecho uniforme, sin reducción por gradación) cuando la fuente no da ninguno; origen_d84 dice cuál.",
    "# Cauce rectangular de 100 m: FlujCaud = V0*y0*100. Manning n = y0^(2/3) S^(1/2) / V0 con la pendiente S",
    "# del cauce; sin ella, 0.032. EstrFactGrup = 1. ys_medida: erosión medida, m; sitio y fecha la nombran.",
]


def convertir(origen, destino, hacer_caso, ks_tabla):
    """Writes the validation file; returns (rows written, {reason: count})."""
    with open(origen, encoding="utf-8", newline="") as f:
        lineas = f.read().splitlines()
    procedencia = [l for l in lineas if l.startswith("#")]
    datos = [l for l in lineas if not l.startswith("#")]
    casos, omitidas = [], {}
    for fila in csv.DictReader(datos):
        try:
            casos.append(hacer_caso(fila, ks_tabla))
        except Omitida as e:
            omitidas[str(e)] = omitidas.get(str(e), 0) + 1
    with open(destino, "w", encoding="utf-8", newline="") as f:
        for l in procedencia + NOTAS:
            f.write(l + "\n")
        resumen = ", ".join("%s: %d" % (m, n) for m, n in sorted(omitidas.items()))
        uniformes = sum(1 for c in casos if c["origen_d84"] == UNIFORME)
        f.write("# Filas convertidas: %d, %d de ellas con d84 = d50 (uniforme); omitidas: %d (%s)\n"
                % (len(casos), uniformes, sum(omitidas.values()), resumen or "ninguna"))
        escritor = csv.DictWriter(f, fieldnames=COLUMNAS, lineterminator="\n")
        escritor.writeheader()
        escritor.writerows(casos)
    return len(casos), omitidas


def main(argv):
    if len(argv) != 4:
        sys.stderr.write("Uso: mediciones.py CAMPO.csv LABORATORIO.csv DESTINO/\n")
        return 2
    ks_tabla = valores_ks()
    os.makedirs(argv[3], exist_ok=True)
    for origen, nombre, hacer in ((argv[1], "usgs_campo.csv", caso_campo),
                                  (argv[2], "usgs_laboratorio.csv", caso_laboratorio)):
        n, omitidas = convertir(origen, os.path.join(argv[3], nombre), hacer, ks_tabla)
        print("%s: %d filas; omitidas %s" % (nombre, n, omitidas))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
