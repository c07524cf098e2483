// The one error type of the core: every failure a front end must tell apart
// carries its kind and the message for the user (what()).
#pragma once

#include <stdexcept>
#include <string>

enum class TClaseError {
    TextoRechazado,   // a field text that its field would reject
    TextoNoNumerico,  // a text read as a number by "Calcular" that is not one
    Flotante,         // a floating-point fault of a calculation
    Chorro,           // a bed step whose protection is too short, without the jet answer
    Rechazo,          // data that "Calcular" refuses before reading them
    Archivo,          // a problem file that cannot be opened
    Escritura,        // an output that could not be written
};

class ErrorTurmado : public std::runtime_error {
public:
    ErrorTurmado(TClaseError clase, const std::string& mensaje) : std::runtime_error(mensaje), clase_(clase) {}
    TClaseError Clase() const noexcept { return clase_; }

private:
    TClaseError clase_;
};
