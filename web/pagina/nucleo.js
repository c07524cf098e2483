// The core in WebAssembly behind one call: llamar(orden, entrada) hands the
// order and its argument (as JSON) to turmado_llamar and returns the answer
// parsed.  Used by the page and by the studies' worker alike.
"use strict";

async function CargarNucleo() {
  const m = await CrearTurmado();
  function llamar(orden, entrada) {
    const texto = JSON.stringify(entrada ?? {});
    const largo = m.lengthBytesUTF8(texto) + 1;
    const pOrden = m._malloc(orden.length + 1);
    const pEntrada = m._malloc(largo);
    m.stringToUTF8(orden, pOrden, orden.length + 1);
    m.stringToUTF8(texto, pEntrada, largo);
    const pSalida = m._turmado_llamar(pOrden, pEntrada);
    m._free(pOrden);
    m._free(pEntrada);
    const salida = m.UTF8ToString(pSalida);
    m._turmado_liberar(pSalida);
    return JSON.parse(salida);
  }
  return { llamar };
}

// An answer that failed as a JavaScript error carrying the core's class.
function ErrorNucleo(r) {
  const e = new Error(r.error.mensaje);
  e.clase = r.error.clase;
  e.mensajes = r.mensajes || [];
  return e;
}

self.CargarNucleo = CargarNucleo;
self.ErrorNucleo = ErrorNucleo;
