"""The conversion of the USGS measurements into validation files, on a few
rows shaped like each source file: every mapping rule and every reason for
leaving a row out."""

import csv
import math
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import mediciones  # noqa: E402

CAMPO = """# USGS field measurements, units in FEET
# second provenance line
state,road,site,stream_slope,date,pier_nose_shape,b_nominal_ft,bn_width_normal_to_flow_ft,L_pier_length_ft,skew_deg,V0_ft_s,y0_ft,bed_material,D16_mm,D50_mm,D84_mm,sigma_g,ys_ft
AK,R1,Alineada,0.001,1965-07-11,Square,5,5,20,0,4,10,Non-cohesive,,2,8,,3
AK,R1,SinPendiente,,1966-01-02,Round,5,5,,0,4,10,,,2,,3,3
AK,R1,Esviada,,1967-01-02,Sharp,5,22.6,30,30,4,10,,,2,8,,3
AK,R1,Cilindro,,,Cylindrical,3,3,3,0,4,10,,,2,8,,3
AK,R1,EsviadaSinLongitud,,,Sharp,5,9,,30,4,10,,,2,8,,3
AK,R1,Cohesiva,,,Round,5,5,20,0,4,10,Cohesive,,2,8,,3
AK,R1,SinV0,,,Round,5,5,20,0,,10,,,2,8,,3
AK,R1,SinGranulometria,,,Round,5,5,20,0,4,10,,,2,,,3
AK,R1,SinForma,,,,5,5,20,0,4,10,,,2,8,,3
AK,R1,SinAngulo,,,Round,5,5,20,,4,10,,,2,8,,3
AK,R1,Limo,,,Round,5,5,20,0,4,10,,,0.05,0.2,,3
AK,R1,Quieta,,,Round,5,5,20,0,0,10,,,2,8,,3
"""

LABORATORIO = """# USGS laboratory measurements
data_source,bn_ft,V0_ft_s,Vc_ft_s,y0_ft,D50_mm,sigma_g,duration_min,ys_ft,sheppard2011_usage
Autor (1956),0.5,1,1.2,1,0.8,1.3,720,0.6,0
Otro (1980),0.5,1,1.2,1,0.8,--,720,0.6,0
"""


def convertir(texto, hacer):
    with tempfile.TemporaryDirectory() as carpeta:
        origen, destino = os.path.join(carpeta, "o.csv"), os.path.join(carpeta, "d.csv")
        with open(origen, "w", encoding="utf-8") as f:
            f.write(texto)
        n, omitidas = mediciones.convertir(origen, destino, hacer, mediciones.valores_ks())
        with open(destino, encoding="utf-8") as f:
            lineas = f.read().splitlines()
    comentarios = [l for l in lineas if l.startswith("#")]
    filas = list(csv.DictReader(l for l in lineas if not l.startswith("#")))
    return n, omitidas, comentarios, {f["sitio"]: f for f in filas}


