// The calculation window as a page: the data pages, the questions,
// "Continuar", the complementary page and its formula panel, "Calcular",
// the results, the chart, the picture, files, the batch and the report.
// Every rule and every number comes from the core (nucleo.js); this file
// only shows what the core answers and sends it what the user does.
"use strict";

const PAGINAS = ["Datos Globales", "Datos Locales", "Datos de Estructura", "Datos Complementarios", "Resultados",
                 "Grafico", "Imagen"];
const [GLOBAL, LOCAL, ESTRUCTURA, COMPLEMENTARIA, RESULTADOS, GRAFICO, IMAGEN] = [0, 1, 2, 3, 4, 5, 6];
// Colours of the four formula slots on the chart: red, green, dark purple, blue.
const COLORES = ["#ff0000", "#008000", "#800080", "#0000ff"];
// Pictures of the final problem codes (resources/*.svg).
const IMAGENES = {
  22: [["PictPPi", "Problema de la pila (vista en corte)"]],
  31: [["PictPAG", "Problema de la alcantarilla angosta (vista en planta)"]],
  111: [["PictPVC1", "Problema del vórtice confinado (vista en corte)"]],
  121: [["PictPVC2", "Problema del vórtice confinado (vista en corte)"]],
  122: [["PictPAC", "Problema de la alcantarilla ancha (vista en corte)"]],
  211: [["PictPEP", "Problema del espigón/estribo protegido (vista en planta)"]],
  212: [["PictPEs1", "Problema del estribo/espigón (vista en planta)"],
        ["PictPES2", "Problema del estribo/espigón (vista en planta)"]],
  1121: [["PictPEn", "Problema del escalón (vista en corte)"]],
  1122: [["PictPCZ", "Problema del chorro zambullido (vista en corte)"]],
};
const BORRADOR = "turmado.borrador";

const $ = (s, raiz = document) => raiz.querySelector(s);
const $$ = (s, raiz = document) => [...raiz.querySelectorAll(s)];

let nucleo = null;
let catalogo = null;
const estado = {
  problema: null,      // {codigo, chorro, rugosidad, textos}
  visibles: new Set([GLOBAL]),
  recorrido: null,     // the core's answer to "recorrer" for the current problem
  calculo: null,       // the last "Calcular": {solucion, vista}
  archivo: "",
  grafico: null,       // the chart library's instance
  ocultas: [false, false, false, false],
};

function llamar(orden, entrada) {
  const r = nucleo.llamar(orden, entrada);
  if (r && r.error) throw ErrorNucleo(r);
  return r;
}

// ---- Messages: one box, as the window's message boxes.

let mensajeAbierto = Promise.resolve();
function Mostrar(texto) {
  mensajeAbierto = mensajeAbierto.then(() => new Promise((listo) => {
    const d = $("#dlgMensaje");
    $("#textoMensaje").textContent = texto;
    d.addEventListener("close", () => listo(), { once: true });
    d.showModal();
  }));
  return mensajeAbierto;
}

function Estado(texto) { $("#estado").textContent = texto; }

// ---- The problem.

function ProblemaPorDefecto() {
  const textos = {};
  for (const c of catalogo.campos) textos[c.nombre] = c.defecto;
  return { codigo: 0, chorro: null, rugosidad: false, textos };
}

function Campo(nombre) { return catalogo.campos.find((c) => c.nombre === nombre); }

function GuardarBorrador() {
  try {
    localStorage.setItem(BORRADOR, JSON.stringify({ problema: estado.problema, archivo: estado.archivo,
                                                   paginas: [...estado.visibles] }));
  } catch (e) { /* storage full or refused: the page goes on without a copy */ }
}

// ---- Tabs.

function Pestanas() {
  const nav = $("#pestanas");
  nav.textContent = "";
  PAGINAS.forEach((titulo, i) => {
    const b = document.createElement("button");
    b.type = "button";
    b.role = "tab";
    b.textContent = titulo;
    b.dataset.pestana = i;
    b.hidden = !estado.visibles.has(i);
    b.addEventListener("click", () => IrA(i));
    nav.append(b);
  });
}

function PaginaActual() { return Number($(".pagina:not([hidden])")?.dataset.pagina ?? 0); }

function IrA(i) {
  estado.visibles.add(i);
  for (const p of $$(".pagina")) p.hidden = Number(p.dataset.pagina) !== i;
  for (const b of $$("[data-pestana]")) {
    b.hidden = !estado.visibles.has(Number(b.dataset.pestana));
    b.setAttribute("aria-selected", Number(b.dataset.pestana) === i);
  }
  if (i === GRAFICO) DibujarGrafico();
}

