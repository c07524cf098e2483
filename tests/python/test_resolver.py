"""resolver(), campos() and barrido() against turmado-calc on the same
problems, and the errors as exceptions."""

import csv
import io
import json
import math

import pytest

import turmado
from conftest import DATOS, calc

# One case of each final problem code: the wizard answers, the jet answer and
# the fields that decide the protection and activate the formulas.
with open(f"{DATOS}/codigos.csv", encoding="utf-8") as f:
    CASOS = [{k: v for k, v in fila.items() if v != ""} for fila in csv.DictReader(f)]
CASOS.append({"codigo": "22", "rugosidad": "1", "EstrFactFormKs": "1", "EstrFactGrup": "1"})


def argumentos(caso):
    """The case as turmado-calc's arguments and as resolver()'s."""
    campos = {k: v for k, v in caso.items() if k not in ("codigo", "chorro", "rugosidad")}
    cli = ["--codigo", caso["codigo"]] if caso["codigo"] != "0" else []
    py = {"rugosidad": "rugosidad" in caso}
    if "rugosidad" in caso:
        cli.append("--rugosidad")
    if "chorro" in caso:
        cli += ["--chorro", caso["chorro"]]
        py["chorro"] = int(caso["chorro"])
    cli += [f"{k}={v}" for k, v in campos.items()]
    return cli, int(caso["codigo"]), {**py, **campos}


def igual(a, b):
    # JSON has no NaN: turmado-calc writes null for it.
    return (b is None and math.isnan(a)) or a == b


@pytest.mark.parametrize("caso", CASOS, ids=lambda c: "-".join(f"{v}" for v in c.values()))
def test_resolver_da_lo_que_turmado_calc_json(caso):
    cli, codigo, py = argumentos(caso)
    salida = calc("--json", *cli)
    if salida.returncode != 0:  # refused there, refused here with the core's words
        with pytest.raises(ValueError) as e:
            turmado.resolver(codigo, **py)
        assert str(e.value).split(":")[0] in salida.stderr
        return
    esperado = json.loads(salida.stdout)
    r = turmado.resolver(codigo, **py)
    assert r.codigo == esperado["codigo"]
    assert r.titulo == esperado["titulo"]
    assert [list(f) for f in r.filas] == esperado["filas"]
    assert r.registro.keys() == esperado["registro"].keys()
    distintos = [k for k, v in r.registro.items() if not igual(v, esperado["registro"][k])]
    assert distintos == []
    assert r.mensajes == esperado["mensajes"]
    assert [a["estado"] for a in r.avisos] == [a["estado"] for a in esperado["avisos"]]
    assert [{"campo": d["campo"], "mensaje": d["mensaje"]} for d in r.datos] == esperado["datos"]
    assert r.curvas is None


def test_curvas_y_profundidades_de_una_pila(calc_json):
    esperado = calc_json("--codigo", "22", "EstrAnchPila=1.5", "EstrLongPila=6", "EstrFactFormKs=1", "EstrFactGrup=1")
    r = turmado.resolver(22, EstrAnchPila=1.5, EstrLongPila=6, EstrFactFormKs=1, EstrFactGrup=1, curvas=True)
    for serie, curva in zip(esperado["series"], r.curvas):
        assert curva["titulo"] == serie["titulo"]
        assert [[t, y] for t, y in zip(curva["tiempo_h"], curva["profundidad_m"])] == serie["puntos"]
    assert any(len(c["tiempo_h"]) for c in r.curvas)
    # Each formula's depth by its key is the number its row shows rounded.
    filas = {f[0]: f[1] for f in r.filas}
    assert set(r.profundidades) == {"ys_pila_breusers_m", "ys_pila_csu_m", "ys_pila_johnson_m"}
    assert f"{r.profundidades['ys_pila_csu_m']:.2f}" == filas["Erosión máxima de equilibrio (CSU)"]
    assert "Problema de la Pila" in repr(r)


@pytest.mark.parametrize("campo, valor, mensaje", [
    ("EstrAnchPila", "abc", "El valor ingresado no es válido."),
    ("EstrAnchPila", 0, "El valor ingresado no es válido."),
    ("SediDiamMedi", 0.01, "Solo se considera sedimento no cohesivo (d50 > 62 micr)"),
    ("AguaDens", "1,5", "El valor ingresado no es válido."),
    ("FlujCaud", float("inf"), "El valor ingresado no es válido."),
])
def test_un_texto_rechazado_nombra_su_campo(campo, valor, mensaje):
    with pytest.raises(turmado.TextoRechazado) as e:
        turmado.resolver(22, **{campo: valor})
    assert e.value.campo == campo
    assert str(e.value) == f"{campo}: {mensaje}"
    assert isinstance(e.value, ValueError)


