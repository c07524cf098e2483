"""turmado-calc --salida X.xlsx: the tables of a batch and of a sweep as
Excel workbooks, read back the way a spreadsheet program reads them (the
zip's sheet XML): the sheets, the names and units, the frozen rows, numbers
typed as numbers, the validity colours, the provenance; and the failures,
which leave no file under the name.

    test_libro.py TURMADO-CALC DATA-FOLDER
"""

import csv
import io
import os
import re
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET
import zipfile

CALC = None
DATOS = None

M = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
R = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}"


def columna(ref):
    """"AB12" -> (11, 27): row and column from 0."""
    letras, numero = re.fullmatch(r"([A-Z]+)(\d+)", ref).groups()
    c = 0
    for x in letras:
        c = c * 26 + ord(x) - 64
    return int(numero) - 1, c - 1


class Celda:
    def __init__(self, tipo, valor, estilo):
        self.tipo = tipo  # "n" number, "s" text
        self.valor = valor
        self.relleno, self.formato = estilo  # fill colour "RRGGBB" or None; number format


def texto_de_celda(texto):
    """A cell's text as a spreadsheet shows it: "_xHHHH_" is the character
    HHHH ("_x005F_" an underscore)."""
    return re.sub(r"_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), texto)


class Libro:
    """The sheets of a workbook: per sheet its cells by (row, column) and its
    pane.  Every XML part of the zip must be well-formed, as a spreadsheet
    program refuses a workbook otherwise."""

    def __init__(self, ruta):
        with zipfile.ZipFile(ruta) as z:
            self.archivos = z.namelist()
            for miembro in self.archivos:
                if miembro.endswith((".xml", ".rels")):
                    try:
                        ET.fromstring(z.read(miembro))
                    except ET.ParseError as e:
                        raise AssertionError(f"{ruta}: {miembro} no es XML bien formado: {e}") from e
            compartidos = []
            if "xl/sharedStrings.xml" in self.archivos:
                for si in ET.fromstring(z.read("xl/sharedStrings.xml")).iter(M + "si"):
                    compartidos.append(texto_de_celda("".join(t.text or "" for t in si.iter(M + "t"))))
            estilos = ET.fromstring(z.read("xl/styles.xml"))
            rellenos = []
            for fill in estilos.find(M + "fills"):
                fg = fill.find(f"{M}patternFill/{M}fgColor")
                patron = fill.find(M + "patternFill")
                solido = patron is not None and patron.get("patternType") == "solid"
                rellenos.append(fg.get("rgb")[-6:] if solido and fg is not None and fg.get("rgb") else None)
            codigos = {0: "General"}
            if estilos.find(M + "numFmts") is not None:
                codigos.update({int(f.get("numFmtId")): f.get("formatCode") for f in estilos.find(M + "numFmts")})
            estilo = []  # per style index: (fill, number format)
            for xf in estilos.find(M + "cellXfs"):
                estilo.append((rellenos[int(xf.get("fillId", "0"))], codigos.get(int(xf.get("numFmtId", "0")))))
            relaciones = {r.get("Id"): r.get("Target")
                          for r in ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))}
            self.hojas = []
            self.celdas = {}
            self.paneles = {}
            for hoja in ET.fromstring(z.read("xl/workbook.xml")).iter(M + "sheet"):
                nombre = hoja.get("name")
                self.hojas.append(nombre)
                xml = ET.fromstring(z.read("xl/" + relaciones[hoja.get(R + "id")]))
                self.paneles[nombre] = xml.find(f"{M}sheetViews/{M}sheetView/{M}pane")
                celdas = {}
                for c in xml.iter(M + "c"):
                    tipo = c.get("t", "n")
                    relleno = estilo[int(c.get("s", "0"))]
                    if tipo == "n":
                        v = c.find(M + "v")
                        celdas[columna(c.get("r"))] = Celda("n", None if v is None else float(v.text), relleno)
                    elif tipo == "s":
                        celdas[columna(c.get("r"))] = Celda("s", compartidos[int(c.find(M + "v").text)], relleno)
                    elif tipo == "inlineStr":
                        texto = texto_de_celda("".join(t.text or "" for t in c.iter(M + "t")))
                        celdas[columna(c.get("r"))] = Celda("s", texto, relleno)
                    else:
                        raise AssertionError(f"celda {c.get('r')} de tipo {tipo}")
                self.celdas[nombre] = celdas

    def fila(self, hoja, r):
        """The values of row r (from 0) up to its last cell, None where empty."""
        celdas = self.celdas[hoja]
        ultima = max((c for (f, c) in celdas if f == r), default=-1)
        return [celdas[(r, c)].valor if (r, c) in celdas else None for c in range(ultima + 1)]

    def filas(self, hoja):
        return 1 + max(f for (f, _) in self.celdas[hoja])