// Hides the pages from `desde` on; the page shown stays, or the last one left.
function Ocultar(desde) {
  for (let i = desde; i < PAGINAS.length; ++i) estado.visibles.delete(i);
  const actual = PaginaActual();
  IrA(actual >= desde ? desde - 1 : actual);
}

// ---- Field rows.

function FilaCampo(nombre, conSelector) {
  const c = Campo(nombre);
  const fila = document.createElement("div");
  fila.className = "fila";
  const etiqueta = document.createElement("label");
  etiqueta.htmlFor = "edt" + nombre;
  etiqueta.dataset.etiqueta = nombre;
  etiqueta.textContent = (estado.recorrido?.etiquetas?.[nombre]) ?? c.etiqueta;
  if (c.ayuda) etiqueta.title = c.ayuda;
  const edit = document.createElement("input");
  edit.id = "edt" + nombre;
  edit.dataset.campo = nombre;
  edit.autocomplete = "off";
  edit.spellcheck = false;
  edit.value = estado.problema.textos[nombre] ?? "";
  const unidad = document.createElement("span");
  unidad.className = "unidad";
  unidad.textContent = c.unidad;
  fila.append(etiqueta, edit, unidad);
  if (conSelector && catalogo.selectores[nombre]) {
    const b = document.createElement("button");
    b.type = "button";
    b.className = "selector";
    b.textContent = "…";
    b.title = catalogo.selectores[nombre].titulo;
    b.dataset.selector = nombre;
    b.addEventListener("click", () => AbrirSelector(nombre));
    fila.append(b);
  } else {
    fila.append(document.createElement("span"));  // the grid's fourth column
  }
  PrepararEdit(edit, c);
  return fila;
}

// Enter and exit of a field as the window's: the text on entering is kept;
// on leaving, a text the field rejects is emptied, its message shown once
// and the focus stays in the field; an accepted change invalidates what was
// computed from the old value.
function PrepararEdit(edit, c) {
  let alEntrar = edit.value;
  edit.addEventListener("focus", () => { alEntrar = edit.value; });
  edit.addEventListener("input", () => {
    estado.problema.textos[c.nombre] = edit.value;
    GuardarBorrador();
    if (c.pagina === COMPLEMENTARIA) ActualizarPanel();
  });
  edit.addEventListener("blur", async () => {
    if (edit.value === alEntrar) return;
    const r = llamar("campo", { nombre: c.nombre, texto: edit.value });
    if (!r.aceptado) {
      edit.value = "";
      estado.problema.textos[c.nombre] = "";
      GuardarBorrador();
      await Mostrar(r.mensaje);
      alEntrar = "";
      edit.focus();
      return;
    }
    alEntrar = edit.value;
    Invalidar(c);
  });
}

function Invalidar(c) {
  if (c.posteriores) Ocultar(Math.max(c.pagina + 1, COMPLEMENTARIA));
  else Ocultar(RESULTADOS);
  estado.calculo = null;
  window.turmado.ultimo = null;
}

function LlenarPagina(pagina, nombres, conSelector = false) {
  const caja = $(`[data-filas="${pagina}"]`);
  caja.textContent = "";
  for (const n of nombres) caja.append(FilaCampo(n, conSelector));
}

function LlenarDatos() {
  LlenarPagina(GLOBAL, catalogo.campos.filter((c) => c.pagina === GLOBAL).map((c) => c.nombre));
  LlenarPagina(LOCAL, catalogo.campos.filter((c) => c.pagina === LOCAL).map((c) => c.nombre));
  Rugosidad();
}

// The roughness option enables its own field only.
function Rugosidad() {
  $(`[data-opcion="${estado.problema.rugosidad ? "altura" : "manning"}"]`).checked = true;
  const manning = $('[data-campo="CaucCoefMannCauc"]');
  const altura = $('[data-campo="AltuRugoCauc"]');
  if (manning) manning.disabled = estado.problema.rugosidad;
  if (altura) altura.disabled = !estado.problema.rugosidad;
}

function Etiquetas() {
  estado.recorrido = llamar("recorrer", estado.problema);
  for (const l of $$("[data-etiqueta]")) l.textContent = estado.recorrido.etiquetas[l.dataset.etiqueta];
}

// ---- Questions.

function Pregunta(caja, q, elegido, alElegir) {
  caja.textContent = "";
  const leyenda = document.createElement("legend");
  leyenda.textContent = q.titulo;
  caja.append(leyenda);
  q.items.forEach((texto, i) => {
    const l = document.createElement("label");
    const r = document.createElement("input");
    r.type = "radio";
    r.name = q.nombre;
    r.value = i;
    r.dataset.pregunta = q.nombre;
    r.dataset.item = i;
    r.checked = elegido === i;
    r.addEventListener("change", () => alElegir(i));
    l.append(r, " " + texto);
    caja.append(l);
  });
  caja.hidden = false;
}

