// Keeps the game's files in the browser, so that it plays offline after the
// first visit. package.sh writes in the version and the list of files; any
// change to them is a new worker, which the browser installs at the next visit.
'use strict';

const VERSION = '@VERSION@';
const FILES = ['@FILES@'];
const PREFIX = 'mcm-mcd-';
const CACHE = PREFIX + VERSION;

self.addEventListener('install', (event) => {
  // 'no-cache': the server confirms each file, so that an old copy in the HTTP
  // cache never lands in the new version's cache.
  const requests = FILES.map((file) => new Request(file, { cache: 'no-cache' }));
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(requests))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith(PREFIX) && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// Only our own files, as listed: anything else goes to the network untouched,
// and nothing fetched at run time is ever stored.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin)
    return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(request, { ignoreSearch: true }))
    .then((kept) => kept || fetch(request)));
});
