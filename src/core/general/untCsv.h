// Cells of the CSV files the program writes (batches, sweeps, studies,
// chart points, validation rows).
#pragma once

#include <string>
#include <string_view>

// Appends `celda` to `linea`, quoted when it holds the separator, a quote or
// a line break, with each quote inside doubled.
void AgregarCelda(std::string& linea, std::string_view celda, char separador = ',');

// The same cell as a text of its own.
std::string CeldaCsv(std::string_view celda, char separador = ',');
