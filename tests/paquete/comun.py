"""What the installation test and the package test share: the files that an
installation holds, and the checks of the desktop files."""

import configparser
import os
import pathlib
import re
import struct
import subprocess
import xml.etree.ElementTree as ET

ID = "com.quenfor.turmado"
MIME = "application/x-turmado-problema"
ICONO_MIME = MIME.replace("/", "-")
LADOS = (16, 22, 24, 32, 48, 64, 128, 256)

# Every file under the prefix, relative to it.
ARCHIVOS = {
    "bin/turmado",
    "bin/turmado-calc",
    f"share/applications/{ID}.desktop",
    f"share/metainfo/{ID}.metainfo.xml",
    "share/mime/packages/turmado.xml",
    "share/icons/hicolor/scalable/apps/turmado.svg",
    f"share/icons/hicolor/scalable/mimetypes/{ICONO_MIME}.svg",
    "share/turmado/validacion/usgs_campo.csv",
    "share/turmado/validacion/usgs_laboratorio.csv",
} | {f"share/icons/hicolor/{n}x{n}/apps/turmado.png" for n in LADOS}
# The Python module, when the build has it (its path under the prefix).
MODULO = os.environ.get("TURMADO_MODULO_PYTHON", "")
if MODULO:
    ARCHIVOS.add(MODULO)


class Fallas(list):
    def comprobar(self, condicion, texto):
        if not condicion:
            self.append(texto)
        return condicion


def ejecutar(*orden, **opciones):
    return subprocess.run(orden, capture_output=True, text=True, **opciones)


def validador(fallas, *orden):
    """A validator passes: exit status 0 and no error or warning printed."""
    r = ejecutar(*orden)
    salida = (r.stdout + r.stderr).strip()
    fallas.comprobar(r.returncode == 0, f"{' '.join(orden)}: estado {r.returncode}\n{salida}")
    return salida


def lado_png(ruta):
    with open(ruta, "rb") as f:
        cabecera = f.read(24)
    if cabecera[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", cabecera[16:24])


def comprobar_prefijo(raiz, version):
    """The desktop files installed under `raiz` (the prefix): complete,
    valid, and naming each other as they must."""
    fallas = Fallas()
    raiz = pathlib.Path(raiz)
    hay = {str(p.relative_to(raiz)) for p in raiz.rglob("*") if p.is_file()}
    fallas.comprobar(hay == ARCHIVOS, f"faltan {sorted(ARCHIVOS - hay)}, sobran {sorted(hay - ARCHIVOS)}")
    if ARCHIVOS - hay:
        return fallas

    for programa in ("bin/turmado", "bin/turmado-calc"):
        modo = (raiz / programa).stat().st_mode
        fallas.comprobar(modo & 0o111 == 0o111, f"{programa} no es ejecutable")

    # Desktop entry: valid, Spanish, opening the problem files.
    escritorio = raiz / f"share/applications/{ID}.desktop"
    validador(fallas, "desktop-file-validate", str(escritorio))
    entrada = configparser.ConfigParser(interpolation=None)
    entrada.optionxform = str
    entrada.read(escritorio, encoding="utf-8")
    e = entrada["Desktop Entry"]
    fallas.comprobar(e.get("Exec") == "turmado %F", f"Exec={e.get('Exec')}")
    fallas.comprobar(e.get("Icon") == "turmado", f"Icon={e.get('Icon')}")
    fallas.comprobar(e.get("MimeType", "").split(";")[:-1] == [MIME], f"MimeType={e.get('MimeType')}")
    categorias = e.get("Categories", "").split(";")
    fallas.comprobar("Science" in categorias and "Engineering" in categorias, f"Categories={e.get('Categories')}")
    for clave in ("Comment", "GenericName"):
        fallas.comprobar(re.search("[áéíóúñ]", e.get(clave, "")), f"{clave} no está en castellano: {e.get(clave)}")

    # AppStream: valid, the same id as the desktop entry, this version.
    metainfo = raiz / f"share/metainfo/{ID}.metainfo.xml"
    validador(fallas, "appstreamcli", "validate", "--no-net", str(metainfo))
    validador(fallas, "xmllint", "--noout", str(metainfo))
    componente = ET.parse(metainfo).getroot()
    fallas.comprobar(componente.findtext("id") == ID, f"id {componente.findtext('id')}")
    fallas.comprobar(componente.findtext("launchable") == f"{ID}.desktop", "launchable")
    fallas.comprobar(componente.findtext("provides/mediatype") == MIME, "mediatype")
    versiones = [r.get("version") for r in componente.iter("release")]
    fallas.comprobar(versiones[:1] == [version], f"releases {versiones}, proyecto {version}")

    # The file type: well formed, accepted by the MIME database, *.turmado.
    paquete_mime = raiz / "share/mime/packages/turmado.xml"
    validador(fallas, "xmllint", "--noout", str(paquete_mime))
    salida = validador(fallas, "update-mime-database", "-V", str(raiz / "share/mime"))
    fallas.comprobar("warning" not in salida.lower() and "error" not in salida.lower(), salida)
    globos = (raiz / "share/mime/globs2").read_text(encoding="utf-8") if (raiz / "share/mime/globs2").exists() else ""
    fallas.comprobar(re.search(rf"^\d+:{re.escape(MIME)}:\*\.turmado$", globos, re.M), f"globs2:\n{globos}")
    fallas.comprobar((raiz / f"share/mime/{MIME}.xml").exists(), "la base MIME no tiene el tipo")

    # Icons: the SVG and each PNG of its folder's size.
    for svg in ("apps/turmado.svg", f"mimetypes/{ICONO_MIME}.svg"):
        validador(fallas, "xmllint", "--noout", str(raiz / "share/icons/hicolor/scalable" / svg))
    for n in LADOS:
        lado = lado_png(raiz / f"share/icons/hicolor/{n}x{n}/apps/turmado.png")
        fallas.comprobar(lado == (n, n), f"icono {n}x{n} mide {lado}")
    return fallas