function Fenomeno() { return estado.problema.codigo >= 10 ? Math.floor(estado.problema.codigo / 10) : estado.problema.codigo; }

function MostrarPreguntas() {
  const codigo = estado.problema.codigo;
  Pregunta($("#rg0"), catalogo.fenomeno, codigo ? Fenomeno() - 1 : null, (i) => {
    estado.problema.codigo = i + 1;
    estado.problema.chorro = null;
    Ocultar(ESTRUCTURA);
    MostrarPreguntas();
    Etiquetas();
    GuardarBorrador();
  });
  if (!codigo) { $("#rgObstaculo").hidden = true; return; }
  const q = catalogo.obstaculo[String(Fenomeno())];
  Pregunta($("#rgObstaculo"), q, codigo >= 10 ? q.codigos.indexOf(codigo) : null, (i) => {
    if (q.codigos[i] === null) {  // the inactive branch
      Mostrar(catalogo.mensajes.ramaInactiva);
      estado.problema.codigo = Fenomeno();
      Ocultar(ESTRUCTURA);
      MostrarPreguntas();
      return;
    }
    estado.problema.codigo = q.codigos[i];
    estado.problema.chorro = null;
    Ocultar(COMPLEMENTARIA);
    Estructura();
    Etiquetas();
    GuardarBorrador();
    IrA(ESTRUCTURA);
  });
}

function Estructura() {
  LlenarPagina(ESTRUCTURA, catalogo.estructura[String(estado.problema.codigo)] || []);
  $("#rg000").hidden = true;
}

// ---- "Continuar" on the structure page.

async function Continuar() {
  await SalirDelCampo();
  const r = estado.recorrido = llamar("recorrer", estado.problema);
  if (r.proteccionInsuficiente && estado.problema.chorro === null) await Mostrar(catalogo.mensajes.proteccion);
  if (r.faltaChorro) {
    Pregunta($("#rg000"), catalogo.chorro, null, (i) => {
      estado.problema.chorro = i;
      GuardarBorrador();
      Continuar();
    });
    return;
  }
  if (r.siguiente === "calcular") { Calcular(); return; }
  // A bed step whose jet question is answered goes on to its complementary page.
  if (r.siguiente !== "complementarios" && r.siguiente !== "chorro") return;
  LlenarPagina(COMPLEMENTARIA, r.filas.map((f) => f.campo), true);
  Panel(r.panel);
  IrA(COMPLEMENTARIA);
}

// The field being left runs its exit check before a button acts.
async function SalirDelCampo() {
  const a = document.activeElement;
  if (a && a.dataset && a.dataset.campo) a.blur();
  await mensajeAbierto;
}

// ---- Formula panel.

function Panel(panel) {
  const ol = $("#ranuras");
  ol.textContent = "";
  $("#panel").hidden = !panel.visible;
  panel.ranuras.forEach((s, k) => {
    const li = document.createElement("li");
    li.textContent = s.titulo;
    li.hidden = !s.visible;
    li.dataset.ranura = k + 1;
    li.classList.toggle("activa", s.activa);
    li.addEventListener("click", () => {
      for (const l of $$("[data-etiqueta]")) l.classList.toggle("resaltada", s.campos.includes(l.dataset.etiqueta));
    });
    ol.append(li);
  });
}

function ActualizarPanel() {
  const r = llamar("recorrer", estado.problema);
  Panel(r.panel);
}

// ---- Pickers.

function AbrirSelector(nombre) {
  const s = catalogo.selectores[nombre];
  const d = $("#dlgSelector");
  $("#tituloSelector").textContent = s.titulo;
  const tabla = document.createElement("table");
  const cab = tabla.createTHead().insertRow();
  for (const c of s.columnas) { const th = document.createElement("th"); th.textContent = c; cab.append(th); }
  if (!s.agrupadas && s.filas[0]?.frontal !== undefined) {
    for (const t of ["Pila frontal", "Pila trasera"]) { const th = document.createElement("th"); th.textContent = t; cab.append(th); }
  }
  const cuerpo = tabla.createTBody();
  const elegir = (valor) => {
    const edit = $(`[data-campo="${nombre}"]`);
    edit.value = valor;
    estado.problema.textos[nombre] = valor;
    GuardarBorrador();
    ActualizarPanel();
    Invalidar(Campo(nombre));
    d.close();
  };
  for (const f of s.filas) {
    const tr = cuerpo.insertRow();
    for (const c of f.celdas) tr.insertCell().textContent = c;
    if (f.frontal !== undefined) {
      for (const v of [f.frontal, f.trasera]) {
        const b = document.createElement("button");
        b.type = "button";
        b.textContent = v;
        b.addEventListener("click", () => elegir(v));
        tr.insertCell().append(b);
      }
    } else {
      tr.className = "elegible";
      tr.addEventListener("click", () => elegir(f.valor));
    }
  }
  $("#tablaSelector").replaceChildren(tabla);
  d.showModal();
}

