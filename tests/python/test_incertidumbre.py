"""incertidumbre() against turmado-calc --incierto --json for the same seed,
its closed-form cases, and its refusals with the program's messages."""

import math
import signal
import subprocess
import sys
import time

import pytest

import turmado
from conftest import calc

PILA = {"EstrAnchPila": 1.5, "EstrLongPila": 6, "EstrFactFormKs": 1, "EstrFactGrup": 1}
CLI_PILA = ["--codigo", "22"] + [f"{k}={v}" for k, v in PILA.items()]
CLAVES = ["formula", "media", "desvio", "p05", "p50", "p90", "p95", "p99"]


def igual(a, b):
    # JSON has no NaN: turmado-calc writes null for it.
    return (b is None and math.isnan(a)) or a == b


# The study's options as incertidumbre() takes them, and as turmado-calc's arguments.
ESTUDIOS = [
    ("caudal lognormal", {"inciertos": {"FlujCaud": "lognormal:*:0.3"}, "muestras": 500},
     ["--incierto", "FlujCaud=lognormal:*:0.3", "--muestras", "500"]),
    ("dos campos, fundación, semilla", {"inciertos": ["FlujCaud=lognormal:*:0.3", "SediDiamMedi=lognormal:*:0.4"],
                                        "muestras": 2000, "semilla": 42, "fundacion": 3},
     ["--incierto", "FlujCaud=lognormal:*:0.3", "--incierto", "SediDiamMedi=lognormal:*:0.4", "--muestras", "2000",
      "--semilla", "42", "--fundacion", "3"]),
    ("tuplas, error de fórmula, un hilo", {"inciertos": {"FlujTiraRest": ("uniforme", 2, 6),
                                                          "EstrAnchPila": ("triangular", 1, 1.5, 2.5)},
                                            "modelo": {"CSU": (1.2, 0.3), "Johnson": "1:0.5"}, "hilos": 1,
                                            "semilla": 0, "fundacion": "2.5"},
     ["--incierto", "FlujTiraRest=uniforme:2:6", "--incierto", "EstrAnchPila=triangular:1:1.5:2.5",
      "--modelo", "CSU=1.2:0.3", "--modelo", "Johnson=1:0.5", "--semilla", "0", "--fundacion", "2.5"]),
    ("muestras rechazadas", {"inciertos": {"EstrAnchPila": "normal:*:0.8"}, "muestras": 300},
     ["--incierto", "EstrAnchPila=normal:*:0.8", "--muestras", "300"]),
]


@pytest.mark.filterwarnings("ignore::UserWarning")
@pytest.mark.parametrize("nombre, opciones, cli", ESTUDIOS, ids=[e[0] for e in ESTUDIOS])
def test_da_lo_que_turmado_calc_incierto_json(nombre, opciones, cli, calc_json):
    esperado = calc_json(*CLI_PILA, *cli)["incertidumbre"]
    opciones = dict(opciones)
    r = turmado.incertidumbre(22, opciones.pop("inciertos"), **opciones, **PILA)
    claves = CLAVES + (["prob_fundacion"] if "fundacion" in opciones else []) + ["fuera_calibracion", "sin_rangos"]
    assert list(r.columns) == claves
    filas = r.to_dict("records")
    assert [f["formula"] for f in filas] == [f["formula"] for f in esperado["formulas"]]
    assert filas[-1]["formula"] == "envolvente"
    distintos = [(f["formula"], k) for f, g in zip(filas, esperado["formulas"]) for k in claves
                 if not igual(f[k], g[k])]
    assert distintos == []
    for k in ("muestras", "rechazadas", "fallidas", "semilla"):
        assert r.attrs[k] == esperado[k], k


def test_muestras_rechazadas_se_cuentan_y_se_avisan():
    with pytest.warns(UserWarning, match="muestras con un valor que su campo no admite") as avisos:
        r = turmado.incertidumbre(22, {"EstrAnchPila": "normal:*:0.8"}, muestras=300, **PILA)
    assert 0 < r.attrs["rechazadas"] < 300
    assert r.attrs["primer_rechazo"].startswith("EstrAnchPila = -")
    assert r.attrs["primer_rechazo"] in str(avisos[0].message)


