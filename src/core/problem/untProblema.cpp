#include "problem/untProblema.h"

#include <algorithm>
#include <array>

#include "general/untMostrable.h"
#include "problem/untActivacion.h"
#include "problem/untAsistente.h"
#include "problem/untCodigo.h"

bool CodigoDeRespuestas(ProblemCode codigo) {
    constexpr std::array kCodigos{0, 1, 2, 3, 11, 12, 21, 22, 31};
    return std::find(kCodigos.begin(), kCodigos.end(), codigo) != kCodigos.end();
}

std::optional<std::string> TextoRechazado(const TTextosCampos& textos) {
    for (const auto& [nombre, texto] : textos) {
        const TCampo* campo = BuscarCampo(nombre);
        if (!campo) return "campo desconocido: " + Mostrable(nombre);
        if (!TextoAceptado(*campo, texto)) return nombre + ": " + std::string(campo->mensaje);
    }
    return std::nullopt;
}

ErrorChorro::ErrorChorro()
    : ErrorTurmado(TClaseError::Chorro, "la protección es insuficiente: falta el comportamiento del chorro, 0 (impacta sobre "
                         "superficie libre) o 1 (desliza sobre escalón)") {}

TContinuacion RecorrerAsistente(TDatosProblema& d, const TProblema& p, TPanelFormulas& panel) {
    if (p.codigo < 10 || !ElegirEstructura(d, p.codigo)) return {};
    const TContinuacion c = ContinuarEstructura(d, p.textos);
    if (FaltaChorro(c, p)) return c;
    if (c.siguiente == TSiguiente::PreguntarChorro) d.ElecChor = CodificarChorro(*p.chorro);
    EntrarEnPagina(d, 3);
    MostrarComplementarios(d.CodiProb, p.textos, panel);
    return c;
}

bool FaltaChorro(const TContinuacion& c, const TProblema& p) {
    return c.siguiente == TSiguiente::PreguntarChorro && !p.chorro;
}

ProblemCode CodigoFinal(const TProblema& p) {
    TDatosProblema d;
    TPanelFormulas panel;
    RecorrerAsistente(d, p, panel);
    return CalcularCodigo(4, d);
}