// ---- "Calcular".

async function Calcular() {
  await SalirDelCampo();
  let r;
  try {
    r = llamar("calcular", estado.problema);
  } catch (e) {
    for (const m of e.mensajes) await Mostrar(m);
    await Mostrar(e.message);
    return null;
  }
  estado.calculo = r;
  estado.ocultas = [false, false, false, false];
  window.turmado.ultimo = r.solucion;
  for (const m of r.vista.mensajes) await Mostrar(m);
  Resultados(r.vista);
  if (r.vista.graficoVisible) estado.visibles.add(GRAFICO);
  if (IMAGENES[r.solucion.codigo]) { estado.visibles.add(IMAGEN); Imagenes(r.solucion.codigo); }
  IrA(RESULTADOS);
  GuardarBorrador();
  return r.solucion;
}

function Resultados(v) {
  $("#tituloResultados").textContent = v.titulo ?? "";
  const cuerpo = $("#tablaResultados tbody");
  cuerpo.textContent = "";
  for (const f of v.filas) {
    const tr = cuerpo.insertRow();
    tr.insertCell().textContent = f.etiqueta;
    const valor = tr.insertCell();
    valor.className = "valor";
    valor.textContent = f.valor;
    const marca = tr.insertCell();
    marca.className = "marca";
    marca.textContent = f.marca;
    if (f.aviso) { marca.title = f.aviso; tr.title = f.aviso; }
    tr.insertCell().textContent = f.unidad;
  }
  $("#resumen").textContent = v.resumen;
  const ul = $("#avisosDatos");
  ul.textContent = "";
  for (const a of v.datos) {
    const li = document.createElement("li");
    li.textContent = a.mensaje;
    li.dataset.aviso = a.campo;
    li.addEventListener("click", () => {
      const c = Campo(a.campo);
      IrA(c.pagina);
      $(`[data-campo="${a.campo}"]`)?.focus();
    });
    ul.append(li);
  }
  $("#mensajes").textContent = "";
  $("#detalle").textContent = v.detalle;
  $("#detalle").hidden = true;
}

function Imagenes(codigo) {
  const caja = $("#imagenes");
  caja.textContent = "";
  for (const [nombre, titulo] of IMAGENES[codigo]) {
    const f = document.createElement("figure");
    const img = document.createElement("img");
    img.src = `imagenes/${nombre}.svg`;
    img.alt = titulo;
    const cap = document.createElement("figcaption");
    cap.textContent = titulo;
    f.append(img, cap);
    caja.append(f);
  }
}

// ---- Chart.

function OpcionGrafico() {
  const { solucion, vista } = estado.calculo;
  const log = $("#escalaLog").checked;
  const series = [];
  const leyenda = [];
  // The dashed equilibrium lines span the time of every curve.
  let x0 = Infinity, x1 = -Infinity;
  for (const s of solucion.series)
    for (const [x] of s.puntos) if (!log || x > 0) { x0 = Math.min(x0, x); x1 = Math.max(x1, x); }
  if (!(x1 > x0)) { x0 = log ? 0.01 : 0; x1 = log ? 100 : 1; }
  solucion.series.forEach((s, k) => {
    const v = vista.series[k];
    if (!v.leyenda) return;
    leyenda.push(v.titulo);
    const puntos = s.puntos.filter(([x]) => !log || x > 0);
    series.push({ name: v.titulo, type: "line", data: puntos, showSymbol: false, color: COLORES[k],
                  lineStyle: { width: 2 }, ranura: k, animation: false });
    for (const e of v.equilibrios) {
      if (!(e > 0)) continue;
      series.push({ name: v.titulo, type: "line", data: [[x0, e], [x1, e]], showSymbol: false,
                    color: COLORES[k], lineStyle: { type: "dashed", width: 1 }, silent: true, animation: false });
    }
  });
  return {
    animation: false,
    grid: { left: 60, right: 20, top: 50, bottom: 50 },
    legend: { data: leyenda, top: 5 },
    tooltip: { show: false },
    toolbox: { right: 10, top: 20, feature: { dataZoom: { title: { zoom: "Zoom", back: "Deshacer zoom" } },
                                              restore: { title: "Ver todo" } } },
    xAxis: { type: log ? "log" : "value", name: "Tiempo (hs)", nameLocation: "middle", nameGap: 28,
             scale: !log },
    yAxis: { type: "value", name: "Erosión (m)", scale: true },
    series,
  };
}

