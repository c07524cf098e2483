#!/usr/bin/env python3
# Writes the ten drawings of the problem types, resources/Pict*.svg: sections
# and plan views in one style (water, bed with its hatch, concrete, rock
# protection, scour hole, flow arrows, dimensions with their symbols and a
# legend), in the subset of SVG that Qt SVG renders.
#     python3 tools/dibujos.py [output directory, resources/ by default]
import math, os, sys

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

WATER = "#d8ecfa"
SURF = "#1f6fb5"
SAND = "#ecdcb0"
SAND_DARK = "#d9c38a"
SAND_DEEP = "#c7ab6b"
SANDLINE = "#7a5c2e"
CONC = "#c8c8c8"
CONCLINE = "#3a3a3a"
PROT = "#a3a3a3"
DIM = "#2b2b2b"
FLOW = "#1f5fa8"
VORT = "#c0392b"
TEXT = "#1a1a1a"
W = 600
DRAW_H = 330

# Rough advance widths (px per unit font size) of Liberation Sans italic.
ANCHO = {"i": 0.23, "l": 0.23, "f": 0.28, "t": 0.28, "r": 0.34, "D": 0.72, "L": 0.56, "B": 0.67,
         "H": 0.72, "Q": 0.78, "U": 0.72, "Δ": 0.67, "z": 0.5, "α": 0.58, "φ": 0.68, "θ": 0.56,
         "0": 0.56, "5": 0.56, "n": 0.56, "h": 0.56, "a": 0.56, "b": 0.56, "d": 0.56, "s": 0.5, "p": 0.56,
         "c": 0.5, "e": 0.56, "m": 0.83, "x": 0.5, "y": 0.5, "o": 0.56, "u": 0.56, "g": 0.56}


def ancho(texto, tam):
    return sum(ANCHO.get(c, 0.56) for c in texto) * tam


def f(v):
    return ("%.1f" % v).rstrip("0").rstrip(".")


def pts(lista):
    return " ".join("%s,%s" % (f(x), f(y)) for x, y in lista)