@pytest.mark.parametrize("llamada, error, mensaje", [
    (lambda: turmado.resolver(22, AguaTemp=-20), turmado.FalloNumerico, "Floating point division by zero"),
    (lambda: turmado.resolver(12, FlujTiraRest=1e308), turmado.FalloNumerico, "Floating point overflow"),
    (lambda: turmado.resolver(22, Nada=1), TypeError, "campo desconocido: Nada"),
    # A name from outside is shown escaped, never as raw terminal bytes.
    (lambda: turmado.resolver(22, **{"Flu\x1b[2JjCaud": 1}), TypeError, "campo desconocido: Flu\\x1b[2JjCaud"),
    (lambda: turmado.resolver(22, EstrAnchPila=[1]), TypeError, "EstrAnchPila: se espera un número o un texto"),
    (lambda: turmado.resolver(23), ValueError, "codigo: debe ser 0, 1, 2, 3, 11, 12, 21, 22 o 31"),
    (lambda: turmado.resolver(11, EstrLongPlat=0), ValueError, "la protección es insuficiente"),
    (lambda: turmado.resolver(11, chorro=2), ValueError, "chorro: debe ser 0, 1 o None"),
    (lambda: turmado.lote([], hilos=0), ValueError, "hilos: se espera un número entero de 1 a 256"),
    (lambda: turmado.barrido(22, "FlujCaud", 1, 2, 1), ValueError, "puntos"),
    (lambda: turmado.barrido(22, "CaucCoefMannCauc", 0.01, 0.02, 5, rugosidad=True), ValueError,
     "el problema no lee el campo CaucCoefMannCauc"),
])
def test_errores_como_excepciones(llamada, error, mensaje):
    with pytest.raises(error) as e:
        llamada()
    assert mensaje in str(e.value)


def test_campos_de_una_pila():
    campos = {c["nombre"]: c for c in turmado.campos(22)}
    assert list(campos)[:2] == ["AguaDens", "AguaTemp"]
    ancho = campos["EstrAnchPila"]
    assert (ancho["etiqueta"], ancho["unidad"], ancho["defecto"]) == ("Ancho de la Pila", "[m]", "5")
    assert (ancho["minimo"], ancho["maximo"], ancho["excluidos"]) == (0, None, [0])
    assert "CaucCoefMannCauc" in campos and "AltuRugoCauc" not in campos
    assert "AltuRugoCauc" in {c["nombre"] for c in turmado.campos(22, rugosidad=True)}


def test_barrido_da_lo_que_turmado_calc_barrido():
    r = calc("--codigo", "22", "EstrFactFormKs=1", "EstrFactGrup=1", "--barrido", "FlujCaud=100:3000:7", "--log")
    assert r.returncode == 0, r.stderr
    filas = list(csv.reader(io.StringIO(r.stdout)))
    b = turmado.barrido(22, "FlujCaud", 100, 3000, 7, log=True, EstrFactFormKs=1, EstrFactGrup=1)
    assert list(b["FlujCaud"]) == [float(f[0]) for f in filas[1:]]
    claves = ["ys_pila_breusers_m", "ys_pila_csu_m", "ys_pila_johnson_m"]
    assert list(b.columns) == ["FlujCaud"] + [x for k in claves for x in (k, "validez_" + k[3:-2])] + [
        "transporte", "avisos_datos", "error"]
    for j, k in enumerate(claves, 1):
        assert list(b[k]) == [float(f[j]) for f in filas[1:]]
    # The CSV ends with "Condición de transporte" and "Avisos de datos".
    assert list(b["transporte"]) == [f[-2] for f in filas[1:]]


def test_barrido_con_los_avisos_de_datos_de_turmado_calc():
    # d84 from 90 to 300 mm over d50 = 85 mm: the gradation warning only
    # where d84/d50 is above 1.86.
    r = calc("--codigo", "22", "EstrFactFormKs=1", "EstrFactGrup=1", "--barrido", "SediDiam84N3=90:300:4")
    assert r.returncode == 0, r.stderr
    filas = list(csv.reader(io.StringIO(r.stdout)))
    assert filas[0][-1] == "Avisos de datos"
    b = turmado.barrido(22, "SediDiam84N3", 90, 300, 4, EstrFactFormKs=1, EstrFactGrup=1)
    assert list(b["avisos_datos"]) == [f[-1] for f in filas[1:]]
    assert b["avisos_datos"][0] == "" and "Kσ" in b["avisos_datos"][1]
