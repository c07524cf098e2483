// Keeps the page's files so that it loads and computes with the network off
// after the first visit.  The build writes the list of files and its
// version into lista.js; a new version replaces the old copies.
"use strict";
importScripts("lista.js");  // self.ARCHIVOS, self.VERSION
const CACHE = "turmado-" + self.VERSION;

self.addEventListener("install", (e) => {
  e.waitUntil(caches.open(CACHE).then((c) => c.addAll(self.ARCHIVOS)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (e) => {
  e.waitUntil(caches.keys()
    .then((k) => Promise.all(k.filter((n) => n.startsWith("turmado-") && n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The kept copy first; what is not kept comes from the network.
self.addEventListener("fetch", (e) => {
  if (e.request.method !== "GET") return;
  e.respondWith(caches.open(CACHE).then((c) =>
    c.match(e.request, { ignoreSearch: true }).then((r) => r || fetch(e.request))));
});
