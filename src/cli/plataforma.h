// What a console program does differently on Windows and on the POSIX
// systems: the console, arguments and file names in UTF-8, and the raw
// reading and writing of files and standard streams with their errors.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <streambuf>
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

// The reason of a system error number (errno), in Spanish.
std::string TextoErrorSistema(int numero);

// A file descriptor opened for reading by a UTF-8 name, or -1 (errno set).
int AbrirLectura(std::string_view rutaUtf8);
void CerrarDescriptor(int descriptor);

// Thrown by TEntradaDescriptor when a read fails; the text is the reason.
class ErrorLectura : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a file descriptor (not closed here).  A failed read throws
// ErrorLectura, so that a batch cut short by it is told from one that ended;
// in_avail() is positive while more bytes can be read without waiting (a
// file, or a pipe with data in it), so that a batch answers the lines it has
// while its pipe is quiet.
class TEntradaDescriptor : public std::streambuf {
public:
    explicit TEntradaDescriptor(int descriptor) : descriptor_(descriptor) {}

protected:
    int_type underflow() override;
    std::streamsize showmanyc() override;

private:
    int descriptor_;
    char bufer_[1 << 16];
};

// Writes a file descriptor through a buffer of its own, keeping the error
// of the first write that fails (then nothing more is written): standard
// output's errors (a full disk, a closed pipe) would otherwise be lost.
class TSalidaDescriptor : public std::streambuf {
public:
    explicit TSalidaDescriptor(int descriptor) : descriptor_(descriptor) { setp(bufer_, bufer_ + sizeof bufer_); }
    // The system error number of the failed write; 0 while none failed.
    int Error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool Vaciar();
    int descriptor_;
    int error_ = 0;
    char bufer_[1 << 16];
};