class Dibujo:
    def __init__(self, nombre, arriba=0, alto=DRAW_H):
        self.nombre = nombre
        self.arriba = arriba  # drawing rows above this are cut away
        self.alto = alto      # height of the drawing above the legend
        self.capas = []
        self.leyenda = []

    def add(self, s):
        self.capas.append(s)

    # ---- primitives
    def poly(self, p, fill, stroke="none", sw=1, extra=""):
        self.add('<polygon points="%s" fill="%s" stroke="%s" stroke-width="%s"%s/>' % (pts(p), fill, stroke, f(sw), extra))

    def line(self, p, stroke, sw=1, extra=""):
        self.add('<polyline points="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linejoin="round"%s/>'
                 % (pts(p), stroke, f(sw), extra))

    def path(self, d, fill="none", stroke="none", sw=1, extra=""):
        self.add('<path d="%s" fill="%s" stroke="%s" stroke-width="%s"%s/>' % (d, fill, stroke, f(sw), extra))

    def text(self, x, y, s, size=13, anchor="start", italic=False, weight="normal", color=TEXT):
        st = ' font-style="italic"' if italic else ""
        wt = ' font-weight="bold"' if weight == "bold" else ""
        s = s.replace("&", "&amp;").replace("<", "&lt;")
        self.add('<text x="%s" y="%s" font-family="Arial" font-size="%s" text-anchor="%s" fill="%s"%s%s>%s</text>'
                 % (f(x), f(y), f(size), anchor, color, st, wt, s))

    # A symbol with an optional subscript, e.g. ("d", "s"); anchor at its left
    # edge, centre or right edge.
    def sym(self, x, y, base, sub="", anchor="start", size=15):
        total = ancho(base, size) + (ancho(sub, size * 0.7) + 1 if sub else 0)
        x0 = x if anchor == "start" else x - total / 2 if anchor == "middle" else x - total
        self.text(x0, y, base, size=size, italic=True)
        if sub:
            self.text(x0 + ancho(base, size) + 1, y + size * 0.28, sub, size=size * 0.7, italic=True)

    def arrowhead(self, x, y, ang, size=8, color=DIM, width=0.38):
        # tip at (x, y) pointing along ang (radians)
        bx, by = x - size * math.cos(ang), y - size * math.sin(ang)
        px, py = -math.sin(ang) * size * width, math.cos(ang) * size * width
        self.poly([(x, y), (bx + px, by + py), (bx - px, by - py)], color)

    def dim_v(self, x, y1, y2, base, sub="", side="right", gap=6):
        self.line([(x, y1), (x, y2)], DIM, 1)
        self.arrowhead(x, y1, -math.pi / 2 if y1 < y2 else math.pi / 2, 7)
        self.arrowhead(x, y2, math.pi / 2 if y1 < y2 else -math.pi / 2, 7)
        ym = (y1 + y2) / 2 + 5
        if side == "right":
            self.sym(x + gap, ym, base, sub)
        else:
            self.sym(x - gap, ym, base, sub, anchor="end")

    def dim_h(self, y, x1, x2, base, sub="", above=True):
        self.line([(x1, y), (x2, y)], DIM, 1)
        self.arrowhead(x1, y, math.pi, 7)
        self.arrowhead(x2, y, 0, 7)
        self.sym((x1 + x2) / 2, y - 6 if above else y + 17, base, sub, anchor="middle")

    def ext(self, p1, p2):
        self.line([p1, p2], DIM, 0.7)

    def flow_arrow(self, x1, y, x2, label="Q", ang=0.0):
        dx, dy = math.cos(ang), math.sin(ang)
        self.line([(x1, y), (x2 - 10 * dx, y + (x2 - x1) * math.tan(ang) - 10 * dy)], FLOW, 3)
        self.arrowhead(x2, y + (x2 - x1) * math.tan(ang), ang, 14, FLOW, 0.45)
        if label:
            self.sym((x1 + x2) / 2, y - 9, label, anchor="middle")

    def surface_mark(self, x, y):
        # the water-level triangle standing on the surface
        self.poly([(x - 7, y - 11), (x + 7, y - 11), (x, y - 1)], "white", SURF, 1.3)
        self.line([(x - 5, y + 4), (x + 5, y + 4)], SURF, 1)
        self.line([(x - 3, y + 7), (x + 3, y + 7)], SURF, 1)

    # Ground: the bed line and the sediment below it down to `base`, with
    # the short hatch of earth under the line.
    def ground(self, linea, base, fill=SAND):
        poly = list(linea) + [(linea[-1][0], base), (linea[0][0], base)]
        self.poly(poly, fill)
        self.hatch(linea)
        self.line(linea, SANDLINE, 1.8)

    def hatch(self, linea, paso=11, largo=8, arriba=False):
        for (x1, y1), (x2, y2) in zip(linea, linea[1:]):
            L = math.hypot(x2 - x1, y2 - y1)
            n = int(L // paso)
            for i in range(n):
                t = (i + 0.5) * paso / L
                x, y = x1 + t * (x2 - x1), y1 + t * (y2 - y1)
                sy = -1 if arriba else 1
                self.line([(x, y), (x - largo * 0.7, y + sy * largo * 0.7)], SANDLINE, 1.1)

    def stones(self, x1, x2, y1, y2, r=3.2):
        # the rock of a bed protection, in rows
        fila = 0
        y = y1 + r + 0.8
        while y + r <= y2 + 0.5:
            x = x1 + r + 1 + (r if fila % 2 else 0)
            while x + r <= x2 - 0.5:
                self.add('<circle cx="%s" cy="%s" r="%s" fill="#8a8a8a" stroke="#5a5a5a" stroke-width="0.6"/>'
                         % (f(x), f(y), f(r)))
                x += 2 * r + 1.2
            y += 2 * r * 0.9
            fila += 1

    def vortex(self, cx, cy, rx, ry, clockwise=True):
        # a roller: an open ellipse with an arrowhead
        a0, a1 = (0.35, 2 * math.pi - 0.2)
        n = 40
        p = []
        for i in range(n + 1):
            a = a0 + (a1 - a0) * i / n
            s = 1 if clockwise else -1
            p.append((cx + rx * math.cos(a), cy + s * ry * math.sin(a)))
        self.line(p, VORT, 1.8)
        (xa, ya), (xb, yb) = p[-2], p[-1]
        self.arrowhead(xb + (xb - xa) * 0.8, yb + (yb - ya) * 0.8, math.atan2(yb - ya, xb - xa), 9, VORT, 0.45)

    def legend(self, entradas):
        self.leyenda = entradas

    def svg(self):
        filas = (len(self.leyenda) + 1) // 2
        alto = self.alto + 14 + filas * 21 + 10
        out = ['<?xml version="1.0" encoding="UTF-8"?>',
               '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
               'width="%d" height="%d" viewBox="0 0 %d %d">' % (W, alto, W, alto),
               '<rect x="0" y="0" width="%d" height="%d" fill="white"/>' % (W, alto)]
        out.append('<g transform="translate(0,%d)">' % -self.arriba)
        out += ["  " + c for c in self.capas]
        out.append("</g>")
        # legend: a light band with symbol and meaning in two columns
        y0 = self.alto + 6
        out.append('  <rect x="8" y="%d" width="%d" height="%d" fill="#f4f4f4" stroke="#b0b0b0" stroke-width="1"/>'
                   % (y0, W - 16, alto - y0 - 8))
        self.capas = []
        for i, (base, sub, texto) in enumerate(self.leyenda):
            col, fila = i % 2, i // 2
            x = 22 + col * 292
            y = y0 + 22 + fila * 21
            self.sym(x, y, base, sub, size=14)
            self.text(x + 44, y, texto, size=13)
        out += ["  " + c for c in self.capas]
        out.append("</svg>")
        return "\n".join(out) + "\n"

    def save(self):
        with open(os.path.join(OUT, "Pict%s.svg" % self.nombre), "w", encoding="utf-8") as fh:
            fh.write(self.svg())


def water(d, linea_sup, linea_fondo):
    """Water between the surface (left to right) and the bed (left to right)."""
    d.poly(list(linea_sup) + list(reversed(linea_fondo)), WATER)


def scour_hole(x1, x2, yb, depth, xdeep=None, steep_up=0.35):
    """Bed line points of a scour hole from x1 to x2 at bed level yb."""
    xdeep = xdeep if xdeep is not None else x1 + (x2 - x1) * steep_up
    p = []
    n = 24
    for i in range(n + 1):
        x = x1 + (x2 - x1) * i / n
        if x <= xdeep:
            t = (x - x1) / (xdeep - x1)
            y = yb + depth * math.sin(t * math.pi / 2)
        else:
            t = (x - xdeep) / (x2 - xdeep)
            y = yb + depth * (1 + math.cos(t * math.pi)) / 2
        p.append((x, y))
    return p


def smooth(p0, p1, n=10):
    """Surface drop from p0 to p1 as a cosine curve."""
    (x0, y0), (x1, y1) = p0, p1
    return [(x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * (1 - math.cos(math.pi * i / n)) / 2) for i in range(n + 1)]


def pvc1():
    d = Dibujo("PVC1", arriba=40, alto=290)
    sup = [(0, 80), (140, 80)] + smooth((150, 80), (250, 104))[1:] + [(600, 104)]
    hoyo = scour_hole(350, 540, 240, 60)
    fondo = [(0, 190), (170, 190), (170, 240), (350, 240)] + hoyo[1:] + [(600, 240)]
    water(d, sup, fondo)
    d.line(sup, SURF, 2)
    base = 325
    d.poly(fondo + [(600, base), (0, base)], SAND)
    d.hatch([(0, 190), (110, 190)])
    d.hatch(hoyo + [(600, 240)])
    d.line([(0, 190), (110, 190)], SANDLINE, 1.8)
    d.line(hoyo + [(600, 240)], SANDLINE, 1.8)
    # sill of the step and rock protection downstream
    d.poly([(110, 190), (170, 190), (170, 256), (110, 256)], CONC, CONCLINE, 1.5)
    d.poly([(170, 240), (350, 240), (350, 256), (170, 256)], PROT, CONCLINE, 1.2)
    d.stones(170, 350, 240, 256)
    d.line([(350, 240), (540, 240)], SANDLINE, 1, ' stroke-dasharray="6,4"')
    d.vortex(402, 262, 26, 13)
    d.flow_arrow(24, 140, 104)
    d.surface_mark(470, 104)
    d.dim_v(572, 104, 240, "h", side="left")
    d.ext((170, 190), (194, 190))
    d.dim_v(188, 190, 240, "Δz")
    d.ext((170, 256), (170, 284))
    d.ext((350, 256), (350, 284))
    d.dim_h(278, 170, 350, "L", "p", above=False)
    xd = 350 + 190 * 0.35
    d.ext((xd, 300), (512, 300))
    d.dim_v(506, 240, 300, "d", "s")
    d.sym(40, 268, "d", "50")
    d.legend([("h", "", "tirante en la restitución"), ("Δz", "", "altura del salto del fondo"),
              ("L", "p", "longitud de la protección"), ("d", "s", "erosión máxima de equilibrio"),
              ("d", "50", "diámetro medio del sedimento"), ("Q", "", "caudal")])
    d.save()



def arc(d, cx, cy, r, a0, a1, color=DIM, sw=1):
    """Arc of an angle mark, angles in degrees, y down (positive = clockwise on screen)."""
    n = 16
    p = [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / n)), cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / n)))
         for i in range(n + 1)]
    d.line(p, color, sw)


