"""lote() against turmado-calc --lote on the same cases, a bad one among
them, and the inventory script on a local Dask cluster."""

import csv
import io
import os
import subprocess
import sys
import threading
import time

import pandas
import pytest

import turmado
from conftest import DATOS, calc

EJEMPLOS = os.path.join(os.path.dirname(__file__), "..", "..", "examples")


def mezcla(n):
    """n batch lines of every problem type, two of them bad (a rejected
    text in the middle, a floating-point fault), and a field a line's
    problem does not read."""
    with open(f"{DATOS}/codigos.csv", encoding="utf-8") as f:
        tipos = list(csv.reader(f))
    encabezado, tipos = tipos[0] + ["FlujCaud", "EstrAnchPila", "AguaTemp"], tipos[1:]
    lineas = [",".join(encabezado)]
    for i in range(n):
        caudal = "abc" if i == n // 2 else str(200 + i % 997)
        temperatura = "-20" if i == n // 3 else "20"
        lineas.append(",".join(tipos[i % len(tipos)] + [caudal, "" if i % 5 else "2", temperatura]))
    return "\n".join(lineas) + "\n"


def salida_lote(texto, *opciones):
    r = calc("--lote", "-", *opciones, entrada=texto)
    return r.returncode, list(csv.reader(io.StringIO(r.stdout))), r.stderr


# The batch's uncertainty study: turmado-calc's options and lote()'s.
ESTUDIO = (["--incierto", "FlujCaud=lognormal:*:0.3", "--incierto", "AguaTemp=uniforme:10:30", "--muestras", "200",
            "--fundacion", "3", "--modelo", "CSU=1.1:0.3"],
           {"incierto": {"FlujCaud": "lognormal:*:0.3", "AguaTemp": ("uniforme", 10, 30)}, "muestras": 200,
            "fundacion": 3, "modelo": {"CSU": (1.1, 0.3)}})


@pytest.mark.parametrize("textos, estudio", [(False, None), (True, None), (False, ESTUDIO), (True, ESTUDIO)],
                         ids=["numeros", "textos", "numeros-incierto", "textos-incierto"])
def test_lote_da_lo_que_turmado_calc_lote(textos, estudio):
    texto = mezcla(60)
    cli, py = estudio or ([], {})
    estado, filas, errores = salida_lote(texto, *cli, *([] if textos else ["--numeros", "completos"]))
    assert estado == 2
    tabla = pandas.read_csv(io.StringIO(texto), dtype=str, keep_default_na=False)
    r = turmado.lote(tabla, textos=textos, **py)
    if estudio:
        assert "p95_pila_csu_m" in r.columns and "pfund_envolvente" in r.columns
        assert (r["p50_envolvente_m"] != "" if textos else r["p50_envolvente_m"].notna()).sum() > 30
    assert list(r.columns) == filas[0] + ["error"]
    malas = r[r["error"] != ""]
    # The bad lines are the messages of --lote at their lines (header at line 1).
    assert [f"(entrada estándar):{i + 2}: {m}" for i, m in malas["error"].items()] == errores.splitlines()
    assert (malas.drop(columns=list(tabla.columns) + ["error"]).fillna("") == "").all().all()
    buenas = r[r["error"] == ""].drop(columns="error")
    assert len(buenas) == len(filas) - 1
    for fila, (_, caso) in zip(filas[1:], buenas.iterrows()):
        for columna, esperado, valor in zip(filas[0], fila, caso):
            if isinstance(valor, float):  # NaN where the cell is empty or a word ("nulo", "inactivo")
                assert valor == (float(esperado) if esperado[:1].isdigit() or esperado[:1] == "-" else valor) \
                    or valor != valor and not esperado[:1].isdigit(), columna
            else:
                assert valor == esperado, columna


