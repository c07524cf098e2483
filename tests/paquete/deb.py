#!/usr/bin/env python3
"""`cpack -G DEB` from the build folder, into a temporary folder: the
package's name, version and architecture, its files (`dpkg-deb -c`) those of
an installation under /usr and valid as such, and its `Depends` (`dpkg-deb
-I`) naming the package of every shared library that the programs load,
the fonts of the report, and nothing this system cannot install.

    deb.py BUILD VERSION"""

import glob
import os
import re
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ in the sources
from comun import ARCHIVOS, comprobar_prefijo, ejecutar


def paquetes(campo):
    """Package names of a Depends-like field: "a (>= 1), b | c" -> {a, b, c}."""
    return {re.split(r"[\s(:]", alternativa.strip())[0]
            for parte in campo.split(",") if parte.strip()
            for alternativa in parte.split("|")}


def paquete_de_biblioteca(soname):
    """The installed package that holds a shared library, by its soname."""
    arquitectura = ejecutar("dpkg", "--print-architecture").stdout.strip()
    for linea in ejecutar("ldconfig", "-p").stdout.splitlines():
        m = re.match(rf"\s*{re.escape(soname)} \(([^)]*)\) => (\S+)", linea)
        if not m or ("x86-64" in m.group(1)) != (arquitectura == "amd64"):
            continue
        for ruta in {m.group(2), os.path.realpath(m.group(2))}:
            r = ejecutar("dpkg", "-S", ruta)
            if r.returncode == 0:
                return r.stdout.split(":")[0]
    return None


def main(construccion, version):
    fallas = []
    arquitectura = ejecutar("dpkg", "--print-architecture").stdout.strip()
    with tempfile.TemporaryDirectory() as carpeta:
        r = ejecutar("cpack", "-G", "DEB", "--config", os.path.join(construccion, "CPackConfig.cmake"), "-B", carpeta,
                     cwd=construccion)
        debs = glob.glob(os.path.join(carpeta, "*.deb"))
        if r.returncode != 0 or len(debs) != 1:
            print(r.stdout, r.stderr)
            print("FALLA: cpack no hizo un paquete")
            return 1
        deb = debs[0]
        print(os.path.basename(deb))
        if os.path.basename(deb) != f"turmado_{version}_{arquitectura}.deb":
            fallas.append(f"nombre {os.path.basename(deb)}")

        # dpkg-deb -I: the control fields.
        control = ejecutar("dpkg-deb", "-I", deb).stdout
        print(control)
        campo = lambda nombre: ejecutar("dpkg-deb", "-f", deb, nombre).stdout.strip()
        for nombre, esperado in (("Package", "turmado"), ("Version", version), ("Architecture", arquitectura)):
            if campo(nombre) != esperado:
                fallas.append(f"{nombre}: {campo(nombre)!r}, no {esperado!r}")
        depende = paquetes(campo("Depends"))
        if "fonts-liberation" not in depende:
            fallas.append("Depends sin fonts-liberation (las fuentes del reporte)")
        if "qt6-translations-l10n" not in paquetes(campo("Recommends")):
            fallas.append("Recommends sin qt6-translations-l10n (los textos de Qt en castellano)")
        for p in sorted(depende):
            if ejecutar("apt-cache", "show", p).returncode != 0 and ejecutar("dpkg", "-s", p).returncode != 0:
                fallas.append(f"Depends nombra {p}, que este sistema no conoce")

        # dpkg-deb -c: the installation's files under /usr, no others.
        lista = ejecutar("dpkg-deb", "-c", deb).stdout
        archivos = {linea.split()[-1].removeprefix("./") for linea in lista.splitlines() if not linea.startswith("d")}
        esperados = {"usr/" + a for a in ARCHIVOS}
        if archivos != esperados:
            fallas.append(f"archivos: faltan {sorted(esperados - archivos)}, sobran {sorted(archivos - esperados)}")

        # Unpacked: the same checks as an installation, and every library
        # the programs load comes from a package in Depends.
        raiz = os.path.join(carpeta, "raiz")
        ejecutar("dpkg-deb", "-x", deb, raiz)
        fallas += comprobar_prefijo(os.path.join(raiz, "usr"), version)
        for programa in ("turmado", "turmado-calc"):
            dinamica = ejecutar("readelf", "-d", os.path.join(raiz, "usr/bin", programa)).stdout
            for soname in re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]", dinamica):
                p = paquete_de_biblioteca(soname)
                if p is None:
                    fallas.append(f"{programa}: no se sabe qué paquete da {soname}")
                elif p not in depende:
                    fallas.append(f"{programa} carga {soname}, de {p}, que no está en Depends")
    for f in fallas:
        print("FALLA:", f)
    return 1 if fallas else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