def parabola(x0, y0, k, x1, n=12):
    return [(x0 + (x1 - x0) * i / n, y0 + k * ((x1 - x0) * i / n) ** 2) for i in range(n + 1)]


def pvc2():
    d = Dibujo("PVC2", arriba=20, alto=305)
    sup_arriba = [(0, 70), (150, 70)]
    sup_abajo = [(164, 150)] + smooth((164, 150), (260, 122))[1:] + [(600, 122)]
    hoyo = scour_hole(380, 560, 240, 60)
    fondo_arriba = [(0, 240), (150, 240)]
    fondo_abajo = [(164, 240), (380, 240)] + hoyo[1:] + [(600, 240)]
    water(d, sup_arriba, fondo_arriba)
    d.poly([(150, 190), (164, 190), (164, 240), (150, 240)], WATER)
    water(d, sup_abajo, fondo_abajo)
    d.line(sup_arriba, SURF, 2)
    d.line(sup_abajo, SURF, 2)
    base = 325
    d.poly([(0, 240)] + fondo_abajo + [(600, base), (0, base)], SAND)
    d.hatch([(0, 240), (150, 240)])
    d.hatch(hoyo + [(600, 240)])
    d.line([(0, 240), (150, 240)], SANDLINE, 1.8)
    d.line(hoyo + [(600, 240)], SANDLINE, 1.8)
    # gate: a plate from above the surface down to the top of the opening
    d.poly([(150, 26), (164, 26), (164, 190), (150, 190)], CONC, CONCLINE, 1.5)
    d.poly([(138, 20), (176, 20), (176, 28), (138, 28)], CONC, CONCLINE, 1.2)
    d.poly([(150, 240), (380, 240), (380, 256), (150, 256)], PROT, CONCLINE, 1.2)
    d.stones(150, 380, 240, 256)
    d.line([(380, 240), (560, 240)], SANDLINE, 1, ' stroke-dasharray="6,4"')
    d.vortex(432, 262, 26, 13)
    d.flow_arrow(20, 150, 100)
    d.line([(172, 216), (236, 216)], FLOW, 2.5)
    d.arrowhead(250, 216, 0, 13, FLOW, 0.45)
    d.surface_mark(60, 70)
    d.surface_mark(470, 122)
    d.dim_v(572, 122, 240, "h", side="left")
    d.ext((150, 190), (124, 190))
    d.dim_v(130, 190, 240, "a", side="left")
    d.ext((150, 256), (150, 284))
    d.ext((380, 256), (380, 284))
    d.dim_h(278, 150, 380, "L", "p", above=False)
    xd = 380 + 180 * 0.35
    d.ext((xd, 300), (516, 300))
    d.dim_v(510, 240, 300, "d", "s")
    d.sym(40, 290, "d", "50")
    d.legend([("h", "", "tirante en la restitución"), ("a", "", "altura de la apertura"),
              ("L", "p", "longitud de la protección"), ("d", "s", "erosión máxima de equilibrio"),
              ("d", "50", "diámetro medio del sedimento"), ("Q", "", "caudal")])
    d.save()


