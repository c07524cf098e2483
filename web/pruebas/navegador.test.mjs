// The page in Debian's Chromium, headless, driven by playwright-core: every
// problem type computed through window.turmado.resolver and through the
// page's own fields and buttons equals turmado-calc --json; the messages of
// rejected texts; a desktop problem file; the recovery after a reload; the
// page with the network and the server gone.  Screenshots of the results and
// the chart go to build-web/capturas.
//
//   TURMADO_CALC=build/turmado-calc node --test web/pruebas/
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFileSync, spawn, spawnSync } from "node:child_process";
import { mkdtempSync, mkdirSync, rmSync, readFileSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";

const raiz = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const sitio = process.env.TURMADO_SITIO || path.join(raiz, "build-web/sitio");
const calc = process.env.TURMADO_CALC || path.join(raiz, "build/turmado-calc");
const capturas = path.join(raiz, "build-web/capturas");
const pila = path.join(raiz, "tests/data/pila.turmado");

let servidor, direccion, perfil, contexto, pagina, catalogo;

// The page's answer against turmado-calc's: every key, text, flag and array
// length the same, and every number the same double, except that a number
// may differ in its last bit.  The desktop computes in 80-bit extended
// precision; WebAssembly has no such type and computes the same operations
// in 128-bit quadruple precision, so a stored value whose exact result lies
// within 2^-64 of a rounding boundary of the double rounds the other way.
// That happens to a few points of the evolution curves in ten thousand;
// every results row, record field and detail value is equal.
const ULP = 2 ** -52;
const diferencias = { numeros: 0, ultimoBit: 0, ejemplos: [] };
function Igual(obtenido, esperado, donde) {
  if (typeof esperado === "number" && typeof obtenido === "number") {
    diferencias.numeros++;
    if (Object.is(obtenido, esperado)) return;
    assert.ok(Math.abs(obtenido - esperado) <= 2 * ULP * Math.abs(esperado),
              `${donde}: ${obtenido} en lugar de ${esperado}`);
    diferencias.ultimoBit++;
    if (diferencias.ejemplos.length < 5) diferencias.ejemplos.push(`${donde}: ${obtenido} / ${esperado}`);
    return;
  }
  if (Array.isArray(esperado)) {
    assert.ok(Array.isArray(obtenido), donde);
    assert.equal(obtenido.length, esperado.length, `${donde}: largo`);
    esperado.forEach((x, i) => Igual(obtenido[i], x, `${donde}[${i}]`));
    return;
  }
  if (esperado !== null && typeof esperado === "object") {
    assert.ok(obtenido !== null && typeof obtenido === "object", donde);
    assert.deepStrictEqual(Object.keys(obtenido), Object.keys(esperado), `${donde}: claves`);
    for (const k of Object.keys(esperado)) Igual(obtenido[k], esperado[k], `${donde}.${k}`);
    return;
  }
  assert.strictEqual(obtenido, esperado, donde);
}
const errores = [];  // uncaught errors of the page's scripts

// The server of ./run.sh --web, on a free port.
function Servir() {
  return new Promise((listo, fallo) => {
    const s = spawn("python3", [path.join(raiz, "web/servir.py"), sitio, "0"], { stdio: ["ignore", "pipe", "inherit"] });
    s.stdout.on("data", (d) => {
      const m = /http:\/\/127\.0\.0\.1:\d+\//.exec(String(d));
      if (m) listo([s, m[0]]);
    });
    s.on("exit", (c) => fallo(new Error(`el servidor terminó (${c})`)));
  });
}

before(async () => {
  [servidor, direccion] = await Servir();
  perfil = mkdtempSync(path.join(tmpdir(), "turmado-chromium-"));
  mkdirSync(capturas, { recursive: true });
  contexto = await chromium.launchPersistentContext(perfil, {
    executablePath: "/usr/bin/chromium",
    headless: true,
    viewport: { width: 1024, height: 768 },
    acceptDownloads: true,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  pagina = contexto.pages()[0] || await contexto.newPage();
  pagina.on("pageerror", (e) => errores.push(e.message));
  await Abrir();
  catalogo = await pagina.evaluate(() => window.turmado.catalogo);
});

after(async () => {
  await contexto?.close();
  servidor?.kill();
  if (perfil) rmSync(perfil, { recursive: true, force: true });
});

async function Abrir() {
  await pagina.goto(direccion);
  await pagina.waitForFunction(() => document.body.dataset.listo === "1");
}

// ---- The problems: every final type, the roughness option, a bed step with
// its two jet answers.  Each empty complementary field of the type is filled
// with "1" in the "completo" cases, so that every formula runs.
const CASOS = [
  ["pila por defecto", { codigo: 22 }],
  ["pila completa", { codigo: 22 }, true],
  ["pila con altura de rugosidad", { codigo: 22, rugosidad: true, textos: { AltuRugoCauc: "150" } }, true],
  ["alcantarilla angosta", { codigo: 31 }, true],
  ["vórtice confinado tras un escalón", { codigo: 11 }, true],
  ["vórtice confinado bajo una compuerta", { codigo: 12 }, true],
  ["alcantarilla ancha", { codigo: 12, textos: { EstrLongPlat: "1" } }, true],
  ["estribo protegido", { codigo: 21 }],
  ["estribo", { codigo: 21, textos: { EstrLongPlat: "0.1" } }, true],
  ["escalón (desliza)", { codigo: 11, chorro: 1, textos: { EstrLongPlat: "1" } }, true],
  ["chorro zambullido", { codigo: 11, chorro: 0, textos: { EstrLongPlat: "1" } }, true],
  ["pila con caudal pequeño", { codigo: 22, textos: { FlujCaud: "12.5", SediDiamMedi: "0.5" } }, true],
];

async function Problema([, p, completo]) {
  const textos = {};
  for (const c of catalogo.campos) textos[c.nombre] = c.defecto;
  Object.assign(textos, p.textos);
  const problema = { codigo: p.codigo, chorro: p.chorro ?? null, rugosidad: !!p.rugosidad, textos };
  if (completo) {
    const r = await pagina.evaluate((q) => window.turmado.recorrer(q), problema);
    for (const f of r.filas) if (textos[f.campo] === "") textos[f.campo] = "1";
  }
  return problema;
}

function Calc(problema) {
  const args = ["--json", "--codigo", String(problema.codigo)];
  if (problema.chorro !== null) args.push("--chorro", String(problema.chorro));
  if (problema.rugosidad) args.push("--rugosidad");
  for (const [n, t] of Object.entries(problema.textos)) args.push(`${n}=${t}`);
  return JSON.parse(execFileSync(calc, args, { stdio: ["ignore", "pipe", "ignore"], maxBuffer: 1 << 28 }));
}

function CalcFallo(args) {
  try {
    execFileSync(calc, args, { stdio: ["ignore", "pipe", "pipe"] });
  } catch (e) {
    return String(e.stderr).trim().split("\n")[0].replace(/^turmado-calc: /, "");
  }
  throw new Error("turmado-calc no falló");
}

test("resolver da lo mismo que turmado-calc --json para cada tipo", async () => {
  const codigos = new Set();
  for (const caso of CASOS) {
    const problema = await Problema(caso);
    const esperado = Calc(problema);
    const obtenido = await pagina.evaluate((q) => window.turmado.resolver(q), problema);
    Igual(obtenido, esperado, caso[0]);
    codigos.add(esperado.codigo);
  }
  // Every final type of the calculator is in the table.
  assert.deepStrictEqual([...codigos].sort((a, b) => a - b),
                         catalogo.tipos.map((t) => t.codigo).sort((a, b) => a - b));
});

// The road of the window: fields typed page by page, the questions answered
// with the mouse, "Continuar", the jet question when it comes, "Calcular".
async function PorLaPagina(problema) {
  await pagina.click('[data-accion="nuevo"]');
  const escribir = async (nombres) => {
    for (const n of nombres) {
      const campo = pagina.locator(`[data-campo="${n}"]`);
      if (await campo.isDisabled()) continue;
      if ((await campo.inputValue()) === problema.textos[n]) continue;
      await campo.fill(problema.textos[n]);
      await campo.press("Tab");
    }
  };
  const dePagina = (k) => catalogo.campos.filter((c) => c.pagina === k).map((c) => c.nombre);
  if (problema.rugosidad) await pagina.check('[data-opcion="altura"]');
  await escribir(dePagina(0));
  await pagina.click('[data-accion="continuar-globales"]');
  await escribir(dePagina(1));
  const fenomeno = Math.floor(problema.codigo / 10);
  await pagina.check(`[data-pregunta="rg0"][data-item="${fenomeno - 1}"]`);
  const q = catalogo.obstaculo[String(fenomeno)];
  await pagina.check(`[data-pregunta="${q.nombre}"][data-item="${q.codigos.indexOf(problema.codigo)}"]`);
  await escribir(catalogo.estructura[String(problema.codigo)]);
  await pagina.click('[data-accion="continuar"]');
  // The protection message of a short protection, then the jet question.
  await pagina.waitForSelector("#dlgMensaje[open], #rg000:not([hidden]), #pgComplementaria:not([hidden]), " +
                               "#pgResultados:not([hidden])");
  if (await pagina.locator("#dlgMensaje[open]").count()) await pagina.click("#dlgMensaje button");
  if (problema.chorro !== null) await pagina.check(`[data-pregunta="rg000"][data-item="${problema.chorro}"]`);
  await pagina.waitForSelector("#pgComplementaria:not([hidden]), #pgResultados:not([hidden])");
  const complementaria = pagina.locator("#pgComplementaria");
  if (await complementaria.isVisible()) {
    const campos = await complementaria.locator("[data-campo]").evaluateAll((l) => l.map((e) => e.dataset.campo));
    await escribir(campos);
    await pagina.click('[data-accion="calcular"]');
  }
  return Resultado();
}

// The solution of the page's last "Calcular", its messages acknowledged.
async function Resultado() {
  await pagina.waitForFunction(() => {
    const d = document.querySelector("#dlgMensaje");
    if (d.open) d.close();
    return window.turmado.ultimo !== null && !d.open;
  }, null, { polling: 50 });
  return pagina.evaluate(() => window.turmado.ultimo);
}

test("la página, con sus campos y botones, da lo mismo que turmado-calc --json", async () => {
  for (const caso of CASOS) {
    const problema = await Problema(caso);
    let obtenido;
    try {
      obtenido = await PorLaPagina(problema);
    } catch (e) {
      await pagina.screenshot({ path: path.join(capturas, "fallo.png") });
      throw new Error(`${caso[0]}: ${e.message}`);
    }
    Igual(obtenido, Calc(problema), caso[0]);
  }
  await pagina.screenshot({ path: path.join(capturas, "resultados.png") });
});

test("un texto rechazado da el mensaje de la ventana y el de turmado-calc", async () => {
  await pagina.click('[data-accion="nuevo"]');
  for (const [campo, texto] of [["SediDiamMedi", "0.01"], ["AguaDens", "abc"], ["FlujCaud", "-3"]]) {
    const c = catalogo.campos.find((x) => x.nombre === campo);
    const edit = pagina.locator(`[data-campo="${campo}"]`);
    if (c.pagina === 1) await pagina.click('[data-accion="continuar-globales"]');
    await edit.fill(texto);
    await edit.press("Tab");
    await pagina.waitForSelector("#dlgMensaje[open]");
    assert.equal(await pagina.textContent("#textoMensaje"), c.mensaje);
    await pagina.click("#dlgMensaje button");
    // Emptied, and the focus back in the field.
    assert.equal(await edit.inputValue(), "");
    // The focus goes back once the box has closed: wait for it, not for a fixed time.
    await pagina.waitForFunction((c) => document.activeElement?.dataset.campo === c, campo, { timeout: 5000 });
    await edit.fill(c.defecto);
    await edit.press("Tab");
    // resolver refuses it with turmado-calc's message.
    const problema = await Problema(["", { codigo: 22, textos: { [campo]: texto } }]);
    const mensaje = await pagina.evaluate((q) => {
      try { window.turmado.resolver(q); return null; } catch (e) { return e.message; }
    }, problema);
    assert.equal(mensaje, CalcFallo(["--codigo", "22", `${campo}=${texto}`]));
  }
});

test("un archivo de problema guardado por el escritorio se abre y se calcula", async () => {
  await pagina.setInputFiles("#abrir", pila);
  await pagina.waitForSelector("#pgComplementaria:not([hidden])");
  await pagina.click('[data-accion="calcular"]');
  const obtenido = await Resultado();
  const esperado = JSON.parse(execFileSync(calc, ["--problema", pila, "--json"], { stdio: ["ignore", "pipe", "ignore"], maxBuffer: 1 << 28 }));
  Igual(obtenido, esperado, "pila.turmado");
  // Saved again it is the same problem, and the chart draws its curves.
  const [descarga] = await Promise.all([pagina.waitForEvent("download"), pagina.click('[data-accion="guardar"]')]);
  const guardado = readFileSync(await descarga.path(), "utf8");
  const original = JSON.parse(readFileSync(pila, "utf8"));
  const copia = JSON.parse(guardado);
  for (const k of ["codigo", "chorro", "rugosidad", "textos"]) assert.deepStrictEqual(copia[k], original[k], k);
  await pagina.click('[data-pestana="5"]');
  await pagina.waitForFunction(() => document.querySelectorAll("#grafico svg path").length > 20);
  const caja = await pagina.locator("#grafico").boundingBox();
  await pagina.mouse.move(caja.x + caja.width / 2, caja.y + caja.height / 2);
  await pagina.waitForFunction(() => document.querySelector("#lectura").textContent.includes("erosión"));
  await pagina.screenshot({ path: path.join(capturas, "grafico.png") });
});

test("el estudio de sensibilidad corre en un trabajador, con su avance y Cancelar", async () => {
  // The pier of pila.turmado is on the results page (the test before).
  await pagina.click('[data-pestana="4"]');
  await pagina.click('[data-accion="sensibilidad"]');
  await pagina.selectOption("#sensCampo", "FlujCaud");
  await pagina.fill("#sensDesde", "1000");
  await pagina.fill("#sensHasta", "5000");
  await pagina.fill("#sensPuntos", "1000");
  await pagina.click('[data-accion="sens-calcular"]');
  await pagina.waitForSelector("#sensAvance:not([hidden])");
  await pagina.click('[data-accion="sens-cancelar"]');
  assert.ok(await pagina.locator("#sensAvance").isHidden());
  assert.equal(await pagina.textContent("#estado"), "Estudio cancelado");
  await pagina.fill("#sensPuntos", "20");
  await pagina.click('[data-accion="sens-calcular"]');
  await pagina.waitForFunction(() => document.querySelectorAll("#sensTabla tbody tr").length === 20);
  const [descarga] = await Promise.all([pagina.waitForEvent("download"), pagina.click('[data-accion="sens-csv"]')]);
  const esperado = execFileSync(calc, ["--problema", pila, "--barrido", "FlujCaud=1000:5000:20"],
                                { stdio: ["ignore", "pipe", "ignore"], maxBuffer: 1 << 28 });
  assert.equal(readFileSync(await descarga.path(), "utf8"), String(esperado));
  await pagina.click('[data-accion="sens-cerrar"]');
});

test("un lote CSV se calcula en la página como turmado-calc --lote", async () => {
  const casos = path.join(raiz, "tests/data/codigos.csv");
  const [descarga] = await Promise.all([pagina.waitForEvent("download"), pagina.setInputFiles("#lote", casos)]);
  const esperado = spawnSync(calc, ["--lote", casos], { encoding: "utf8", maxBuffer: 1 << 28 });
  assert.equal(readFileSync(await descarga.path(), "utf8"), esperado.stdout);
  // The bad lines, as turmado-calc names them on standard error.
  const fallos = esperado.stderr.split("\n").filter((l) => l.startsWith(casos + ":"))
                                .map((l) => l.slice(casos.length + 1));
  assert.deepStrictEqual(await pagina.evaluate(() => window.turmado.lote.fallos), fallos);
});

test("la validación con las mediciones de laboratorio da las cifras de turmado-calc --validar", async () => {
  await pagina.click('[data-accion="validacion"]');
  await pagina.selectOption("#valConjunto", "usgs_laboratorio.csv");
  await pagina.evaluate(() => { window.turmado.validacion = null; });
  await pagina.click('[data-accion="val-calcular"]');
  await pagina.waitForFunction(() => window.turmado.validacion !== null, null, { timeout: 300000 });
  const esperado = JSON.parse(execFileSync(calc, ["--validar", path.join(raiz, "data/validacion/usgs_laboratorio.csv"),
                                                  "--json"], { stdio: ["ignore", "pipe", "ignore"] }));
  Igual(await pagina.evaluate(() => window.turmado.validacion), esperado, "validación");
  await pagina.click('[data-accion="val-cerrar"]');
});

test("lo escrito vuelve tras recargar la página", async () => {
  await pagina.click('[data-accion="nuevo"]');
  await pagina.fill('[data-campo="FlujCaud"]', "1234.5");
  await Abrir();
  await pagina.waitForSelector("#recuperar:not([hidden])");
  await pagina.click('[data-accion="recuperar"]');
  assert.equal(await pagina.inputValue('[data-campo="FlujCaud"]'), "1234.5");
});

test("sin red ni servidor, la página carga y calcula", async () => {
  await pagina.evaluate(() => navigator.serviceWorker.ready);
  await Abrir();  // now under the service worker's control
  assert.ok(await pagina.evaluate(() => !!navigator.serviceWorker.controller));
  servidor.kill();
  await new Promise((r) => servidor.once("exit", r));
  await contexto.setOffline(true);
  try {
    await Abrir();
    const problema = await Problema(CASOS[1]);
    Igual(await PorLaPagina(problema), Calc(problema), "sin red");
  } finally {
    await contexto.setOffline(false);
  }
});

test("la página no tuvo errores de JavaScript, y los números difieren a lo sumo en su último bit", () => {
  assert.deepStrictEqual(errores, []);
  console.log(`${diferencias.numeros} números comparados, ${diferencias.ultimoBit} con otro último bit` +
              (diferencias.ejemplos.length ? `, p. ej. ${diferencias.ejemplos.join("; ")}` : ""));
  assert.ok(diferencias.ultimoBit <= diferencias.numeros / 1000);
});