def test_lote_de_numeros_y_diccionarios():
    # Numbers are written as typed; a key missing from a dict is an empty cell.
    casos = [{"codigo": 22, "FlujCaud": 1000.0, "EstrFactFormKs": 1, "EstrFactGrup": 1},
             {"codigo": 22, "FlujCaud": 1.5e3, "EstrFactFormKs": 1, "EstrFactGrup": 1, "EstrAnchPila": 2},
             {"codigo": 31, "FlujCaud": float("nan"), "EstrFactFormKs": 1, "EstrFactGrup": 1}]
    r = turmado.lote(casos, hilos=1)
    assert list(r["FlujCaud"][:2]) == [1000.0, 1500.0]
    assert r["titulo"][1] == "Problema de la Pila" and r["titulo"][0] == ""
    assert r["error"][1] == ""
    assert r["error"][0] == "EstrAnchPila: El valor ingresado no es válido."
    assert r["error"][2] == "FlujCaud: El valor ingresado no es válido."
    uno = turmado.resolver(22, FlujCaud="1500", EstrFactFormKs=1, EstrFactGrup=1, EstrAnchPila=2)
    assert r["ys_pila_csu_m"][1] == uno.profundidades["ys_pila_csu_m"]
    with pytest.raises(ValueError, match="columna desconocida: Caudal"):
        turmado.lote([{"Caudal": 1}])
    with pytest.raises(TypeError, match="DataFrame"):
        turmado.lote("codigo\n22\n")
    with pytest.raises(ValueError, match="muestras, semilla, modelo y fundacion solo valen con incierto"):
        turmado.lote(casos, muestras=500)
    with pytest.raises(ValueError, match="Distribución desconocida: gamma"):
        turmado.lote(casos, incierto={"FlujCaud": "gamma:*:0.3"})
    with pytest.raises(ValueError, match="El campo FlujCaud figura dos veces"):
        turmado.lote(casos, incierto=["FlujCaud=lognormal:*:0.3", "FlujCaud=normal:*:0.1"])
    with pytest.raises(ValueError, match="no se puede escribir en UTF-8"):
        turmado.lote([{"codigo": 22, "FlujCaud": "\udcff"}])


def test_columnas_enteras_con_valores_ausentes():
    # A nullable integer or boolean column with <NA>: each NA an empty cell,
    # as in a batch file, the other rows as typed; the table is not refused.
    tabla = pandas.DataFrame({"codigo": pandas.array([22, 22, None], dtype="Int64"),
                              "EstrFactFormKs": pandas.array([1, None, 1], dtype="Int64"),
                              "EstrFactGrup": [1, 1, 1],
                              "rugosidad": pandas.array([False, None, False], dtype="boolean")})
    r = turmado.lote(tabla, hilos=1)
    texto = "codigo,EstrFactFormKs,EstrFactGrup,rugosidad\n22,1,1,0\n22,,1,\n,1,1,0\n"
    esperado = pandas.read_csv(io.StringIO(calc("--lote", "-", "--numeros", "completos", entrada=texto).stdout),
                               dtype=str, keep_default_na=False)
    assert list(r["error"]) == ["", "", ""]
    assert list(r["titulo"]) == list(esperado["titulo"])
    assert r["ys_pila_csu_m"][0] == float(esperado["ys_pila_csu_m"][0])
    assert list(r["validez_pila_csu"]) == list(esperado["validez_pila_csu"])


def test_lote_suelta_el_interprete_mientras_calcula():
    tabla = pandas.DataFrame({"codigo": [22] * 20000, "EstrFactFormKs": 1, "EstrFactGrup": 1})
    hilo = threading.Thread(target=turmado.lote, args=(tabla,), kwargs={"hilos": 1})
    vueltas = 0
    hilo.start()
    inicio = time.monotonic()
    while hilo.is_alive():
        vueltas += 1
        time.sleep(0.001)
    assert time.monotonic() - inicio > 0.05, "el lote terminó antes de poder medir"
    assert vueltas > 20