def pen():
    d = Dibujo("PEn", arriba=40, alto=295)
    sup_arriba = [(0, 80), (160, 80)] + smooth((160, 80), (270, 135))[1:] + [(600, 135)]
    hoyo = scour_hole(290, 520, 250, 70)
    fondo = [(0, 160), (200, 160), (250, 250), (290, 250)] + hoyo[1:] + [(600, 250)]
    water(d, sup_arriba, fondo)
    d.line(sup_arriba, SURF, 2)
    base = 335
    d.poly(fondo + [(600, base), (0, base)], SAND)
    d.hatch([(0, 160), (150, 160)])
    d.hatch(hoyo + [(600, 250)])
    d.line([(0, 160), (150, 160)], SANDLINE, 1.8)
    d.line(hoyo + [(600, 250)], SANDLINE, 1.8)
    d.poly([(150, 160), (200, 160), (250, 250), (250, 266), (150, 266)], CONC, CONCLINE, 1.5)
    d.poly([(250, 250), (290, 250), (290, 266), (250, 266)], PROT, CONCLINE, 1.2)
    d.stones(250, 290, 250, 266)
    d.line([(290, 250), (520, 250)], SANDLINE, 1, ' stroke-dasharray="6,4"')
    # the jet slides down the face of the step
    d.line([(198, 146), (236, 214)], FLOW, 3)
    d.arrowhead(244, 228, math.atan2(82, 46), 14, FLOW, 0.45)
    d.line([(198, 146), (238, 146)], DIM, 0.8, ' stroke-dasharray="4,3"')
    ang = math.degrees(math.atan2(82, 46))
    arc(d, 198, 146, 26, 0, ang)
    d.sym(214, 141, "α")
    d.vortex(350, 284, 24, 12)
    d.flow_arrow(20, 125, 100)
    d.surface_mark(470, 135)
    d.dim_v(572, 135, 250, "h", side="left")
    d.line([(270, 80), (320, 80)], DIM, 0.7, ' stroke-dasharray="4,3"')
    d.dim_v(314, 80, 135, "H")
    d.ext((150, 250), (122, 250))
    d.dim_v(128, 160, 250, "Δz", side="left")
    d.ext((250, 266), (250, 294))
    d.ext((290, 266), (290, 294))
    d.dim_h(288, 250, 290, "L", "p", above=False)
    xd = 290 + 230 * 0.35
    d.ext((xd, 320), (476, 320))
    d.dim_v(470, 250, 320, "d", "s")
    d.sym(40, 240, "d", "50")
    d.legend([("h", "", "tirante en la restitución"), ("H", "", "dif. de altura carga/restitución"),
              ("Δz", "", "altura del salto del fondo"), ("α", "", "ángulo chorro/superficie libre"),
              ("L", "p", "longitud de la protección"), ("d", "s", "erosión máxima de equilibrio"),
              ("d", "50", "diámetro medio del sedimento"), ("Q", "", "caudal")])
    d.save()