function DibujarGrafico() {
  if (!estado.calculo || !self.echarts) return;
  const caja = $("#grafico");
  if (!estado.grafico) {
    estado.grafico = echarts.init(caja, null, { renderer: "svg" });
    estado.grafico.getZr().on("mousemove", (e) => Lectura(e.offsetX, e.offsetY));
    estado.grafico.getZr().on("dblclick", () => estado.grafico.dispatchAction({ type: "restore" }));
    estado.grafico.on("legendselectchanged", (e) => {
      estado.calculo.vista.series.forEach((s, k) => { if (s.titulo === e.name) estado.ocultas[k] = !e.selected[e.name]; });
    });
    // A hidden page has no size: the chart keeps the one it had.
    new ResizeObserver(() => { if (caja.clientWidth > 0) estado.grafico.resize(); }).observe(caja);
  }
  estado.grafico.setOption(OpcionGrafico(), true);
  estado.grafico.resize();
}

// The point nearest to the mouse, read out by the core.
function Lectura(px, py) {
  const g = estado.grafico;
  const elegidas = g.getOption().legend[0].selected || {};
  let mejor = null;
  for (const s of g.getOption().series) {
    if (s.ranura === undefined || elegidas[s.name] === false) continue;
    for (const [x, y] of s.data) {
      const p = g.convertToPixel({ seriesIndex: 0 }, [x, y]);
      const d = (p[0] - px) ** 2 + (p[1] - py) ** 2;
      if (!mejor || d < mejor.d) mejor = { d, titulo: s.name, x, y };
    }
  }
  if (mejor) $("#lectura").textContent = llamar("lectura", { titulo: mejor.titulo, t: mejor.x, y: mejor.y }).texto;
}

function Hoy() {
  const d = new Date();
  return `${d.getFullYear()}-${String(d.getMonth() + 1).padStart(2, "0")}-${String(d.getDate()).padStart(2, "0")}`;
}

function NombreGrafico() {
  return llamar("lectura", { titulo: "", t: 0, y: 0, tituloProblema: estado.calculo?.vista.titulo ?? "", fecha: Hoy() }).archivo;
}