@pytest.mark.dask
def test_inventario_en_dask_igual_a_turmado_calc_lote(tmp_path):
    entrada = tmp_path / "inventario.csv"
    entrada.write_text(mezcla(50000), encoding="utf-8")
    esperado = calc("--lote", str(entrada))
    salida = tmp_path / "salida.csv"
    r = subprocess.run([sys.executable, os.path.join(EJEMPLOS, "inventario_dask.py"), str(entrada), str(salida),
                        "--trabajadores", "2"], capture_output=True, text=True, timeout=600)
    assert r.returncode == esperado.returncode == 2, r.stderr
    assert salida.read_bytes() == esperado.stdout.encode("utf-8")
    # Dask may log on standard error too.
    assert [l for l in r.stderr.splitlines() if l.startswith(f"{entrada}:")] == esperado.stderr.splitlines()


def inventario(entrada, salida, *opciones, timeout=600):
    return subprocess.run([sys.executable, os.path.join(EJEMPLOS, "inventario_dask.py"), str(entrada), str(salida),
                           *opciones], capture_output=True, text=True, timeout=timeout)


# A header the batch cannot use leaves the output that was there untouched
# and no other file, with status 2 as turmado-calc --lote; "#" lines before
# the header are skipped as turmado-calc skips them, also when nothing follows.
@pytest.mark.parametrize("texto", [
    "",
    "# procedencia\n\n# nada más\n",
    "codigo,NoEsUnCampo\n22,1\n",
    "# procedencia\ncodigo,,FlujCaud\n22,,1000\n",
])
def test_inventario_encabezado_malo_no_toca_la_salida(tmp_path, texto):
    entrada = tmp_path / "inventario.csv"
    entrada.write_text(texto, encoding="utf-8")
    salida = tmp_path / "salida.csv"
    salida.write_text("viejo\n", encoding="utf-8")
    esperado = calc("--lote", str(entrada))
    r = inventario(entrada, salida, "--trabajadores", "1", timeout=120)
    assert r.returncode == esperado.returncode == 2, r.stderr
    assert esperado.stdout == ""
    assert salida.read_text(encoding="utf-8") == "viejo\n"
    assert sorted(p.name for p in tmp_path.iterdir()) == ["inventario.csv", "salida.csv"]


# "#" lines before the header, as the shipped validation files have them:
# the same bytes as turmado-calc --lote, in place of the file that was there
# and with its permissions.
@pytest.mark.dask
def test_inventario_con_comentarios_igual_a_turmado_calc_lote(tmp_path):
    entrada = tmp_path / "inventario.csv"
    entrada.write_text("# procedencia: prueba\n#\n\n" + mezcla(40), encoding="utf-8")
    esperado = calc("--lote", str(entrada))
    salida = tmp_path / "salida.csv"
    salida.write_text("viejo\n", encoding="utf-8")
    os.chmod(salida, 0o640)
    r = inventario(entrada, salida, "--trabajadores", "1")
    assert r.returncode == esperado.returncode == 2, r.stderr
    assert salida.read_bytes() == esperado.stdout.encode("utf-8")
    assert os.stat(salida).st_mode & 0o777 == 0o640
    assert sorted(p.name for p in tmp_path.iterdir()) == ["inventario.csv", "salida.csv"]


# A cluster without workers (all of them killed, say): the run gives up
# after the stated time with a message and status 1, instead of waiting
# forever; the output that was there stays and no part of a table is left.
@pytest.mark.dask
def test_inventario_sin_trabajadores_abandona(tmp_path):
    from dask.distributed import LocalCluster

    entrada = tmp_path / "inventario.csv"
    entrada.write_text(mezcla(40), encoding="utf-8")
    salida = tmp_path / "salida.csv"
    salida.write_text("viejo\n", encoding="utf-8")
    with LocalCluster(n_workers=0, processes=False, protocol="tcp", dashboard_address=":0") as cluster:
        inicio = time.monotonic()
        r = inventario(entrada, salida, "--programador", cluster.scheduler_address,
                       "--espera-sin-trabajadores", "3", timeout=120)
        tardo = time.monotonic() - inicio
    assert r.returncode == 1, r.stderr
    assert f"el clúster no tiene trabajadores desde hace 3 s; {salida} no se escribió" in r.stderr
    assert 3 <= tardo < 60
    assert salida.read_text(encoding="utf-8") == "viejo\n"
    assert sorted(p.name for p in tmp_path.iterdir()) == ["inventario.csv", "salida.csv"]
