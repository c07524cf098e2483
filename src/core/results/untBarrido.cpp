#include "results/untBarrido.h"

#include <algorithm>
#include <cmath>

#include "compute/untClaves.h"
#include "general/untCifras.h"
#include "general/untCsv.h"
#include "general/untGeneral.h"
#include "general/untMostrable.h"
#include "general/untNumero.h"
#include "problem/untActivacion.h"
#include "problem/untCampos.h"
#include "problem/untFilasEstructura.h"
#include "results/untCasos.h"

std::vector<std::string_view> CamposDelProblema(const TProblema& p) {
    std::vector<std::string_view> campos;
    for (const TCampo& c : Campos()) {
        if (c.pagina > 1) continue;
        if (c.nombre == (p.rugosidad ? "CaucCoefMannCauc" : "AltuRugoCauc")) continue;
        campos.push_back(c.nombre);
    }
    for (std::string_view c : CamposEstructura(p.codigo)) campos.push_back(c);
    for (const TFilaComplementaria& f : FilasComplementarias(CodigoFinal(p)))
        if (std::find(campos.begin(), campos.end(), f.campo) == campos.end()) campos.push_back(f.campo);
    return campos;
}

namespace {

std::optional<double> Finito(std::string_view texto) {
    const auto v = LeerNumero(texto);
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

}  // namespace

TLecturaBarrido LeerBarrido(std::string_view campo, std::string_view desde, std::string_view hasta,
                            std::string_view puntos, bool logaritmico) {
    TLecturaBarrido l;
    const TCampo* c = BuscarCampo(campo);
    if (!c) {
        l.error = "Campo desconocido: " + Mostrable(campo);
        return l;
    }
    const auto d = Finito(desde), h = Finito(hasta), n = Finito(puntos);
    if (!d) {
        l.error = "\"Desde\" debe ser un número.";
    } else if (!h) {
        l.error = "\"Hasta\" debe ser un número.";
    } else if (!n || *n != std::floor(*n) || *n < kPuntosBarridoMinimo || *n > kPuntosBarridoMaximo) {
        l.error = "La cantidad de puntos debe ser un número entero de " + std::to_string(kPuntosBarridoMinimo) +
                  " a " + std::to_string(kPuntosBarridoMaximo) + ".";
    } else if (*d == *h) {
        l.error = "\"Desde\" y \"Hasta\" deben ser distintos.";
    } else if (logaritmico && (*d <= 0 || *h <= 0)) {
        l.error = "Con escala logarítmica, \"Desde\" y \"Hasta\" deben ser mayores que 0.";
    } else {
        l.barrido = TBarrido{std::string(campo), *d, *h, static_cast<int>(*n), logaritmico};
    }
    return l;
}

TLecturaBarrido LeerBarrido(std::string_view texto, bool logaritmico) {
    const std::size_t igual = texto.find('=');
    const std::size_t dos1 = igual == std::string_view::npos ? igual : texto.find(':', igual + 1);
    const std::size_t dos2 = dos1 == std::string_view::npos ? dos1 : texto.find(':', dos1 + 1);
    if (dos2 == std::string_view::npos || texto.find(':', dos2 + 1) != std::string_view::npos) {
        TLecturaBarrido l;
        l.error = "El barrido se escribe CAMPO=DESDE:HASTA:N, por ejemplo FlujCaud=500:4000:50.";
        return l;
    }
    return LeerBarrido(texto.substr(0, igual), texto.substr(igual + 1, dos1 - igual - 1),
                       texto.substr(dos1 + 1, dos2 - dos1 - 1), texto.substr(dos2 + 1), logaritmico);
}

std::optional<std::pair<double, double>> RangoPorDefecto(std::string_view texto) {
    const auto v = Finito(texto);
    if (!v || *v == 0) return std::nullopt;
    return *v > 0 ? std::pair{0.5 * *v, 1.5 * *v} : std::pair{1.5 * *v, 0.5 * *v};
}

std::vector<double> ValoresBarrido(const TBarrido& b) {
    std::vector<double> v(static_cast<std::size_t>(b.puntos));
    const int ultimo = b.puntos - 1;
    for (int i = 0; i <= ultimo; ++i) {
        const long double f = static_cast<long double>(i) / ultimo;
        if (b.logaritmico) {
            const long double a = std::log(static_cast<long double>(b.desde));
            const long double z = std::log(static_cast<long double>(b.hasta));
            v[i] = static_cast<double>(std::exp(a + f * (z - a)));
        } else {
            v[i] = static_cast<double>(b.desde + f * (static_cast<long double>(b.hasta) - b.desde));
        }
    }
    v.front() = b.desde;
    v.back() = b.hasta;
    return v;
}

std::string TextoValor(double valor) {
    return CifrasCortas(valor);
}

namespace {

// The point from its run: each formula's depth from its results row, the
// validity of its data, the transport condition and the data warnings; a gap
// when the run ended in an error or computed a problem of another type than
// `codigo`, the base's.
TPuntoBarrido Punto(double valor, const TCasoResuelto& c, ProblemCode codigo, const TTextosCampos& textos) {
    TPuntoBarrido p{valor, c.error, {}, {}, {}, {}};
    if (c.error) return p;
    if (c.r.d.CodiProb != codigo) {
        p.error = MensajeCambioDeTipo(c.r.titulo.value_or("código " + std::to_string(c.r.d.CodiProb)));
        return p;
    }
    p.avisos = AvisosDatos(c.r.d.CodiProb, textos, c.r.d, c.r.panel);
    const TAvisos avisos = AvisosResultado(c.r.d.CodiProb, c.r.d, c.r.filas);
    for (const TFila& f : c.r.filas) {
        if (f.tallo == "CondTran") p.condicion = f.valor;
        for (int k = 1; k <= 4; ++k)
            if (f.tallo == TalloErosion(k) && f.numero) {
                p.profundidades[k - 1] = f.numero;
                p.estados[k - 1] = avisos[k - 1].estado;
            }
    }
    return p;
}

// A value as the table shows it: 6 significant digits.
std::string TextoCorto(double valor) {
    return CifrasGenerales(valor, 6);
}

// Points run together between two progress reports.
constexpr std::size_t kPuntosPorBloque = 16;

}  // namespace

std::string MensajeCambioDeTipo(const std::string& titulo) { return "el problema cambia de tipo: " + titulo; }

TEstudio Estudiar(const TProblema& base, const TBarrido& b, unsigned hilos,
                  const std::function<void(std::size_t, std::size_t)>& avance, const std::atomic<bool>* cancelar) {
    TEstudio e;
    e.codigo = CodigoFinal(base);
    const std::vector<double> valores = ValoresBarrido(b);
    std::vector<TProblema> problemas(valores.size(), base);
    // Sweeping d50, the grain sizes of the same grading follow it or stay.
    const bool conD50 = b.campo == kCampoD50;
    const bool fija = conD50 && GradacionFija(base, b.gradacion);
    const std::vector<TRazonGrano> razones = fija ? RazonesGranos(base) : std::vector<TRazonGrano>{};
    if (conD50) e.gradacion = TextoGradacion(base, fija);
    for (std::size_t i = 0; i < valores.size(); ++i) {
        problemas[i].textos[b.campo] = TextoValor(valores[i]);
        AplicarRazones(razones, valores[i], problemas[i].textos);
    }
    // The texts checked as TextoRechazado checks them, which reports the
    // first rejected text by name: the base's other texts once, each
    // point's text of the field on its own.
    const TCampo* campo = BuscarCampo(b.campo);
    std::optional<std::pair<std::string, std::string>> rechazoBase;  // (name, message)
    for (const auto& [nombre, texto] : base.textos) {
        if (nombre == b.campo || std::any_of(razones.begin(), razones.end(), [&, &nombre = nombre](const TRazonGrano& r) {
                return r.campo == nombre;
            }))
            continue;
        const TCampo* c = BuscarCampo(nombre);
        if (!c || !TextoAceptado(*c, texto)) {
            rechazoBase.emplace(nombre, c ? nombre + ": " + std::string(c->mensaje) : "campo desconocido: " + nombre);
            break;
        }
    }
    TOpcionesCasos o;
    o.cancelar = cancelar;
    o.comprobarTextos = false;
    TTrabajadores trabajadores(hilos);
    for (std::size_t i = 0; i < problemas.size(); i += kPuntosPorBloque) {
        const std::size_t n = std::min(kPuntosPorBloque, problemas.size() - i);
        std::vector<TCasoResuelto> casos(n);
        std::vector<TPuntoBarrido> puntos(n);
        ResolverCasos(
            n, o, trabajadores,
            [&](std::size_t j, std::string& error) -> const TProblema* {
                const TProblema& p = problemas[i + j];
                const bool rechazado = campo && !TextoAceptado(*campo, p.textos.at(b.campo));
                if (rechazado && (!rechazoBase || b.campo < rechazoBase->first)) {
                    error = b.campo + ": " + std::string(campo->mensaje);
                    return nullptr;
                }
                for (const TRazonGrano& r : razones)  // a grain size moved with d50
                    if (const TCampo* c = BuscarCampo(r.campo); c && !TextoAceptado(*c, p.textos.at(std::string(r.campo)))) {
                        error = std::string(r.campo) + ": " + std::string(c->mensaje);
                        return nullptr;
                    }
                if (rechazoBase) {
                    error = rechazoBase->second;
                    return nullptr;
                }
                return &p;
            },
            [&](std::size_t j, TCasoResuelto& c) {
                puntos[j] = Punto(valores[i + j], c, e.codigo, problemas[i + j].textos);  // on the thread that ran it
                casos[j] = std::move(c);
            });
        for (std::size_t j = 0; j < n; ++j) {
            const TCasoResuelto& c = casos[j];
            if (c.cancelado) {
                e.cancelado = true;
                return e;
            }
            e.puntos.push_back(std::move(puntos[j]));
            if (e.puntos.back().error) continue;  // a gap: of another type, its formulas are not the study's
            for (const TFila& f : c.r.filas)
                for (int k = 1; k <= 4; ++k) {
                    const bool conocida = std::any_of(e.formulas.begin(), e.formulas.end(),
                                                      [&](const TEstudio::TFormula& x) { return x.ranura == k; });
                    if (!conocida && f.numero && f.tallo == TalloErosion(k))
                        e.formulas.push_back({k, c.r.panel.Titulo(k), f.etiqueta});
                }
        }
        if (avance) avance(e.puntos.size(), valores.size());
    }
    std::sort(e.formulas.begin(), e.formulas.end(),
              [](const TEstudio::TFormula& a, const TEstudio::TFormula& z) { return a.ranura < z.ranura; });
    return e;
}

namespace {

constexpr const char* kCondicion = "Condición de transporte";
constexpr const char* kAvisosDatos = "Avisos de datos";

}  // namespace

TTablaEstudio TablaEstudio(const TBarrido& b, const TEstudio& e) {
    TTablaEstudio t;
    const TCampo* campo = BuscarCampo(b.campo);
    t.encabezado.push_back(campo ? std::string(EtiquetaCampo(*campo, e.codigo)) + " " + std::string(campo->unidad)
                                 : b.campo);
    for (const TEstudio::TFormula& f : e.formulas) t.encabezado.push_back(f.titulo + " [m]");
    t.encabezado.push_back(kCondicion);
    t.encabezado.push_back(kAvisosDatos);
    for (const TPuntoBarrido& p : e.puntos) {
        std::vector<std::string>& fila = t.filas.emplace_back();
        fila.push_back(TextoCorto(p.valor));
        for (const TEstudio::TFormula& f : e.formulas) {
            const auto& y = p.profundidades[f.ranura - 1];
            fila.push_back(y ? NumeText(*y, 5, 2) + " " + MarcaAviso(p.estados[f.ranura - 1]) : "");
            while (!fila.back().empty() && fila.back().back() == ' ') fila.back().pop_back();
            // A negative result is no depth.
            if (y && *y < 0) fila.back() = "sin erosión (" + fila.back().substr(fila.back().find_first_not_of(' ')) + ")";
        }
        fila.push_back(p.error ? *p.error : p.condicion);
        fila.push_back(UnirAvisosDatos(p.avisos));
    }
    return t;
}

std::string CsvEstudio(const TBarrido& b, const TEstudio& e, bool conValidez) {
    std::string csv = CeldaCsv(b.campo);
    for (const TEstudio::TFormula& f : e.formulas) {
        csv += "," + CeldaCsv(f.etiqueta);
        if (conValidez) csv += "," + ClaveValidez(ClaveErosion(e.codigo, f.ranura));
    }
    csv += std::string(",") + kCondicion + "," + kAvisosDatos + "\n";
    for (const TPuntoBarrido& p : e.puntos) {
        csv += TextoValor(p.valor);
        for (const TEstudio::TFormula& f : e.formulas) {
            csv += ',';
            const auto& y = p.profundidades[f.ranura - 1];
            if (y) csv += TextoValor(*y);
            if (conValidez) csv += std::string(",") + (y ? NombreEstado(p.estados[f.ranura - 1]) : "");
        }
        csv += "," + CeldaCsv(p.error ? *p.error : p.condicion) + "," + CeldaCsv(UnirAvisosDatos(p.avisos)) + "\n";
    }
    return csv;
}

std::vector<std::string> AvisosDelEstudio(const TProblema& base, const TBarrido& b, const TEstudio& e) {
    std::vector<std::string> lineas;
    for (const TReglaDato& regla : ReglasDatos()) {
        std::vector<std::size_t> indices;  // the points the rule warns on
        for (std::size_t i = 0; i < e.puntos.size(); ++i) {
            const std::vector<TAvisoDato>& avisos = e.puntos[i].avisos;
            if (std::any_of(avisos.begin(), avisos.end(), [&](const TAvisoDato& a) { return a.regla == &regla; }))
                indices.push_back(i);
        }
        if (indices.empty()) continue;
        TTextosCampos textos = base.textos, desde = base.textos, hasta = base.textos;
        const double primero = e.puntos[indices.front()].valor, ultimo = e.puntos[indices.back()].valor;
        textos[b.campo] = primero == ultimo ? TextoCorto(primero) : TextoCorto(primero) + " a " + TextoCorto(ultimo);
        desde[b.campo] = TextoValor(primero);  // as the points' problems hold it
        hasta[b.campo] = TextoValor(ultimo);
        std::string texto = RedactarAvisoTramo(regla, textos, desde, hasta);
        if (texto.ends_with('.')) texto.pop_back();
        // The points in runs of consecutive ones: "1 a 3", "5".
        std::vector<std::string> tramos;
        for (std::size_t j = 0; j < indices.size();) {
            std::size_t k = j;
            while (k + 1 < indices.size() && indices[k + 1] == indices[k] + 1) ++k;
            tramos.push_back(std::to_string(indices[j] + 1) +
                             (k > j ? " a " + std::to_string(indices[k] + 1) : std::string()));
            j = k + 1;
        }
        std::string puntos = indices.size() == 1 ? " — punto " : " — puntos ";
        for (std::size_t j = 0; j < tramos.size(); ++j)
            puntos += (j == 0 ? "" : j + 1 == tramos.size() ? " y " : ", ") + tramos[j];
        lineas.push_back(texto + puntos);
    }
    return lineas;
}

// ---- The grading while d50 varies.

namespace {

constexpr std::string_view kGranos[]{"SediDiam84N3", "SediDiam90N3"};

// "d84" of "SediDiam84N3".
std::string NombreGrano(std::string_view campo) { return "d" + std::string(campo.substr(8, 2)); }

std::optional<double> PositivoDe(const TTextosCampos& textos, std::string_view campo) {
    const auto it = textos.find(campo);
    if (it == textos.end()) return std::nullopt;
    const auto v = LeerNumero(it->second);
    return v && *v > 0 ? v : std::nullopt;
}

}  // namespace

std::vector<TRazonGrano> RazonesGranos(const TProblema& p) {
    std::vector<TRazonGrano> razones;
    const auto d50 = PositivoDe(p.textos, kCampoD50);
    if (!d50) return razones;
    const std::vector<std::string_view> leidos = CamposDelProblema(p);
    for (std::string_view campo : kGranos) {
        if (std::find(leidos.begin(), leidos.end(), campo) == leidos.end()) continue;
        if (const auto d = PositivoDe(p.textos, campo)) razones.push_back({campo, *d / *d50});
    }
    return razones;
}

bool GradacionFija(const TProblema& p, std::optional<bool> pedido) {
    return pedido ? *pedido : !RazonesGranos(p).empty();
}

void AplicarRazones(const std::vector<TRazonGrano>& razones, double d50, TTextosCampos& textos) {
    for (const TRazonGrano& r : razones) textos[std::string(r.campo)] = TextoValor(r.razon * d50);
}

std::string TextoGradacion(const TProblema& p, bool fija) {
    const std::vector<TRazonGrano> razones = RazonesGranos(p);
    if (razones.empty()) return {};
    std::string texto;
    for (const TRazonGrano& r : razones) {
        if (!texto.empty()) texto += " y ";
        if (fija) {
            texto += NombreGrano(r.campo) + "/d50 = " + NumeText(r.razon, 0, 2);
        } else {
            const TCampo* c = BuscarCampo(r.campo);
            std::string_view unidad = c ? c->unidad : std::string_view();
            if (unidad.size() >= 2 && unidad.front() == '[') unidad = unidad.substr(1, unidad.size() - 2);
            texto += NombreGrano(r.campo) + " = " + p.textos.at(std::string(r.campo)) + " " + std::string(unidad);
        }
    }
    return fija ? "Granulometría fija al variar d50: " + texto + " (los diámetros varían con d50)."
                : "Diámetros fijos al variar d50: " + texto +
                      " (la relación con d50 cambia en cada valor y con ella los factores que dependen de la "
                      "granulometría).";
}