def test_mismos_bits_con_un_hilo_y_con_varios():
    a, ma = turmado.incertidumbre(22, {"FlujCaud": "lognormal:*:0.3"}, modelo={"CSU": (1, 0.2)}, hilos=1,
                                  con_muestras=True, **PILA)
    b, mb = turmado.incertidumbre(22, {"FlujCaud": "lognormal:*:0.3"}, modelo={"CSU": (1, 0.2)}, hilos=3,
                                  con_muestras=True, **PILA)
    assert a.equals(b)
    assert ma.equals(mb)


def test_cv_cero_da_el_calculo_unico():
    uno = turmado.resolver(22, **PILA)
    r = turmado.incertidumbre(22, {"FlujCaud": "normal:*:0", "SediDiamMedi": "lognormal:*:0"}, muestras=100, **PILA)
    profundidades = [v for v in uno.profundidades.values() if v is not None]
    # The formulas in slot order, as the results rows give them.
    assert list(r["p50"][:-1]) == profundidades
    for k in ("media", "p05", "p50", "p99"):
        assert list(r[k]) == profundidades + [max(profundidades)], k
    assert list(r["desvio"]) == [0] * len(r)


def test_las_muestras_de_cada_campo_y_formula():
    r, m = turmado.incertidumbre(22, {"FlujCaud": "uniforme:1000:3000"}, muestras=1000, con_muestras=True, **PILA)
    assert list(m.columns) == ["FlujCaud"] + list(r["formula"])
    assert len(m) == 1000
    # Latin hypercube: one sample in each of the 1000 strata of equal probability.
    estratos = sorted(int((x - 1000) / 2) for x in m["FlujCaud"])
    assert estratos == list(range(1000))
    formulas = list(r["formula"][:-1])
    assert (m["envolvente"] == m[formulas].max(axis=1)).all()
    assert m["CSU"].median() == pytest.approx(r.loc[r["formula"] == "CSU", "p50"].item())


# Refusals: the exception, words of its message, and turmado-calc's arguments
# for the same options when it has them (its message then holds the module's).
ERRORES = [
    ({"inciertos": {"FlujCaud": "gamma:*:0.3"}}, ValueError, "Distribución desconocida: gamma",
     ["--incierto", "FlujCaud=gamma:*:0.3"]),
    ({"inciertos": {"FlujCaud": "lognormal:*"}}, ValueError, "", ["--incierto", "FlujCaud=lognormal:*"]),
    ({"inciertos": {"Nada": "normal:1:0.1"}}, ValueError, "Campo desconocido: Nada",
     ["--incierto", "Nada=normal:1:0.1"]),
    ({"inciertos": {"AltuRugoCauc": "normal:1:0.1"}}, ValueError, "El problema no lee el campo AltuRugoCauc.",
     ["--incierto", "AltuRugoCauc=normal:1:0.1"]),
    ({"inciertos": {"EstrAnchPila": ("uniforme", 3, 1)}}, ValueError, "EstrAnchPila",
     ["--incierto", "EstrAnchPila=uniforme:3:1"]),
    ({"inciertos": {"FlujCaud": "lognormal:-1:0.3"}}, ValueError, "FlujCaud", ["--incierto", "FlujCaud=lognormal:-1:0.3"]),
    ({"inciertos": {"FlujCaud": "normal:*:abc"}}, ValueError, "debe ser un número", ["--incierto", "FlujCaud=normal:*:abc"]),
    ({"modelo": {"XYZ": "1:0.3"}}, ValueError, "El problema no tiene activa la fórmula XYZ", ["--modelo", "XYZ=1:0.3"]),
    ({"modelo": {"CSU": (0, 0.3)}}, ValueError, "El sesgo de CSU debe ser un número mayor que 0.",
     ["--modelo", "CSU=0:0.3"]),
    ({"modelo": ["CSU"]}, ValueError, "FORMULA=SESGO:CV", ["--modelo", "CSU"]),
    ({"muestras": 50}, ValueError, "muestras: se espera un número entero de 100 a 1000000", None),
    ({"muestras": 1.5}, ValueError, "muestras: se espera un número entero de 100 a 1000000", None),
    ({"semilla": -1}, ValueError, "semilla: se espera un número entero de 0 a 9007199254740992", None),
    ({"semilla": True}, ValueError, "semilla: se espera un número entero", None),
    ({"fundacion": 0}, ValueError, "fundacion: se espera una profundidad en metros mayor que 0", None),
    ({"hilos": 0}, ValueError, "hilos: se espera un número entero de 1 a 256", None),
    ({"inciertos": {}}, ValueError, "inciertos: falta al menos un campo incierto", None),
    ({"inciertos": 3}, TypeError, "inciertos: se espera un diccionario o una lista de textos", None),
    ({"inciertos": {"FlujCaud": 3}}, TypeError, "FlujCaud: se espera un texto o una tupla de sus partes", None),
    # The same field or formula twice: refused, never the later one kept.
    ({"inciertos": ["FlujCaud=lognormal:*:0.3", "FlujCaud=normal:*:0.1"]}, ValueError,
     "El campo FlujCaud figura dos veces entre los inciertos",
     ["--incierto", "FlujCaud=lognormal:*:0.3", "--incierto", "FlujCaud=normal:*:0.1"]),
    ({"modelo": ["CSU=1:0.3", "CSU=1.2:0.3"]}, ValueError,
     "La fórmula CSU figura dos veces entre los errores de las fórmulas", ["--modelo", "CSU=1:0.3", "--modelo", "CSU=1.2:0.3"]),
    ({"modelo": {"CSU": (1e308, 0)}}, ValueError, "El sesgo de CSU debe ser a lo sumo 100", ["--modelo", "CSU=1e308:0"]),
    # Every sample rejected: no study, as the batch says.
    ({"inciertos": {"SediDiamMedi": "uniforme:-5:-1"}}, ValueError, "Ninguna muestra se pudo calcular: 100",
     ["--incierto", "SediDiamMedi=uniforme:-5:-1"]),
    # A seed is kept exactly or refused, never rounded to a neighbour.
    ({"semilla": 2**53 + 1}, ValueError, "semilla: se espera un número entero de 0 a 9007199254740992", None),
    # Values pybind11 would turn into RuntimeError: the module's own errors.
    ({"hilos": 10**30}, ValueError, "hilos: se espera un número entero de 1 a 256", None),
    ({"chorro": 10**30}, ValueError, "chorro: debe ser 0, 1 o None", None),
    ({"EstrAnchPila": "\udcff"}, ValueError, "no se puede escribir en UTF-8", None),
    ({"EstrAnchPila": "abc"}, turmado.TextoRechazado, "EstrAnchPila: El valor ingresado no es válido.", None),
    ({"AguaTemp": -20}, turmado.FalloNumerico, "Floating point division by zero", None),
]