def correr(*argumentos, carpeta=None):
    return subprocess.run([CALC, *argumentos], capture_output=True, cwd=carpeta)


def es_numero(texto):
    """Whether the core's number scanner reads the cell: digits, one point,
    an exponent; a whole number with leading zeros stays text."""
    t = texto.strip()
    if not re.fullmatch(r"[+-]?(\d+\.?\d*|\.\d*)([eE][+-]?\d+)?", t) or t in (".", "+.", "-."):
        return False
    cifras = t.lstrip("+-")
    return not (len(cifras) > 1 and cifras[0] == "0" and cifras[1].isdigit() and not re.search(r"[.eE]", cifras))


class PruebaLibro(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.carpeta = self.tmp.name

    def tearDown(self):
        self.tmp.cleanup()

    def ruta(self, nombre):
        return os.path.join(self.carpeta, nombre)

    def escribir(self, nombre, texto):
        with open(self.ruta(nombre), "w", encoding="utf-8") as f:
            f.write(texto)
        return self.ruta(nombre)

    def libro_y_csv(self, argumentos, nombre="r.xlsx"):
        """The workbook of `argumentos --salida nombre` and the CSV the same run writes on standard output."""
        libro = correr(*argumentos, "--salida", self.ruta(nombre))
        self.assertEqual(libro.stdout, b"")
        texto = correr(*argumentos)
        self.assertEqual(libro.returncode, texto.returncode, libro.stderr)
        self.assertEqual(libro.stderr, texto.stderr)
        return Libro(self.ruta(nombre)), texto.stdout.decode("utf-8")

    def comparar(self, libro, csv_texto, separador=","):
        """Row 1 the CSV's header, row 2 the units, then every CSV cell: a
        number as a numeric cell of the same value, a text as a text cell,
        an empty cell as no cell."""
        lineas = list(csv.reader(io.StringIO(csv_texto), delimiter=separador))
        hoja = "Resultados"
        self.assertEqual(libro.fila(hoja, 0), lineas[0])
        self.assertEqual(libro.filas(hoja), len(lineas) + 1)
        celdas = libro.celdas[hoja]
        for i, linea in enumerate(lineas[1:]):
            for c, texto in enumerate(linea):
                celda = celdas.get((i + 2, c))
                if texto == "":
                    self.assertTrue(celda is None or celda.valor is None, (i, c))
                elif es_numero(texto):
                    # Every digit: the same double.
                    self.assertEqual(celda.tipo, "n", (i, c, texto))
                    self.assertEqual(celda.valor, float(texto), (i, c, texto))
                else:
                    self.assertEqual((celda.tipo, celda.valor), ("s", texto), (i, c))
        return lineas

    def test_lote(self):
        libro, texto = self.libro_y_csv(["--lote", os.path.join(DATOS, "pilas.csv")])
        self.assertEqual(libro.hojas, ["Resultados", "Procedencia"])
        lineas = self.comparar(libro, texto)
        encabezado = lineas[0]
        # The units of the second row, by column.
        unidades = dict(zip(encabezado, libro.fila("Resultados", 1) + [None] * len(encabezado)))
        for nombre, unidad in [("codigo", None), ("FlujCaud", "m^3/s"), ("FlujTiraRest", "m"),
                               ("SediAnguRepo", "º"), ("titulo", None), ("shields", None), ("vc_m_s", "m/s"),
                               ("qs_m2_s", "m^2/s"), ("ys_pila_csu_m", "m"), ("lf_pila_csu_m", "m"),
                               ("talud_grados", "º"), ("validez_pila_csu", None), ("avisos_datos", None)]:
            self.assertEqual(unidades[nombre], unidad, nombre)
        for c in range(len(encabezado)):
            self.assertEqual(libro.celdas["Resultados"][(0, c)].tipo, "s")
        # The two header rows frozen.
        panel = libro.paneles["Resultados"]
        self.assertEqual((panel.get("state"), panel.get("ySplit"), panel.get("topLeftCell")), ("frozen", "2", "A3"))
        self.assertIsNone(panel.get("xSplit"))
        # A number keeps the decimals the CSV shows: "0.0550" is 0.055 shown with four.
        csu = libro.celdas["Resultados"][(2, encabezado.index("shields_critico"))]
        self.assertEqual((csu.valor, csu.formato), (0.055, "0.0000"))
        self.assertEqual(lineas[1][encabezado.index("shields_critico")], "0.0550")
        self.assertEqual(libro.celdas["Resultados"][(2, encabezado.index("FlujCaud"))].formato, "General")
        # The provenance.
        procedencia = {libro.fila("Procedencia", r)[0]: libro.fila("Procedencia", r)[1]
                       for r in range(libro.filas("Procedencia")) if libro.fila("Procedencia", r)[:1] != [None]
                       and len(libro.fila("Procedencia", r)) > 1}
        self.assertEqual(procedencia["Programa"], "turmado-calc")
        self.assertRegex(procedencia["Versión"], r"^\d+\.\d+\.\d+$")
        self.assertRegex(procedencia["Fecha"], r"^\d{4}-\d{2}-\d{2} \d{2}:\d{2}$")
        self.assertEqual(procedencia["Orden"], "turmado-calc --lote " + os.path.join(DATOS, "pilas.csv") +
                         " --salida " + self.ruta("r.xlsx"))

    def test_colores_de_validez(self):
        """Each state its own fill on the validity cell and on the depth of its
        formula, the same fill on both; the failure length stays plain."""
        lote = self.escribir("v.csv", "codigo,SediDiamMedi,FlujTiraRest,FlujCaud,CaucAnchCauc,EstrDiamAper,"
                                      "FlujDifeCargRest,EstrFactFormKs,EstrFactGrup,EstrLongPlat\n"
                                      "31,1,0.3,100,1,0.5,0.5,,,\n"  # calibracion and validacion
                                      "12,85,1.2,3000,500,,20,,,4.5\n"  # fuera
                                      "22,85,1.2,3000,500,,,1,1,\n")  # sin_rangos
        libro, texto = self.libro_y_csv(["--lote", lote])
        lineas = self.comparar(libro, texto)
        encabezado = lineas[0]
        celdas = libro.celdas["Resultados"]
        colores = {}
        for i, linea in enumerate(lineas[1:]):
            for c, nombre in enumerate(encabezado):
                if not nombre.startswith("validez_") or linea[c] == "":
                    continue
                estado = linea[c]
                relleno = celdas[(i + 2, c)].relleno
                self.assertIsNotNone(relleno, (i, nombre))
                self.assertEqual(colores.setdefault(estado, relleno), relleno, estado)
                profundidad = "ys_" + nombre[len("validez_"):] + "_m"
                self.assertEqual(celdas[(i + 2, encabezado.index(profundidad))].relleno, relleno, profundidad)
            for c, nombre in enumerate(encabezado):
                if nombre.startswith("lf_") and (i + 2, c) in celdas:
                    self.assertIsNone(celdas[(i + 2, c)].relleno, nombre)
        self.assertEqual(set(colores), {"calibracion", "validacion", "fuera", "sin_rangos"})
        self.assertEqual(len(set(colores.values())), 4)
        # The legend on "Procedencia" names each state in its colour.
        leyenda = {c.valor.split(":")[0]: c.relleno for (f, col), c in libro.celdas["Procedencia"].items()
                   if col == 1 and c.relleno}
        self.assertEqual(leyenda, colores)

    def test_columnas_textos_y_punto_y_coma(self):
        """Captions as column names take their rows' units; the slots'
        validity is coloured; a semicolon batch splits the same."""
        lote = self.escribir("p.csv", "codigo;FlujCaud;EstrFactFormKs;EstrFactGrup\n22;1000;1;1\n22;2000;1;1\n")
        libro, texto = self.libro_y_csv(["--lote", lote, "--columnas", "textos"])
        lineas = self.comparar(libro, texto, ";")
        encabezado = lineas[0]
        unidades = libro.fila("Resultados", 1) + [None] * len(encabezado)
        self.assertEqual(unidades[encabezado.index("Erosión máxima de equilibrio (CSU)")], "m")
        self.assertEqual(unidades[encabezado.index("Velocidad crítica de erosión")], "m/s")
        validez = encabezado.index("validez1")
        self.assertIsNotNone(libro.celdas["Resultados"][(2, validez)].relleno)

    def test_mil_casos(self):
        """A batch of 1,000 lines: 1,002 rows, every result a number."""
        lineas = ["codigo,FlujCaud,EstrFactFormKs,EstrFactGrup"]
        lineas += [f"22,{500 + 3 * i},1,1" for i in range(1000)]
        lote = self.escribir("mil.csv", "\n".join(lineas) + "\n")
        libro, texto = self.libro_y_csv(["--lote", lote, "--numeros", "completos"])
        filas = self.comparar(libro, texto)
        self.assertEqual(libro.filas("Resultados"), 1002)
        csu = filas[0].index("ys_pila_csu_m")
        numeros = [libro.celdas["Resultados"][(r, csu)] for r in range(2, 1002)]
        self.assertTrue(all(c.tipo == "n" and c.valor > 0 for c in numeros))
        # Every digit: shown in the general format, not with sixteen decimals.
        self.assertEqual({c.formato for c in numeros}, {"General"})

    def test_textos_y_numeros_de_fuera(self):
        """Texts from outside stay what they say and the sheet stays
        well-formed XML: a Latin-1 byte ("R\\xEDo") is read as Windows-1252,
        a literal "_x0041_" is not turned into "A", markup characters and a
        control character are escaped; numbers that need 17 digits keep
        them."""
        lote = self.ruta("fuera.csv")
        with open(lote, "wb") as f:
            f.write(b"sitio,codigo,FlujCaud,EstrFactFormKs,EstrFactGrup\n"
                    b"R\xedo Paran\xe1 \x80,22,1000,1,1\n"
                    b"_x0041_ y _X004a_ y _x12_,22,1000,1,1\n"
                    b"\"a&b<c>\"\"d\"\" \x01\",22,1000,1,1\n"
                    b"\xef\xbf\xbe \xed\xa0\x80 \xc3\xb1,22,1000.0000000000001,1,1\n")
        libro = correr("--lote", lote, "--numeros", "completos", "--salida", self.ruta("f.xlsx"))
        self.assertEqual((libro.returncode, libro.stderr), (0, b""))
        hoja = Libro(self.ruta("f.xlsx")).celdas["Resultados"]
        self.assertEqual([hoja[(r, 0)].valor for r in range(2, 6)],
                         ["Río Paraná €", "_x0041_ y _X004a_ y _x12_", 'a&b<c>"d" \x01',
                          "\ufffd í\xa0€ ñ"])
        texto = correr("--lote", lote, "--numeros", "completos").stdout.decode("utf-8", "replace")
        self.assertEqual(hoja[(5, 2)].valor, 1000.0000000000001)
        numeros = 0
        for r, linea in enumerate(csv.reader(io.StringIO(texto))):
            for c, celda in enumerate(linea):
                if r and c and es_numero(celda):
                    self.assertEqual(hoja[(r + 1, c)].valor, float(celda), (r, c, celda))
                    numeros += 1
        self.assertGreater(numeros, 30)

    def test_nombre_que_es_solo_la_extension(self):
        """".xlsx" is a workbook's name (a hidden file's), never CSV text."""
        p = correr("--lote", os.path.join(DATOS, "pilas.csv"), "--salida", ".xlsx", carpeta=self.carpeta)
        self.assertEqual((p.returncode, p.stderr), (0, b""))
        self.assertEqual(os.listdir(self.carpeta), [".xlsx"])
        self.assertEqual(Libro(self.ruta(".xlsx")).hojas, ["Resultados", "Procedencia"])

    def test_barrido(self):
        argumentos = ["--codigo", "22", "EstrFactFormKs=1", "EstrFactGrup=1", "--barrido", "FlujCaud=500:4000:20"]
        libro, texto = self.libro_y_csv(argumentos)
        lineas = self.comparar(libro, texto)
        self.assertEqual(len(lineas), 21)
        unidades = libro.fila("Resultados", 1)
        self.assertEqual(unidades[:2], ["m^3/s", "m"])

    def test_codigos_con_ceros(self):
        """A whole number with leading zeros (a site's code) stays text."""
        lote = self.escribir("s.csv", "sitio,codigo,FlujCaud,EstrFactFormKs,EstrFactGrup\n"
                                      "01371500,22,1000,1,1\n1371500,22,0500,1,1\n")
        libro, texto = self.libro_y_csv(["--lote", lote])
        self.comparar(libro, texto)
        celdas = libro.celdas["Resultados"]
        self.assertEqual((celdas[(2, 0)].tipo, celdas[(2, 0)].valor), ("s", "01371500"))
        self.assertEqual((celdas[(3, 0)].tipo, celdas[(3, 0)].valor), ("n", 1371500.0))

    def test_malas_lineas(self):
        """Bad lines go to standard error and out of the table; the workbook
        holds the good ones and the status stays 2."""
        lote = self.escribir("m.csv", "codigo,FlujCaud,EstrFactFormKs,EstrFactGrup\n22,1000,1,1\n22,-5,1,1\n")
        libro, texto = self.libro_y_csv(["--lote", lote])
        self.comparar(libro, texto)
        self.assertEqual(libro.filas("Resultados"), 3)

    def test_csv_igual_a_la_salida(self):
        """--salida X.csv writes what standard output would get, replacing a file that was there."""
        archivo = self.escribir("r.csv", "viejo\n")
        lote = os.path.join(DATOS, "pilas.csv")
        p = correr("--lote", lote, "--salida", archivo)
        self.assertEqual((p.returncode, p.stdout), (0, b""))
        with open(archivo, "rb") as f:
            self.assertEqual(f.read(), correr("--lote", lote).stdout)
        self.assertEqual(os.listdir(self.carpeta), ["r.csv"])

    def test_fallas(self):
        """A file that cannot be written: its message, status 4, nothing left
        under the name nor beside it; a batch that does not run: no file."""
        carpeta = self.ruta("carpeta.xlsx")
        os.mkdir(carpeta)
        os.mkdir(self.ruta("carpeta.csv"))
        pilas = os.path.join(DATOS, "pilas.csv")
        malo = self.escribir("malo.csv", "codigo,Nada\n22,1\n")
        casos = [
            (["--lote", pilas], "no/existe/r.xlsx", 4, "no se puede crear el archivo: su carpeta no existe"),
            (["--lote", pilas], "no/existe/r.csv", 4, "no se puede crear el archivo: su carpeta no existe"),
            (["--lote", pilas], "carpeta.xlsx", 4, "no se puede poner el archivo en su lugar: es una carpeta"),
            (["--lote", pilas], "carpeta.csv", 4, "no se puede poner el archivo en su lugar: es una carpeta"),
            (["--codigo", "22", "--barrido", "FlujCaud=500:4000:5"], "no/existe/b.xlsx", 4,
             "no se puede crear el archivo: su carpeta no existe"),
            (["--lote", malo], "malo.xlsx", 2, None),
            (["--lote", self.carpeta], "leido.xlsx", 5, None),
        ]
        antes = sorted(os.listdir(self.carpeta))
        for argumentos, nombre, estado, mensaje in casos:
            with self.subTest(nombre=nombre):
                p = correr(*argumentos, "--salida", nombre, carpeta=self.carpeta)
                self.assertEqual(p.returncode, estado, p.stderr)
                if mensaje:
                    self.assertEqual(p.stderr.decode(), f"turmado-calc: {nombre}: {mensaje}\n")
                self.assertEqual(sorted(os.listdir(self.carpeta)), antes)
                self.assertEqual(os.listdir(carpeta), [])
        p = correr("--lote", self.carpeta, "--salida", "leido.xlsx", carpeta=self.carpeta)
        self.assertIn("el lote quedó incompleto; no se escribió leido.xlsx", p.stderr.decode())


if __name__ == "__main__":
    CALC, DATOS = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1])