def pcz():
    d = Dibujo("PCZ", arriba=40, alto=310)
    hoyo = scour_hole(250, 500, 260, 70)
    # upstream channel above the drop
    d.poly([(0, 80), (200, 80), (200, 130), (0, 130)], WATER)
    # falling jet: upper and lower nappe
    ku, kl = 90 / 103 ** 2, 40 / 75 ** 2
    sup_chorro = parabola(200, 80, ku, 303)
    inf_chorro = parabola(200, 130, kl, 275)
    d.poly(sup_chorro + list(reversed(inf_chorro)), WATER)
    sup_abajo = [(200, 170), (600, 170)]
    fondo_abajo = [(200, 260), (250, 260)] + hoyo[1:] + [(600, 260)]
    water(d, sup_abajo, fondo_abajo)
    d.line([(0, 80), (200, 80)] + sup_chorro[1:], SURF, 2)
    d.line(inf_chorro, SURF, 1.6)
    d.line([(200, 170), (600, 170)], SURF, 2)
    base = 345
    d.poly([(0, 130), (150, 130), (150, 276), (250, 276)] + hoyo[1:] + [(600, 260), (600, base), (0, base)], SAND)
    d.hatch([(0, 130), (150, 130)])
    d.hatch(hoyo + [(600, 260)])
    d.line([(0, 130), (150, 130)], SANDLINE, 1.8)
    d.line(hoyo + [(600, 260)], SANDLINE, 1.8)
    d.poly([(150, 130), (200, 130), (200, 276), (150, 276)], CONC, CONCLINE, 1.5)
    d.poly([(200, 260), (250, 260), (250, 276), (200, 276)], PROT, CONCLINE, 1.2)
    d.stones(200, 250, 260, 276)
    d.line([(250, 260), (500, 260)], SANDLINE, 1, ' stroke-dasharray="6,4"')
    # the jet under the surface and its angle with the free surface
    xe = 289
    ang = math.degrees(math.atan(2 * (ku + kl) / 2 * (xe - 200)))
    dx, dy = math.cos(math.radians(ang)), math.sin(math.radians(ang))
    d.line([(xe, 170), (xe + 52 * dx, 170 + 52 * dy)], FLOW, 3)
    d.arrowhead(xe + 66 * dx, 170 + 66 * dy, math.radians(ang), 14, FLOW, 0.45)
    arc(d, xe, 170, 30, 0, ang)
    d.sym(xe + 36, 191, "α")
    d.vortex(392, 290, 22, 11)
    d.flow_arrow(20, 112, 96)
    d.surface_mark(470, 170)
    d.surface_mark(140, 80)
    d.line([(310, 80), (556, 80)], DIM, 0.7, ' stroke-dasharray="4,3"')
    d.dim_v(550, 80, 170, "H", side="left")
    d.dim_v(578, 170, 260, "h", side="left")
    d.ext((200, 130), (220, 130))
    d.dim_v(214, 130, 260, "Δz")
    d.ext((200, 276), (200, 304))
    d.ext((250, 276), (250, 304))
    d.dim_h(298, 200, 250, "L", "p", above=False)
    xd = 250 + 250 * 0.35
    d.ext((xd, 330), (456, 330))
    d.dim_v(450, 260, 330, "d", "s")
    d.sym(40, 220, "d", "50")
    d.legend([("h", "", "tirante en la restitución"), ("H", "", "dif. de altura carga/restitución"),
              ("Δz", "", "altura del salto del fondo"), ("α", "", "ángulo chorro/superficie libre"),
              ("L", "p", "longitud de la protección"), ("d", "s", "erosión máxima de equilibrio"),
              ("d", "50", "diámetro medio del sedimento"), ("Q", "", "caudal")])
    d.save()