class Conversion(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.campo = convertir(CAMPO, mediciones.caso_campo)
        cls.lab = convertir(LABORATORIO, mediciones.caso_laboratorio)

    def test_la_tabla_de_formas_es_la_del_programa(self):
        ks = mediciones.valores_ks()
        self.assertEqual(ks["Circular"], "1.0")
        self.assertEqual(ks["Rectangular"], "1.1")
        for forma in mediciones.FORMAS.values():
            self.assertIn(forma, ks)

    def test_filas_convertidas(self):
        filas = self.campo[3]
        pie = 0.3048
        casos = [
            # (site, column, expected number)
            ("Alineada", "FlujTiraRest", 10 * pie),
            ("Alineada", "EstrAnchPila", 5 * pie),
            ("Alineada", "EstrLongPila", 20 * pie),
            ("Alineada", "EstrAnguAtaq", 0),
            ("Alineada", "EstrFactFormKs", 1.1),  # Square: "Rectangular"
            ("Alineada", "SediDiamMedi", 2),
            ("Alineada", "SediDiam84N3", 8),
            ("Alineada", "FlujCaud", 4 * pie * 10 * pie * 100),
            ("Alineada", "CaucAnchCauc", 100),
            ("Alineada", "CaucCoefMannCauc", (10 * pie) ** (2 / 3) * math.sqrt(0.001) / (4 * pie)),
            ("Alineada", "ys_medida", 3 * pie),
            ("Alineada", "EstrFactGrup", 1),
            ("Alineada", "codigo", 22),
            ("SinPendiente", "CaucCoefMannCauc", 0.032),
            ("SinPendiente", "SediDiam84N3", 6),  # d50 * sigma_g
            ("SinPendiente", "EstrLongPila", 5 * pie),  # aligned, no length: bn
            ("SinPendiente", "EstrFactFormKs", 0.9),  # Round: semicircular nose
            ("Esviada", "EstrAnchPila", 5 * pie),  # its own width, not bn
            ("Esviada", "EstrLongPila", 30 * pie),
            ("Esviada", "EstrAnguAtaq", 30),
            ("Esviada", "EstrFactFormKs", 0.7),  # Sharp
            ("Cilindro", "EstrFactFormKs", 1.0),
            ("SinGranulometria", "SediDiam84N3", 2),  # neither D84 nor sigma_g: uniform, d84 = d50
        ]
        for sitio, columna, esperado in casos:
            with self.subTest(sitio=sitio, columna=columna):
                self.assertAlmostEqual(float(filas[sitio][columna]), esperado, places=7)
        self.assertEqual(filas["Alineada"]["fecha"], "1965-07-11")
        for sitio, origen in [("Alineada", "D84"), ("SinPendiente", "d50*sigma_g"), ("SinGranulometria", "uniforme")]:
            with self.subTest(sitio=sitio):
                self.assertEqual(filas[sitio]["origen_d84"], origen)

    def test_filas_omitidas_por_motivo(self):
        n, omitidas, _, filas = self.campo
        self.assertEqual(n, 5)
        self.assertEqual(set(filas), {"Alineada", "SinPendiente", "Esviada", "Cilindro", "SinGranulometria"})
        self.assertEqual(omitidas, {
            "pila esviada sin ancho propio o sin longitud": 1,
            "lecho cohesivo": 1,
            "sin V0": 1,
            "sin forma de la nariz": 1,
            "sin ángulo de ataque": 1,
            "d50 menor que 0.062 mm (limo)": 1,
            "V0, y0 o ancho nulos": 1,
        })

    def test_procedencia_y_resumen(self):
        comentarios = self.campo[2]
        self.assertEqual(comentarios[:2], ["# USGS field measurements, units in FEET", "# second provenance line"])
        self.assertTrue(comentarios[-1].startswith("# Filas convertidas: 5, 1 de ellas con d84 = d50 (uniforme); "
                                                   "omitidas: 7 ("))

    def test_laboratorio(self):
        n, omitidas, comentarios, filas = self.lab
        self.assertEqual((n, omitidas), (2, {}))
        self.assertEqual(filas["Otro (1980)"]["origen_d84"], "uniforme")  # "--" is missing
        self.assertAlmostEqual(float(filas["Otro (1980)"]["SediDiam84N3"]), 0.8, places=7)
        fila = filas["Autor (1956)"]
        for columna, esperado in [("EstrAnchPila", 0.5 * 0.3048), ("EstrLongPila", 0.5 * 0.3048),
                                  ("EstrAnguAtaq", 0), ("EstrFactFormKs", 1.0), ("SediDiam84N3", 0.8 * 1.3),
                                  ("CaucCoefMannCauc", 0.032)]:
            with self.subTest(columna=columna):
                self.assertAlmostEqual(float(fila[columna]), esperado, places=7)
        self.assertEqual(fila["fecha"], "")
        self.assertEqual(comentarios[0], "# USGS laboratory measurements")


if __name__ == "__main__":
    unittest.main()
