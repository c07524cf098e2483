// "Continuar" on the structure page: reads the structure fields into the
// record, checks the protection and tells where the user goes next.
#pragma once

#include "problem/untCampos.h"
#include "problem/untDatos.h"

inline constexpr const char* kMensajeProteccion = "La longitud de la protección es insuficiente para que actúe.";

enum class TSiguiente {
    Nada,             // no structure code: nothing more happens
    Complementarios,  // open "Datos Complementarios"
    PreguntarChorro,  // bed step with an insufficient protection: ask how the jet behaves
    CalcularDirecto,  // protected abutment: compute at once
};

struct TContinuacion {
    TSiguiente siguiente = TSiguiente::Nada;
    bool proteccionInsuficiente = false;  // show kMensajeProteccion
};

// For the record's current (second-level) code: stores the depth and the
// structure fields, sets ProtEfec for codes 11, 12 and 21 (other codes keep
// it), and returns the next step.  Texts are read without checking.
TContinuacion ContinuarEstructura(TDatosProblema& d, const TTextosCampos& textos);
