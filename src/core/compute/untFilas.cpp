#include "compute/untFilas.h"

#include "general/untGeneral.h"
#include "problem/untTipos.h"

bool LechoVivo(const TDatosProblema& d) { return d.OutpParaMovi > d.OutpParaMoviCrit; }

std::vector<TFila> FilasComunes(const TDatosProblema& d, ProblemCode codigo) {
    const TTipoEstructura* tipo = TipoEstructura(codigo);
    const char* claras = tipo ? tipo->aguasClaras : kAguasClaras;
    return {
        Fila("OutpParaMoviCrit", "Movilidad (Shields) Crítica", Numero(d.OutpParaMoviCrit, 6, 4), ""),
        Fila("OutpParaMovi", "Movilidad (Shields)", Numero(d.OutpParaMovi, 6, 4), ""),
        Fila("CondTran", "Condición de transporte", LechoVivo(d) ? "Lecho vivo" : claras, ""),
        Fila("OutpVeloCritEros", "Velocidad crítica de erosión", Numero(d.OutpVeloCritEros, 5, 2), "[m/s]"),
    };
}

TValor Numero(double valor, int ancho, int decimales) { return {NumeText(valor, ancho, decimales), valor}; }

TFila Fila(std::string tallo, std::string etiqueta, TValor valor, std::string unidad) {
    return {std::move(tallo), std::move(etiqueta), std::move(valor.texto), std::move(unidad), valor.numero};
}

TValor MostrarResultado(const TPanelFormulas& panel, int k, double valor) {
    return panel.Activa(k) ? Numero(valor, 5, 2) : TValor(kTextoInactivo);
}

std::string TextoDeTabla(const TFila& fila) {
    if (fila.numero && *fila.numero < 0 && fila.tallo.starts_with("OutpErosMaxi")) return Numero(*fila.numero, 5, 2).texto;
    return fila.valor;
}

TFila FilaErosion(const TPanelFormulas& panel, int k, TValor valor) {
    if (valor.numero && *valor.numero < 0) {
        const std::size_t inicio = valor.texto.find_first_not_of(' ');
        valor.texto = "sin erosión (la fórmula da " + valor.texto.substr(inicio == std::string::npos ? 0 : inicio) + " m)";
    }
    return Fila(TalloErosion(k), "Erosión máxima de equilibrio (" + panel.Titulo(k) + ")",
                std::move(valor), "[m]");
}

TFila FilaFalla(const TPanelFormulas& panel, int k, TValor valor) {
    return Fila("OutpLongFall" + std::to_string(k), "Longitud de falla crítica (" + panel.Titulo(k) + ")",
                std::move(valor), "[m]");
}

TFila FilaTurbulencia(double valor) {
    return Fila("OutpInteRelaTurb", "Intensidad relativa de turbulencia", Numero(valor, 5, 3), "");
}

const std::vector<TFila>& FilasDeLaPagina() {
    static const std::vector<TFila> filas = [] {
        std::vector<TFila> f{
            {"OutpParaMoviCrit", "Movilidad (Shields) Crítica", "", ""},
            {"OutpParaMovi", "Movilidad (Shields)", "", ""},
            {"CondTran", "Condición de transporte", "", ""},
            {"OutpVeloCritEros", "Velocidad crítica de erosión", "", "[m/s]"},
            {"OutpInteRelaTurb", "Intensidad relativa de turbulencia", "", ""},
            {"OutpCaudSoliTota", "Caudal sólido total efectivo", "", "[m^2/s]"},
        };
        for (int k = 1; k <= 4; ++k)
            f.push_back({TalloErosion(k), "Erosión máxima de equilibrio ", "", "[m]"});
        for (int k = 1; k <= 3; ++k)
            f.push_back({"OutpLongFall" + std::to_string(k), "Longitud de falla crítica", "", "[m]"});
        f.push_back({"OutpPendTalu", "Pendiente talud aguas arriba del foso", "", "[º]"});
        return f;
    }();
    return filas;
}

bool ConTablaPendientes(ProblemCode codigo) {
    const TTipoEstructura* tipo = TipoEstructura(codigo);
    return tipo && tipo->tablaPendientes;
}

void MostrarTabla(TPanelFormulas& panel) {
    TRanura& r = panel.Ranura(2);
    r.titulo = "Tabla";
    r.activa = false;
}
