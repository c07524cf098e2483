#!/usr/bin/env python3
"""Checks that the #include lines of src/core and src/gui run one way.

Each tree is a stack of folders, lowest first; a file at the root of a tree
(the core's door, turmado.h) stands above them all.  A file may include from its
own folder or a lower one (and the GUI from the core); a header and its .cpp
count as one unit, and the units of a tree must not include each other in a
circle.  Prints every fault and exits with 1 when there is any.
"""
import pathlib
import re
import sys

RAIZ = pathlib.Path(__file__).resolve().parent.parent / "src"
PILAS = {
    "core": ["general", "problem", "compute", "tipos", "results"],
    "gui": ["comun", "results", "pickers", "problem", "app"],
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def resolver(origen, nombre):
    """The file an include names, searched as the compiler does."""
    for base in (origen.parent, RAIZ / "gui", RAIZ / "core"):
        ruta = (base / nombre).resolve()
        if ruta.is_file():
            return ruta
    return None


def unidad(ruta):
    return ruta.with_suffix("")


def main():
    faltas = []
    for arbol, pila in PILAS.items():
        nivel = {carpeta: i for i, carpeta in enumerate(pila)}
        aristas = {}
        for ruta in sorted((RAIZ / arbol).rglob("*")):
            if ruta.suffix not in (".h", ".cpp"):
                continue
            carpeta = ruta.relative_to(RAIZ / arbol).parts[0]
            if ruta.parent == RAIZ / arbol:
                carpeta = "(raíz)"  # the tree's door (src/core/turmado.h): above every folder
                nivel.setdefault(carpeta, len(pila))
            if carpeta not in nivel:
                faltas.append(f"{ruta.relative_to(RAIZ)}: la carpeta {carpeta} no está en la pila de {arbol}")
                continue
            for nombre in INCLUDE.findall(ruta.read_text(encoding="utf-8")):
                destino = resolver(ruta, nombre)
                if destino is None:
                    faltas.append(f"{ruta.relative_to(RAIZ)}: no se encuentra {nombre}")
                    continue
                rel = destino.relative_to(RAIZ)
                if rel.parts[0] != arbol:
                    if arbol == "core":
                        faltas.append(f"{ruta.relative_to(RAIZ)}: el núcleo incluye {rel}")
                    continue
                otra = rel.parts[1]
                if nivel.get(otra, len(pila)) > nivel[carpeta]:
                    faltas.append(f"{ruta.relative_to(RAIZ)}: {carpeta}/ incluye {rel} de una carpeta superior")
                if arbol == "core" and carpeta == otra == "tipos":
                    faltas += tipos(ruta.relative_to(RAIZ), rel)
                if unidad(destino) != unidad(ruta):
                    aristas.setdefault(unidad(ruta), set()).add(unidad(destino))
        faltas += circulos(arbol, aristas)
    faltas += fachada()
    for f in faltas:
        print(f)
    return 1 if faltas else 0


def tipos(origen, destino):
    """The type folders (core/tipos/<tipo>/) stand side by side under their
    registry (the files of core/tipos/ itself): a type includes from its own
    folder only, never another type's nor the registry."""
    propio = origen.parts[2] if len(origen.parts) > 3 else None
    ajeno = destino.parts[2] if len(destino.parts) > 3 else None
    if propio is not None and ajeno != propio:
        quien = f"el tipo {ajeno}" if ajeno else "el registro"
        return [f"{origen}: el tipo {propio} incluye {destino} ({quien})"]
    return []


def fachada():
    """The command line and the Python module reach the core through its one
    front door, turmado.h."""
    faltas = []
    for carpeta in ("cli", "python"):
        for ruta in sorted((RAIZ / carpeta).rglob("*")):
            if ruta.suffix not in (".h", ".cpp"):
                continue
            for nombre in INCLUDE.findall(ruta.read_text(encoding="utf-8")):
                destino = resolver(ruta, nombre)
                if destino is None or destino.parent == ruta.parent:
                    continue
                rel = destino.relative_to(RAIZ)
                if rel.parts[0] == "core" and rel != pathlib.Path("core/turmado.h"):
                    faltas.append(f"{ruta.relative_to(RAIZ)}: incluye {rel}; la puerta del núcleo es turmado.h")
    return faltas


def circulos(arbol, aristas):
    """One line per circle found by a depth-first walk over the units."""
    faltas, estado, camino = [], {}, []

    def visitar(u):
        estado[u] = 1
        camino.append(u)
        for v in sorted(aristas.get(u, ())):
            if estado.get(v) == 1:
                ciclo = camino[camino.index(v):] + [v]
                faltas.append(f"{arbol}: círculo " + " -> ".join(str(x.relative_to(RAIZ / arbol)) for x in ciclo))
            elif v not in estado:
                visitar(v)
        camino.pop()
        estado[u] = 2

    for u in sorted(aristas):
        if u not in estado:
            visitar(u)
    return faltas


if __name__ == "__main__":
    sys.exit(main())