function Descargar(nombre, contenido, tipo) {
  const url = URL.createObjectURL(contenido instanceof Blob ? contenido : new Blob([contenido], { type: tipo }));
  const a = document.createElement("a");
  a.href = url;
  a.download = nombre;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

function ExportarSvg() { Descargar(NombreGrafico() + ".svg", estado.grafico.renderToSVGString(), "image/svg+xml"); }

// PNG 2400 pixels wide: the chart's vectors drawn scaled up.
function ExportarPng() {
  const svg = estado.grafico.renderToSVGString();
  const ancho = estado.grafico.getWidth(), alto = estado.grafico.getHeight();
  const escala = 2400 / ancho;
  const img = new Image();
  img.onload = () => {
    const c = document.createElement("canvas");
    c.width = 2400;
    c.height = Math.round(alto * escala);
    const ctx = c.getContext("2d");
    ctx.fillStyle = "#fff";
    ctx.fillRect(0, 0, c.width, c.height);
    ctx.drawImage(img, 0, 0, c.width, c.height);
    c.toBlob((b) => Descargar(NombreGrafico() + ".png", b, "image/png"), "image/png");
  };
  img.src = "data:image/svg+xml;charset=utf-8," + encodeURIComponent(svg);
}

function ExportarCsv() { Descargar(NombreGrafico() + ".csv", estado.calculo.vista.csvGrafico, "text/csv"); }

// The chart as the chart page shows it (time scale, curves hidden), drawn
// at a given size as SVG text, for the report.
function SvgGrafico(ancho, alto) {
  const caja = document.createElement("div");
  Object.assign(caja.style, { position: "absolute", left: "-10000px", top: "0", width: ancho + "px", height: alto + "px" });
  document.body.append(caja);
  const g = echarts.init(caja, null, { renderer: "svg" });
  const opcion = OpcionGrafico();
  const elegidas = {};
  estado.calculo.vista.series.forEach((s, k) => { if (estado.ocultas[k]) elegidas[s.titulo] = false; });
  opcion.legend.selected = elegidas;
  opcion.toolbox = { show: false };
  g.setOption(opcion);
  const svg = g.renderToSVGString();
  g.dispose();
  caja.remove();
  return svg;
}

// ---- Report: the desktop's layout, one sheet per page, printed by the browser.

function Reporte() {
  const observaciones = prompt("Observaciones", "");
  if (observaciones === null) return;
  const r = llamar("reporte", { problema: estado.problema, observaciones, tiempoLog: $("#escalaLog").checked,
                                ocultas: estado.ocultas, fecha: Hoy() });
  const caja = $("#reporte");
  caja.textContent = "";
  for (const p of r.paginas) {
    const hoja = document.createElement("div");
    hoja.className = "hoja";
    for (const i of p.items) {
      const e = document.createElement("div");
      e.className = "item f" + i.fuente;
      e.textContent = i.texto;
      e.style.top = i.y + "px";
      if (i.derecha) e.style.right = (r.ancho - i.x) + "px"; else e.style.left = i.x + "px";
      if (i.ancho) { e.style.width = i.ancho + "px"; e.style.height = i.alto + "px"; }
      hoja.append(e);
    }
    if (p.grafico && estado.calculo) {
      const g = document.createElement("div");
      g.className = "item grafico-reporte";
      Object.assign(g.style, { left: p.grafico.x + "px", top: p.grafico.y + "px", width: p.grafico.ancho + "px",
                               height: p.grafico.alto + "px" });
      g.innerHTML = SvgGrafico(p.grafico.ancho, p.grafico.alto);
      hoja.append(g);
    }
    caja.append(hoja);
  }
  window.print();
}

// ---- Sensitivity study, in a worker with its progress and "Cancelar".

let trabajador = null;
let estudio = null;

function Sensibilidad() {
  const r = llamar("camposBarrido", estado.problema);
  const sel = $("#sensCampo");
  sel.textContent = "";
  for (const c of r.campos) {
    const o = document.createElement("option");
    o.value = c.nombre;
    o.textContent = c.etiqueta;
    o.dataset.desde = c.desde;
    o.dataset.hasta = c.hasta;
    sel.append(o);
  }
  const rango = () => {
    const o = sel.selectedOptions[0];
    $("#sensDesde").value = o.dataset.desde;
    $("#sensHasta").value = o.dataset.hasta;
  };
  sel.onchange = rango;
  rango();
  $("#dlgSensibilidad").showModal();
}

function SensCalcular() {
  trabajador?.terminate();
  trabajador = new Worker("trabajador.js");
  const avance = $("#sensAvance");
  avance.hidden = false;
  avance.value = 0;
  $('[data-accion="sens-cancelar"]').disabled = false;
  trabajador.onmessage = async (e) => {
    if (e.data.avance) { avance.max = e.data.avance[1]; avance.value = e.data.avance[0]; return; }
    trabajador.terminate();
    trabajador = null;
    avance.hidden = true;
    $('[data-accion="sens-cancelar"]').disabled = true;
    const r = e.data.respuesta;
    if (r.error) { await Mostrar(r.error.mensaje); return; }
    estudio = r;
    $('[data-accion="sens-csv"]').disabled = false;
    SensMostrar(r);
  };
  trabajador.postMessage({ orden: "barrido", entrada: {
    problema: estado.problema, campo: $("#sensCampo").value, desde: $("#sensDesde").value,
    hasta: $("#sensHasta").value, puntos: $("#sensPuntos").value, log: $("#sensLog").checked } });
}

function SensCancelar() {
  trabajador?.terminate();
  trabajador = null;
  $("#sensAvance").hidden = true;
  $('[data-accion="sens-cancelar"]').disabled = true;
  Estado("Estudio cancelado");
}

function SensMostrar(r) {
  const tabla = $("#sensTabla");
  tabla.textContent = "";
  const cab = tabla.createTHead().insertRow();
  for (const h of r.tabla.encabezado) { const th = document.createElement("th"); th.textContent = h; cab.append(th); }
  const cuerpo = tabla.createTBody();
  for (const f of r.tabla.filas) { const tr = cuerpo.insertRow(); for (const c of f) tr.insertCell().textContent = c; }
  const g = echarts.getInstanceByDom($("#sensGrafico")) || echarts.init($("#sensGrafico"), null, { renderer: "svg" });
  g.setOption({
    animation: false,
    grid: { left: 60, right: 20, top: 40, bottom: 40 },
    legend: { top: 5 },
    xAxis: { type: $("#sensLog").checked ? "log" : "value", name: $("#sensCampo").selectedOptions[0].textContent,
             nameLocation: "middle", nameGap: 26, scale: true },
    yAxis: { type: "value", name: "Erosión (m)", scale: true },
    series: r.formulas.map((f) => ({
      name: f.titulo, type: "line", color: COLORES[f.ranura - 1], connectNulls: false, symbolSize: 4,
      data: r.puntos.map((p) => [p.valor, p.profundidades[f.ranura - 1]]),
    })),
  }, true);
}

// ---- Validation against measurements, in a worker too.

let validacion = null;

function Validacion() {
  const sel = $("#valConjunto");
  if (!sel.options.length)
    for (const c of llamar("conjuntos", {}).conjuntos) {
      const o = document.createElement("option");
      o.value = c.archivo;
      o.textContent = `${c.nombre} (${c.archivo})`;
      sel.append(o);
    }
  $("#dlgValidacion").showModal();
}

function ValCalcular(entrada) {
  trabajador?.terminate();
  trabajador = new Worker("trabajador.js");
  $("#valAvance").hidden = false;
  $('[data-accion="val-cancelar"]').disabled = false;
  trabajador.onmessage = async (e) => {
    if (e.data.avance) return;
    trabajador.terminate();
    trabajador = null;
    $("#valAvance").hidden = true;
    $('[data-accion="val-cancelar"]').disabled = true;
    const r = e.data.respuesta;
    if (r.error) { await Mostrar(r.error.mensaje); return; }
    validacion = r;
    window.turmado.validacion = r.figuras;
    $('[data-accion="val-filas"]').disabled = false;
    const v = r.figuras.validacion;
    const rechazadas = v.rechazados.reduce((n, x) => n + x.filas, 0);
    $("#valResumen").textContent = `${v.casos} casos, ${rechazadas} rechazados` +
      v.rechazados.map((x) => ` · ${x.filas}: ${x.mensaje}`).join("");
    const tabla = $("#valTabla");
    tabla.textContent = "";
    const cab = tabla.createTHead().insertRow();
    for (const h of ["Fórmula", "n", "Sesgo (medida/predicha)", "Mediana", "CV", "Subestimados", "P95"]) {
      const th = document.createElement("th");
      th.textContent = h;
      cab.append(th);
    }
    const cuerpo = tabla.createTBody();
    for (const f of v.formulas) {
      const tr = cuerpo.insertRow();
      for (const x of [f.formula, f.n, f.sesgo, f.mediana, f.cv, f.subestimados, f.r95])
        tr.insertCell().textContent = typeof x === "number" && !Number.isInteger(x) ? x.toFixed(3) : (x ?? "");
    }
  };
  trabajador.postMessage({ orden: "validar", entrada });
}

function ValCancelar() {
  trabajador?.terminate();
  trabajador = null;
  $("#valAvance").hidden = true;
  $('[data-accion="val-cancelar"]').disabled = true;
}

// ---- Files.

function CargarProblema(p, archivo) {
  estado.problema = p;
  estado.archivo = archivo || "";
  estado.calculo = null;
  window.turmado.ultimo = null;
  $("#archivo").textContent = estado.archivo;
  estado.visibles = new Set([GLOBAL]);
  LlenarDatos();
  Etiquetas();
  if (p.codigo) estado.visibles.add(LOCAL);
  MostrarPreguntas();
  if (p.codigo >= 10) {
    estado.visibles.add(ESTRUCTURA);
    Estructura();
    const r = estado.recorrido;
    if ((r.siguiente === "complementarios" || r.siguiente === "chorro") && !r.faltaChorro) {
      LlenarPagina(COMPLEMENTARIA, r.filas.map((f) => f.campo), true);
      Panel(r.panel);
      estado.visibles.add(COMPLEMENTARIA);
      IrA(COMPLEMENTARIA);
    } else {
      IrA(ESTRUCTURA);
    }
  } else {
    IrA(p.codigo ? LOCAL : GLOBAL);
  }
  GuardarBorrador();
}

async function Abrir(archivo) {
  const texto = await archivo.text();
  try {
    const r = llamar("abrir", { texto });
    CargarProblema(r.problema, archivo.name);
  } catch (e) {
    await Mostrar(`No se pudo abrir ${archivo.name}: ${e.message}`);
  }
}

async function Guardar() {
  await SalirDelCampo();
  const r = llamar("guardar", { problema: estado.problema, conResultados: !!estado.calculo });
  const nombre = estado.archivo || ((estado.calculo?.vista.titulo || "Problema") + ".turmado");
  estado.archivo = nombre;
  $("#archivo").textContent = nombre;
  Descargar(nombre, r.texto, "application/x-turmado-problema");
}

async function Lote(archivo) {
  Estado(`Calculando ${archivo.name}…`);
  const r = llamar("lote", { texto: await archivo.text() });
  Descargar(archivo.name.replace(/\.csv$/i, "") + "-resultados.csv", r.csv, "text/csv");
  Estado(r.fallos.length ? `${archivo.name}: ${r.fallos.length} líneas con fallo` : `${archivo.name}: calculado`);
  for (const f of r.fallos) console.warn(f);
  window.turmado.lote = r;
}

// ---- Start.

function Acciones() {
  const acciones = {
    "continuar-globales": async () => {
      await SalirDelCampo();
      estado.visibles.add(LOCAL);
      MostrarPreguntas();
      IrA(LOCAL);
    },
    continuar: Continuar,
    calcular: Calcular,
    nuevo: () => { estado.archivo = ""; CargarProblema(ProblemaPorDefecto(), ""); },
    guardar: Guardar,
    detalle: () => { $("#detalle").hidden = !$("#detalle").hidden; },
    reporte: Reporte,
    sensibilidad: Sensibilidad,
    validacion: Validacion,
    "val-calcular": () => ValCalcular({ archivo: $("#valConjunto").value }),
    "val-cancelar": ValCancelar,
    "val-filas": () => Descargar("Validación " + Hoy() + ".csv", validacion.filas, "text/csv"),
    "val-cerrar": () => { ValCancelar(); $("#dlgValidacion").close(); },
    "sens-calcular": SensCalcular,
    "sens-cancelar": SensCancelar,
    "sens-csv": () => Descargar("Sensibilidad " + Hoy() + ".csv", estudio.csv, "text/csv"),
    "sens-cerrar": () => { SensCancelar(); $("#dlgSensibilidad").close(); },
    "ver-todo": () => estado.grafico?.dispatchAction({ type: "restore" }),
    "exportar-png": ExportarPng,
    "exportar-svg": ExportarSvg,
    "exportar-csv": ExportarCsv,
    recuperar: () => {
      const b = JSON.parse(localStorage.getItem(BORRADOR));
      $("#recuperar").hidden = true;
      CargarProblema(b.problema, b.archivo);
    },
    descartar: () => { localStorage.removeItem(BORRADOR); $("#recuperar").hidden = true; },
  };
  document.addEventListener("click", (e) => {
    const b = e.target.closest("[data-accion]");
    if (b && acciones[b.dataset.accion]) acciones[b.dataset.accion]();
  });
  for (const r of $$('input[name="rugosidad"]')) {
    r.addEventListener("change", () => {
      estado.problema.rugosidad = r.value === "altura" && r.checked;
      Rugosidad();
      Ocultar(RESULTADOS);
      GuardarBorrador();
    });
  }
  $("#abrir").addEventListener("change", (e) => { if (e.target.files[0]) Abrir(e.target.files[0]); e.target.value = ""; });
  $("#lote").addEventListener("change", (e) => { if (e.target.files[0]) Lote(e.target.files[0]); e.target.value = ""; });
  $("#escalaLog").addEventListener("change", DibujarGrafico);
  $("#valArchivo").addEventListener("change", async (e) => {
    if (e.target.files[0]) ValCalcular({ texto: await e.target.files[0].text() });
    e.target.value = "";
  });
}

// window.turmado: the page driven by a script.  resolver(problema) takes
// {codigo, chorro, rugosidad, textos} as the problem files hold it and
// returns the object that turmado-calc --json prints for it.
window.turmado = {
  listo: null,
  ultimo: null,
  catalogo: null,
  resolver(problema) { return llamar("resolver", problema); },
  recorrer(problema) { return llamar("recorrer", problema); },
  abrir(texto) { return llamar("abrir", { texto }).problema; },
  guardar(problema) { return llamar("guardar", { problema }).texto; },
  lote(texto) { return llamar("lote", { texto }).csv; },
};

window.turmado.listo = (async () => {
  nucleo = await CargarNucleo();
  catalogo = window.turmado.catalogo = nucleo.llamar("catalogo", {});
  estado.problema = ProblemaPorDefecto();
  Pestanas();
  Acciones();
  LlenarDatos();
  Etiquetas();
  IrA(GLOBAL);
  const borrador = localStorage.getItem(BORRADOR);
  if (borrador && JSON.stringify(JSON.parse(borrador).problema) !== JSON.stringify(estado.problema))
    $("#recuperar").hidden = false;
  if ("serviceWorker" in navigator && location.protocol.startsWith("http"))
    navigator.serviceWorker.register("sw.js").catch(() => {});
  document.body.dataset.listo = "1";
})();
