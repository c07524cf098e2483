#!/usr/bin/python3
"""Revisión de un inventario de estructuras en un clúster Dask.

    inventario_dask.py ENTRADA.csv SALIDA.csv [--programador DIRECCION | --trabajadores N]
                       [--espera-sin-trabajadores S]

ENTRADA.csv es un lote como los de turmado-calc --lote (una estructura por
línea, de cualquier tipo; las líneas en blanco y las que empiezan con "#"
antes del encabezado se saltan). El script lo reparte en particiones, corre
turmado.lote en cada trabajador del clúster y escribe SALIDA.csv en el orden
de la entrada, igual byte a byte a la salida de turmado-calc --lote. Cada
línea mala va a la salida de errores como ENTRADA.csv:LÍNEA: mensaje; el
estado de salida es entonces 2.

SALIDA.csv se escribe con un nombre temporal en su misma carpeta y se pone
en su lugar al final: si falta el encabezado o no sirve (estado 2), o si la
corrida no termina, el archivo que había queda como estaba y no aparece
ninguno a medias. Si el clúster se queda sin trabajadores durante S segundos
(120 por omisión), o una partición falla (un trabajador que muere una y otra
vez con ella), el script termina con un mensaje y el estado 1.

--programador DIRECCION       un clúster en marcha (tcp://nodo:8786)
--trabajadores N              un clúster local de N procesos (por omisión, 2)
--espera-sin-trabajadores S   segundos sin ningún trabajador antes de abandonar
"""

import argparse
import csv
import os
import sys
import tempfile
import time

# Cases per partition: large enough that a task's overhead is small, small
# enough that every worker gets several.
CASOS_POR_PARTICION = 5000
# Seconds the run waits for a worker while the cluster has none.
ESPERA_SIN_TRABAJADORES = 120
# Seconds between two looks at the cluster while a partition is running.
VISTAZO = 2


def citar(celda, sep):
    """A cell as the batch output writes it: quoted when it holds the
    separator, a quote or a line end."""
    if any(c in celda for c in (sep, '"', "\n", "\r")):
        return '"' + celda.replace('"', '""') + '"'
    return celda


def linea(celdas, sep):
    """A line of cells; joined at once when no cell needs quotes (nearly
    every line)."""
    texto = sep.join(celdas)
    if texto.count(sep) == len(celdas) - 1 and not any(c in texto for c in ('"', "\n", "\r")):
        return texto + "\n"
    return sep.join(citar(c, sep) for c in celdas) + "\n"


def leer(ruta):
    """The batch file as turmado-calc reads it: blank lines and "#" lines
    (a file's provenance) before the header skipped, the header's separator
    (the semicolon when it has semicolons and no comma), one case a line.  Returns the separator, the header and its line, the
    cases [(line, cells)] and the lines that are not cases [(line, message)]."""
    with open(ruta, encoding="utf-8", newline="") as f:
        lineas = f.read().split("\n")
    if lineas and lineas[-1] == "":
        lineas.pop()
    sep, encabezado, linea_encabezado, casos, malas = ",", None, 0, [], []
    for numero, texto in enumerate(lineas, 1):
        texto = texto.removesuffix("\r")
        if not texto.strip(" \t"):
            continue
        if encabezado is None:
            texto = texto.removeprefix("\ufeff")
            if texto.startswith("#"):
                continue
            if "," not in texto and ";" in texto:
                sep = ";"
            encabezado = [c.strip(" \t") for c in next(csv.reader([texto], delimiter=sep, strict=True))]
            linea_encabezado = numero
            continue
        try:
            celdas = next(csv.reader([texto], delimiter=sep, strict=True))
        except csv.Error:
            malas.append((numero, "comillas mal cerradas"))
            continue
        if len(celdas) != len(encabezado):
            malas.append((numero, f"la línea tiene {len(celdas)} valores y el encabezado {len(encabezado)}"))
            continue
        casos.append((numero, celdas))
    return sep, encabezado, linea_encabezado, casos, malas


def trabajar(encabezado, casos, sep, hilos):
    """One partition on a worker: turmado.lote on its cases, each result as
    its output line, or its line number and message."""
    import pandas
    import turmado

    tabla = pandas.DataFrame([c for _, c in casos], columns=encabezado, dtype=object)
    resultado = turmado.lote(tabla, hilos=hilos, textos=True)
    salidas = resultado.drop(columns="error").to_numpy()
    hechos = []
    for (numero, _), error, celdas in zip(casos, resultado["error"], salidas.tolist()):
        if error:
            hechos.append((numero, None, error))
        else:
            hechos.append((numero, linea(celdas, sep), None))
    return hechos