def pac():
    d = Dibujo("PAC", arriba=10, alto=320)
    sup_arriba = [(0, 60), (150, 60)]
    sup_abajo = [(260, 150)] + smooth((260, 150), (340, 130))[1:] + [(600, 130)]
    hoyo = scour_hole(300, 530, 240, 65)
    water(d, sup_arriba, [(0, 240), (150, 240)])
    d.poly([(150, 170), (260, 170), (260, 240), (150, 240)], WATER)
    water(d, sup_abajo, [(260, 240), (300, 240)] + hoyo[1:] + [(600, 240)])
    d.line(sup_arriba, SURF, 2)
    d.line(sup_abajo, SURF, 2)
    base = 330
    d.poly([(0, 240), (300, 240)] + hoyo[1:] + [(600, 240), (600, base), (0, base)], SAND)
    d.hatch([(0, 240), (150, 240)])
    d.hatch(hoyo + [(600, 240)])
    d.line([(0, 240), (150, 240)], SANDLINE, 1.8)
    d.line(hoyo + [(600, 240)], SANDLINE, 1.8)
    # the culvert: its roof and the embankment over it cross the surface
    d.poly([(130, 20), (280, 20), (280, 30), (260, 30), (260, 170), (150, 170), (150, 30), (130, 30)],
           CONC, CONCLINE, 1.5)
    d.poly([(150, 240), (300, 240), (300, 256), (150, 256)], PROT, CONCLINE, 1.2)
    d.stones(150, 300, 240, 256)
    d.line([(300, 240), (530, 240)], SANDLINE, 1, ' stroke-dasharray="6,4"')
    d.line([(164, 208), (258, 208)], FLOW, 2.5)
    d.arrowhead(276, 208, 0, 13, FLOW, 0.45)
    d.vortex(368, 262, 24, 12)
    d.flow_arrow(20, 130, 100)
    d.surface_mark(60, 60)
    d.surface_mark(470, 130)
    d.line([(290, 60), (546, 60)], DIM, 0.7, ' stroke-dasharray="4,3"')
    d.dim_v(540, 60, 130, "H", side="left")
    d.dim_v(576, 130, 240, "h", side="left")
    d.ext((150, 170), (124, 170))
    d.dim_v(130, 170, 240, "a", side="left")
    d.ext((260, 256), (260, 284))
    d.ext((300, 256), (300, 284))
    d.dim_h(278, 260, 300, "L", "p", above=False)
    xd = 300 + 230 * 0.35
    d.ext((xd, 305), (486, 305))
    d.dim_v(480, 240, 305, "d", "s")
    d.sym(40, 295, "d", "50")
    d.legend([("h", "", "tirante en la restitución"), ("H", "", "dif. de altura carga/restitución"),
              ("a", "", "altura de la apertura"), ("L", "p", "longitud de la protección"),
              ("d", "s", "erosión máxima de equilibrio"), ("d", "50", "diámetro medio del sedimento"),
              ("Q", "", "caudal")])
    d.save()


def ppi():
    d = Dibujo("PPi", arriba=10, alto=330)
    sup = [(0, 80), (230, 80)] + smooth((230, 80), (278, 70))[1:] + [(332, 78), (600, 80)]
    hoyo = [(170, 240), (280, 300), (330, 300), (440, 240)]
    fondo = [(0, 240)] + hoyo + [(600, 240)]
    water(d, sup, fondo)
    d.line(sup[:-2] + [(280, 70)], SURF, 2)
    d.line([(330, 78), (600, 80)], SURF, 2)
    base = 340
    d.poly(fondo + [(600, base), (0, base)], SAND)
    d.hatch(fondo)
    d.line(fondo, SANDLINE, 1.8)
    d.line([(170, 240), (440, 240)], SANDLINE, 1, ' stroke-dasharray="6,4"')
    # the pier and its foundation below the bed
    d.poly([(280, 20), (330, 20), (330, 330), (280, 330)], CONC, CONCLINE, 1.5)
    d.poly([(262, 330), (348, 330), (348, 340), (262, 340)], CONC, CONCLINE, 1.2)
    d.vortex(264, 278, 12, 8)
    d.flow_arrow(90, 150, 170)
    d.surface_mark(500, 80)
    d.dim_v(40, 80, 240, "h")
    d.dim_h(44, 280, 330, "b")
    d.dim_v(350, 240, 300, "d", "s")
    d.dim_h(222, 170, 280, "L", "f")
    ang = math.degrees(math.atan2(60, 110))
    arc(d, 170, 240, 34, 0, ang)
    d.sym(208, 256, "φ")
    d.sym(40, 300, "d", "50")
    d.legend([("h", "", "tirante aguas arriba"), ("b", "", "ancho de la pila"),
              ("d", "s", "erosión máxima de equilibrio"), ("L", "f", "longitud de falla crítica"),
              ("φ", "", "ángulo de reposo del sedimento"), ("d", "50", "diámetro medio del sedimento"),
              ("Q", "", "caudal")])
    d.save()


# ---- plan views: banks at the top and bottom, flow from left to right.