@pytest.mark.parametrize("opciones, error, mensaje, cli", ERRORES, ids=lambda x: repr(x)[:50] if isinstance(x, dict) else "")
def test_errores_con_el_mensaje_del_programa(opciones, error, mensaje, cli):
    argumentos = {"inciertos": {"FlujCaud": "lognormal:*:0.3"}, "muestras": 100, **PILA, **opciones}
    with pytest.raises(error) as e:
        turmado.incertidumbre(22, argumentos.pop("inciertos"), **argumentos)
    assert mensaje in str(e.value)
    if cli is not None:
        base = [] if cli[0] == "--incierto" else ["--incierto", "FlujCaud=lognormal:*:0.3"]
        r = calc(*CLI_PILA, "--muestras", "100", *base, *cli)
        assert r.returncode == 2
        assert str(e.value) in r.stderr


def test_ctrl_c_detiene_un_estudio_largo():
    # A million samples on one thread take several seconds; Ctrl+C stops the
    # study between blocks of samples, not at its end.
    hijo = subprocess.Popen(
        [sys.executable, "-c", """
import signal, sys, turmado
signal.signal(signal.SIGINT, signal.default_int_handler)
print("empieza", flush=True)
try:
    turmado.incertidumbre(22, {"FlujCaud": "lognormal:*:0.3"}, muestras=1000000, hilos=1,
                          EstrFactFormKs=1, EstrFactGrup=1)
    print("terminó")
except KeyboardInterrupt:
    print("interrumpido")
"""], stdout=subprocess.PIPE, text=True)
    assert hijo.stdout.readline() == "empieza\n"
    time.sleep(0.5)
    hijo.send_signal(signal.SIGINT)
    inicio = time.monotonic()
    salida, _ = hijo.communicate(timeout=60)
    assert salida == "interrumpido\n"
    assert time.monotonic() - inicio < 2
