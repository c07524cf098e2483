// A double as text, the one formatter of numbers that the core uses.  It
// writes exactly what std::to_chars writes for the same arguments, and builds
// with every toolchain the calculator is built with (the WebAssembly one has
// no floating-point std::to_chars): the digits come from {fmt}, headers only.
#pragma once

#include <string>

// Shortest text that reads back as the same double: fixed or scientific,
// whichever is shorter, fixed on a tie ("0.1", "1e+20", "123456").
std::string CifrasCortas(double x);

// Fixed notation with `decimales` digits after the point ("%.*f").
std::string CifrasFijas(double x, int decimales);

// Scientific notation with `decimales` digits after the point ("%.*e").
std::string CifrasCientificas(double x, int decimales);

// General notation with `cifras` significant digits ("%.*g").
std::string CifrasGenerales(double x, int cifras);