def banks(d, y_sup, y_inf, alto):
    d.poly([(0, 0), (600, 0), (600, y_sup), (0, y_sup)], SAND)
    d.poly([(0, y_inf), (600, y_inf), (600, alto), (0, alto)], SAND)
    d.hatch([(600, y_sup), (0, y_sup)][::-1], arriba=True)
    d.hatch([(0, y_inf), (600, y_inf)])
    d.line([(0, y_sup), (600, y_sup)], SANDLINE, 1.8)
    d.line([(0, y_inf), (600, y_inf)], SANDLINE, 1.8)


def hole_plan(d, cx, cy, rx, ry):
    # nested contours of the scour hole, deepest in the centre
    for k, color in ((1.0, SAND), (0.7, SAND_DARK), (0.4, SAND_DEEP)):
        d.add('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s" stroke="%s" stroke-width="1" stroke-dasharray="5,3"/>'
              % (f(cx), f(cy), f(rx * k), f(ry * k), color, SANDLINE))


def streamline(d, p, color=FLOW):
    d.path(p, "none", color, 1.2, ' stroke-dasharray="1,0"')


def pes1():
    d = Dibujo("PEs1", arriba=0, alto=300)
    d.poly([(0, 0), (600, 0), (600, 300), (0, 300)], WATER)
    hole_plan(d, 262, 152, 78, 52)
    banks(d, 40, 252, 300)
    d.poly([(260, 160), (330, 160), (330, 252), (260, 252)], CONC, CONCLINE, 1.5)
    d.poly([(256, 252), (334, 252), (334, 300), (256, 300)], CONC, CONCLINE, 1.2)
    for y in (78, 112):
        d.line([(30, y), (560, y)], FLOW, 1.2)
        d.arrowhead(570, y, 0, 9, FLOW, 0.45)
    d.path("M 30 200 L 170 200 C 220 200 230 118 300 118 C 380 118 400 210 480 214 L 540 214", "none", FLOW, 1.2)
    d.arrowhead(552, 214, 0, 9, FLOW, 0.45)
    d.vortex(225, 212, 16, 10)
    d.flow_arrow(40, 146, 120)
    d.line([(186, 118), (212, 136)], DIM, 0.8)
    d.text(186, 113, "foso de erosión", 12, anchor="end")
    d.dim_v(590, 40, 252, "B", side="left")
    d.ext((330, 160), (366, 160))
    d.dim_v(360, 160, 252, "L", "t")
    d.ext((260, 252), (260, 290))
    d.ext((330, 252), (330, 290))
    d.dim_h(282, 260, 330, "L", "l")
    d.legend([("B", "", "ancho del cauce"), ("L", "t", "extensión transversal"),
              ("L", "l", "extensión longitudinal"), ("Q", "", "caudal")])
    d.save()


def pes2():
    d = Dibujo("PES2", arriba=0, alto=300)
    d.poly([(0, 0), (600, 0), (600, 300), (0, 300)], WATER)
    bx, by, tx, ty = 250, 252, 316, 140
    hole_plan(d, tx - 6, ty - 2, 74, 48)
    banks(d, 40, 252, 300)
    # the spur dike: a narrow dam from the bank, at an angle, with a round head
    L = math.hypot(tx - bx, ty - by)
    ux, uy = (tx - bx) / L, (ty - by) / L
    nx, ny = -uy * 8, ux * 8
    d.poly([(bx + nx, by + ny), (tx + nx, ty + ny), (tx - nx, ty - ny), (bx - nx, by - ny)], CONC, CONCLINE, 1.5)
    d.add('<circle cx="%s" cy="%s" r="8" fill="%s" stroke="%s" stroke-width="1.5"/>' % (f(tx), f(ty), CONC, CONCLINE))
    d.poly([(bx + nx + 1, by + ny - 1), (tx + nx, ty + ny), (tx - nx, ty - ny), (bx - nx - 1, by - ny - 1)], CONC)
    for y in (74, 106):
        d.line([(30, y), (560, y)], FLOW, 1.2)
        d.arrowhead(570, y, 0, 9, FLOW, 0.45)
    d.path("M 30 196 L 160 196 C 220 196 250 124 320 124 C 390 124 400 190 480 196 L 540 196", "none", FLOW, 1.2)
    d.arrowhead(552, 196, 0, 9, FLOW, 0.45)
    d.vortex(370, 222, 28, 14)
    d.flow_arrow(40, 146, 120)
    d.line([(222, 112), (246, 130)], DIM, 0.8)
    d.text(222, 107, "foso de erosión", 12, anchor="end")
    ang = math.degrees(math.atan2(ty - by, tx - bx))
    d.line([(bx, by - 1), (bx + 60, by - 1)], DIM, 0.8, ' stroke-dasharray="4,3"')
    arc(d, bx, by, 36, ang, 0)
    d.sym(bx + 40, by - 12, "θ")
    d.dim_v(590, 40, 252, "B", side="left")
    d.ext((tx + 8, ty), (452, ty))
    d.dim_v(446, ty, 252, "L", "t")
    d.legend([("B", "", "ancho del cauce"), ("L", "t", "extensión transversal"),
              ("θ", "", "ángulo del espigón con la orilla"), ("Q", "", "caudal")])
    d.save()