def cliente(argumentos):
    from dask.distributed import Client, LocalCluster

    if argumentos.programador:
        return Client(argumentos.programador), None
    n = argumentos.trabajadores
    cluster = LocalCluster(n_workers=n, threads_per_worker=1, processes=True, dashboard_address=None)
    # Each worker process computes on its share of the machine's cores.
    return Client(cluster), max(1, (os.cpu_count() or 1) // n)


class Abandono(Exception):
    """The run cannot finish: why, for the user."""


def resultado(client, futuro, espera):
    """The partition's result, looking at the cluster while it runs: when
    it has had no worker for `espera` seconds (every one died or left), or
    the partition failed, Abandono."""
    sin_trabajadores_desde = None
    while True:
        try:
            return futuro.result(timeout=VISTAZO)
        except TimeoutError:
            pass
        except Exception as e:  # a worker killed while running it, again and again (KilledWorker) ...
            raise Abandono(f"una partición falló: {type(e).__name__}: {e}") from e
        if client.scheduler_info().get("workers"):
            sin_trabajadores_desde = None
        elif sin_trabajadores_desde is None:
            sin_trabajadores_desde = time.monotonic()
        elif time.monotonic() - sin_trabajadores_desde >= espera:
            raise Abandono(f"el clúster no tiene trabajadores desde hace {espera:g} s")


def archivo_temporal(ruta):
    """A new file beside `ruta` (the file a link names, when it is a link)
    with the permissions `ruta` has, or those a new file gets: its path and
    its open text stream."""
    destino = os.path.realpath(ruta)
    carpeta, nombre = os.path.split(destino)
    descriptor, temporal = tempfile.mkstemp(prefix=f".{nombre}.", suffix=".tmp", dir=carpeta or ".")
    try:
        modo = os.stat(destino).st_mode & 0o7777
    except FileNotFoundError:
        mascara = os.umask(0)
        os.umask(mascara)
        modo = 0o666 & ~mascara
    os.chmod(temporal, modo)
    return destino, temporal, os.fdopen(descriptor, "w", encoding="utf-8", newline="")


def main():
    p = argparse.ArgumentParser(description="Revisa un inventario de estructuras en un clúster Dask.")
    p.add_argument("entrada")
    p.add_argument("salida")
    grupo = p.add_mutually_exclusive_group()
    grupo.add_argument("--programador", metavar="DIRECCION", help="programador de un clúster en marcha")
    grupo.add_argument("--trabajadores", metavar="N", type=int, default=2, help="procesos de un clúster local")
    p.add_argument("--espera-sin-trabajadores", metavar="S", type=float, default=ESPERA_SIN_TRABAJADORES,
                   help="segundos sin ningún trabajador antes de abandonar")
    argumentos = p.parse_args()
    if argumentos.trabajadores < 1:
        p.error("--trabajadores espera un número entero de 1 o más")
    if not argumentos.espera_sin_trabajadores > 0:
        p.error("--espera-sin-trabajadores espera un número de segundos mayor que 0")

    try:
        sep, encabezado, linea_encabezado, casos, malas = leer(argumentos.entrada)
    except (OSError, UnicodeDecodeError, csv.Error) as e:
        print(f"inventario_dask: {argumentos.entrada}: no se puede leer el archivo ({e})", file=sys.stderr)
        return 2
    fallos = list(malas)
    if encabezado is None:
        print(f"{argumentos.entrada}:1: falta el encabezado", file=sys.stderr)
        return 2
    import pandas
    import turmado

    try:  # the header checked once, before the cluster starts and the output is touched
        columnas = list(turmado.lote(pandas.DataFrame(columns=encabezado, dtype=object), hilos=1).columns)
    except ValueError as e:
        print(f"{argumentos.entrada}:{linea_encabezado}: {e}", file=sys.stderr)
        return 2

    try:
        destino, temporal, salida = archivo_temporal(argumentos.salida)
    except OSError as e:
        print(f"inventario_dask: {argumentos.salida}: no se puede crear el archivo ({e})", file=sys.stderr)
        return 4
    puesto = False
    try:
        with salida:
            salida.write(linea(columnas[:-1], sep))
            client, hilos = cliente(argumentos)
            with client:
                partes = [casos[i:i + CASOS_POR_PARTICION] for i in range(0, len(casos), CASOS_POR_PARTICION)]
                futuros = client.map(trabajar, [encabezado] * len(partes), partes, [sep] * len(partes),
                                     [hilos] * len(partes), pure=False)
                for futuro in futuros:  # in input order
                    for numero, texto, error in resultado(client, futuro, argumentos.espera_sin_trabajadores):
                        if error is None:
                            salida.write(texto)
                        else:
                            fallos.append((numero, error))
                client.close()
        os.replace(temporal, destino)
        puesto = True
    except Abandono as e:
        print(f"inventario_dask: {e}; {argumentos.salida} no se escribió", file=sys.stderr)
        return 1
    except OSError as e:
        print(f"inventario_dask: {argumentos.salida}: no se puede escribir el archivo ({e})", file=sys.stderr)
        return 4
    finally:
        if not puesto:
            try:
                os.unlink(temporal)
            except OSError:
                pass
    for numero, mensaje in sorted(fallos):
        print(f"{argumentos.entrada}:{numero}: {mensaje}", file=sys.stderr)
    return 2 if fallos else 0


if __name__ == "__main__":
    sys.exit(main())
