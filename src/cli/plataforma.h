// What a console program does differently on Windows and on the POSIX
// systems: the console, and arguments and file names in UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Standard input, output and error carry bytes as they are (no "\r\n" for
// "\n" on Windows), and a Windows console shows the UTF-8 that the program
// writes.  Called once, first thing.
void PrepararConsola();

// The command-line arguments after the program name, in UTF-8 (on Windows
// read from the wide command line, which keeps every character of a file name).
std::vector<std::string> ArgumentosUtf8(int argc, char** argv);

// Whether standard error goes to a terminal.
bool ErrorEnTerminal();

// The file named by a UTF-8 text.
std::filesystem::path RutaUtf8(std::string_view texto);