def pep():
    d = Dibujo("PEP", arriba=0, alto=300)
    d.poly([(0, 0), (600, 0), (600, 300), (0, 300)], WATER)
    hole_plan(d, 232, 124, 66, 44)
    banks(d, 40, 252, 300)
    d.poly([(226, 126), (364, 126), (364, 252), (226, 252)], PROT, CONCLINE, 1.2)
    d.stones(226, 364, 126, 252, r=4)
    d.poly([(260, 160), (330, 160), (330, 252), (260, 252)], CONC, CONCLINE, 1.5)
    d.poly([(256, 252), (334, 252), (334, 300), (256, 300)], CONC, CONCLINE, 1.2)
    for y in (70, 98):
        d.line([(30, y), (560, y)], FLOW, 1.2)
        d.arrowhead(570, y, 0, 9, FLOW, 0.45)
    d.flow_arrow(40, 170, 120)
    d.line([(150, 96), (180, 112)], DIM, 0.8)
    d.text(150, 92, "foso de erosión", 12, anchor="end")
    d.dim_v(590, 40, 252, "B", side="left")
    d.ext((364, 126), (414, 126))
    d.ext((330, 160), (466, 160))
    d.dim_v(408, 126, 160, "L", "p")
    d.dim_v(460, 160, 252, "L", "t")
    d.legend([("B", "", "ancho del cauce"), ("L", "t", "extensión transversal"),
              ("L", "p", "longitud de la protección"), ("Q", "", "caudal")])
    d.save()


def pag():
    d = Dibujo("PAG", arriba=0, alto=300)
    d.poly([(0, 0), (600, 0), (600, 300), (0, 300)], WATER)
    ys = (96, 146, 196)
    for y in ys:
        d.poly([(324, y - 11), (420, y - 34), (420, y + 34), (324, y + 11)], "#c4e1f6")
    for y in ys:
        hole_plan(d, 386, y, 48, 22)
    for y in ys:
        d.line([(324, y - 11), (414, y - 32)], FLOW, 0.9, ' stroke-dasharray="4,3"')
        d.line([(324, y + 11), (414, y + 32)], FLOW, 0.9, ' stroke-dasharray="4,3"')
    banks(d, 40, 252, 300)
    # the embankment across the channel, its crest and the pipes through it
    d.poly([(214, 0), (334, 0), (334, 300), (214, 300)], "#d6caa0", SANDLINE, 1.2)
    d.poly([(246, 0), (302, 0), (302, 300), (246, 300)], "#bdbdbd", CONCLINE, 1)
    for y in ys:
        d.poly([(214, y - 11), (334, y - 11), (334, y + 11), (214, y + 11)], "#a9d2f0", CONCLINE, 1,
               ' stroke-dasharray="5,3"')
        d.poly([(208, y - 17), (214, y - 17), (214, y + 17), (208, y + 17)], CONC, CONCLINE, 1.2)
        d.poly([(334, y - 17), (340, y - 17), (340, y + 17), (334, y + 17)], CONC, CONCLINE, 1.2)
        d.line([(350, y), (372, y)], FLOW, 2)
        d.arrowhead(382, y, 0, 10, FLOW, 0.45)
    for y, n in zip(ys, ("1", "2", "n")):
        d.sym(274, y + 5, n, anchor="middle", size=14)
    d.flow_arrow(40, 146, 130)
    d.line([(110, 70), (150, 70)], FLOW, 1.2)
    d.arrowhead(160, 70, 0, 9, FLOW, 0.45)
    d.line([(110, 222), (150, 222)], FLOW, 1.2)
    d.arrowhead(160, 222, 0, 9, FLOW, 0.45)
    d.ext((208, 185), (184, 185))
    d.ext((208, 207), (184, 207))
    d.dim_v(190, 185, 207, "D", side="left")
    d.line([(452, 110), (430, 128)], DIM, 0.8)
    d.text(456, 106, "foso de erosión", 12)
    d.dim_v(590, 40, 252, "B", side="left")
    d.legend([("D", "", "diámetro de la apertura"), ("n", "", "cantidad de aperturas"),
              ("B", "", "ancho del cauce"), ("Q", "", "caudal")])
    d.save()


if __name__ == "__main__":
    for fn in [pvc1, pvc2, pen, pcz, pac, pes1, pes2, pep, ppi, pag]:
        fn()
