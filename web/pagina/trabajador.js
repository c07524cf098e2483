// The studies off the page's thread: the core loaded again here, one order
// per message; the core posts its progress ({avance: [done, total]}) while
// it runs, the answer comes last ({respuesta}).  "Cancelar" ends the worker.
"use strict";
importScripts("turmado.js", "nucleo.js");
const nucleo = CargarNucleo();
onmessage = async (e) => {
  const n = await nucleo;
  postMessage({ respuesta: n.llamar(e.data.orden, e.data.entrada) });
};
