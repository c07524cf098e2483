// Benchmark of the page (not a test: it prints figures and checks nothing):
//  - the page interactive from the local server on a first visit, nothing
//    cached (navigation start to the page ready for input);
//  - one "Calcular" of the pier of tests/data/pila.turmado (the default
//    data with every pier formula active, so with its three curves), through
//    window.turmado.resolver and through the page's button after opening
//    the file;
//  - both as ratios to a run of the native turmado-calc on the same case
//    (process start to exit, --json);
//  - the transfer size of the page, each file compressed with gzip -9 as a
//    server that compresses would send it.
//
//   web/construir.sh && node web/bench/rendimiento.mjs [build/turmado-calc]
import { execFileSync, spawn } from "node:child_process";
import { mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { gzipSync } from "node:zlib";
import { chromium } from "playwright-core";

const raiz = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const sitio = path.join(raiz, "build-web/sitio");
const calc = path.resolve(process.argv[2] || path.join(raiz, "build/turmado-calc"));
const REPETICIONES = 15;
const archivo = path.join(raiz, "tests/data/pila.turmado");
const { codigo, chorro, rugosidad, textos } = JSON.parse(readFileSync(archivo, "utf8"));
const problema = { codigo, chorro, rugosidad, textos };

const mediana = (v) => [...v].sort((a, b) => a - b)[Math.floor(v.length / 2)];

function Nativo() {
  const t = [];
  for (let i = 0; i < REPETICIONES; ++i) {
    const t0 = process.hrtime.bigint();
    execFileSync(calc, ["--problema", archivo, "--json"], { stdio: ["ignore", "ignore", "ignore"] });
    t.push(Number(process.hrtime.bigint() - t0) / 1e6);
  }
  return mediana(t);
}

function Transferencia() {
  let crudo = 0, comprimido = 0;
  const filas = [];
  const recorrer = (dir) => {
    for (const n of readdirSync(dir)) {
      const f = path.join(dir, n);
      if (statSync(f).isDirectory()) { recorrer(f); continue; }
      const b = readFileSync(f);
      const g = gzipSync(b, { level: 9 }).length;
      crudo += b.length;
      comprimido += g;
      filas.push([path.relative(sitio, f), b.length, g]);
    }
  };
  recorrer(sitio);
  return { crudo, comprimido, filas };
}

const servidor = spawn("python3", [path.join(raiz, "web/servir.py"), sitio, "0"], { stdio: ["ignore", "pipe", "inherit"] });
const direccion = await new Promise((listo) => servidor.stdout.on("data", (d) => {
  const m = /http:\/\/127\.0\.0\.1:\d+\//.exec(String(d));
  if (m) listo(m[0]);
}));

const args = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
              "--disable-background-networking", "--disable-component-update", "--disable-sync"];
const cargas = [];
let resolver = [], boton = [];
for (let i = 0; i < 5; ++i) {
  // A fresh profile each time: a first visit, nothing cached.
  const perfil = mkdtempSync(path.join(tmpdir(), "turmado-bench-"));
  const contexto = await chromium.launchPersistentContext(perfil, { executablePath: "/usr/bin/chromium", headless: true,
                                                                    viewport: { width: 1024, height: 768 }, args });
  const pagina = contexto.pages()[0] || await contexto.newPage();
  await pagina.goto(direccion);
  await pagina.waitForFunction(() => document.body.dataset.listo === "1");
  cargas.push(await pagina.evaluate(() => performance.now()));
  if (i === 0) {
    resolver = await pagina.evaluate(([n, q]) => {
      const t = [];
      for (let k = 0; k < n; ++k) {
        const t0 = performance.now();
        window.turmado.resolver(q);
        t.push(performance.now() - t0);
      }
      return t;
    }, [REPETICIONES, problema]);
    // The page's own road: the default pier up to its complementary page,
    // then the button, timed in the page from the click to the results shown.
    await pagina.setInputFiles("#abrir", archivo);
    await pagina.waitForSelector("#pgComplementaria:not([hidden])");
    for (let k = 0; k < REPETICIONES; ++k) {
      await pagina.click('[data-pestana="3"]');
      const t = await pagina.evaluate(async () => {
        window.turmado.ultimo = null;
        const t0 = performance.now();
        document.querySelector('[data-accion="calcular"]').click();
        while (!window.turmado.ultimo) await new Promise((r) => setTimeout(r, 0));
        document.querySelector("#dlgMensaje").close();
        await new Promise((r) => requestAnimationFrame(() => r()));
        return performance.now() - t0;
      });
      boton.push(t);
    }
  }
  await contexto.close();
  rmSync(perfil, { recursive: true, force: true });
}
servidor.kill();

const nativo = Nativo();
const t = Transferencia();
const fmt = (x) => x.toFixed(1).padStart(8);
console.log(`turmado-calc --problema pila.turmado --json (nativo):   ${fmt(nativo)} ms`);
console.log(`Página interactiva, primera visita sin caché:            ${fmt(mediana(cargas))} ms  (${(mediana(cargas) / nativo).toFixed(1)} × nativo)`);
console.log(`window.turmado.resolver, pila con sus tres curvas:       ${fmt(mediana(resolver))} ms  (${(mediana(resolver) / nativo).toFixed(2)} × nativo)`);
console.log(`Botón "Calcular" hasta los resultados a la vista:        ${fmt(mediana(boton))} ms  (${(mediana(boton) / nativo).toFixed(2)} × nativo)`);
console.log(`Tamaño de la página: ${(t.crudo / 1024).toFixed(0)} KiB, comprimida (gzip -9) ${(t.comprimido / 1024).toFixed(0)} KiB`);
for (const [f, c, g] of t.filas.sort((a, b) => b[2] - a[2]).slice(0, 6))
  console.log(`  ${f.padEnd(22)} ${(c / 1024).toFixed(0).padStart(6)} KiB  ${(g / 1024).toFixed(0).padStart(6)} KiB`);
