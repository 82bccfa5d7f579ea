// Starts the game in the page and tells the player, in Italian, what is going
// on: loading, running, over, or broken. Written in plain old JavaScript so that
// an old browser, the kind without WebAssembly, still runs it far enough to say
// that it cannot play.
(function () {
  'use strict';

  var PROGRAM = 'mcm-mcd';
  var ANNOUNCE_DELAY = 100;   // ms the live region stays empty, so that screen readers see a change

  var TEXT = {
    loading: 'Caricamento del gioco…',
    preparing: 'Preparazione del gioco…',
    over: 'Il gioco è finito. Ricarica la pagina per cominciarne uno nuovo.',
    broken: 'Qualcosa è andato storto e il gioco si è fermato. Ricarica la pagina per ricominciare.',
    notDownloaded: 'Non è stato possibile scaricare il gioco. Controlla la connessione a Internet e ricarica la pagina.',
    noWebAssembly: 'Questo browser non può far funzionare il gioco, perché non conosce WebAssembly. ' +
      'Apri la pagina con un browser aggiornato.',
    noWebGL: 'Questo browser non può mostrare il gioco, perché la grafica WebGL manca o è disattivata. ' +
      'Apri la pagina con un browser aggiornato, o attiva l’accelerazione grafica.'
  };

  var body = document.body;
  var status = document.getElementById('stato');
  var progress = document.getElementById('avanzamento');
  var screen = document.getElementById('schermo');
  var liveRegion = document.getElementById('annuncio');

  function show(state, text) {
    body.setAttribute('data-stato', state);
    status.textContent = text;
  }

  // The game tells screen readers its news through here. Text set while the
  // region still waits joins what is waiting, so nothing said is lost.
  var waiting = null;
  window.mcmAnnuncia = function (text) {
    var news = String(text).trim();
    if (!news)
      return;
    if (waiting !== null) {
      waiting += ' ' + news;
      return;
    }
    waiting = news;
    liveRegion.textContent = '';
    window.setTimeout(function () {
      liveRegion.textContent = waiting;
      waiting = null;
    }, ANNOUNCE_DELAY);
  };

  var ended = false;
  function end(state, text, detail) {
    if (ended)
      return;
    ended = true;
    if (detail !== undefined)
      console.error(PROGRAM + ':', detail);
    show(state, text);
    status.focus();
  }

  // The runtime unwinds the program's stack by throwing 'unwind' when the
  // program waits (for a box, for the browser's storage); where that happens
  // in a promise's callback, it is no error of the page.
  window.addEventListener('unhandledrejection', function (event) {
    if (event.reason === 'unwind')
      event.preventDefault();
  });

  // The game calls this as it stops for good (an abort follows): that end is
  // the normal one, the player's own choice.
  window.mcmFinePartita = function () {
    end('finito', TEXT.over);
  };

  function hasWebGL() {
    try {
      var canvas = document.createElement('canvas');
      var gl = canvas.getContext('webgl2') || canvas.getContext('webgl');
      if (!gl)
        return false;
      var loseContext = gl.getExtension('WEBGL_lose_context');
      if (loseContext)
        loseContext.loseContext();
      return true;
    } catch (e) {
      return false;
    }
  }

  function expectedBytes(response) {
    var stamped = document.querySelector('meta[name="mcm-wasm-bytes"]');
    var bytes = stamped ? Number(stamped.content) : NaN;
    if (bytes > 0)
      return bytes;
    // Content-Length counts the compressed bytes when the server compresses.
    if (!response.headers.get('Content-Encoding'))
      return Number(response.headers.get('Content-Length')) || 0;
    return 0;
  }

  function showProgress(received, total) {
    if (!(total > 0))
      return;   // the bar stays indeterminate
    var share = Math.min(received / total, 1);
    progress.max = 1;
    progress.value = share;
    status.textContent = TEXT.loading + ' ' + Math.floor(share * 100) + '%';
  }

  // The response again, its bytes counted on their way to the compiler.
  function counted(response) {
    var total = expectedBytes(response);
    if (!response.body || typeof ReadableStream !== 'function')
      return response;
    var reader = response.body.getReader();
    var received = 0;
    var stream = new ReadableStream({
      pull: function (controller) {
        return reader.read().then(function (chunk) {
          if (chunk.done) {
            status.textContent = TEXT.preparing;
            controller.close();
            return;
          }
          received += chunk.value.byteLength;
          showProgress(received, total);
          controller.enqueue(chunk.value);
        });
      },
      cancel: function (reason) {
        return reader.cancel(reason);
      }
    });
    return new Response(stream, { headers: { 'Content-Type': response.headers.get('Content-Type') || '' } });
  }

  function DownloadError(message) {
    this.name = 'DownloadError';
    this.message = message;
  }

  // Compiles while it downloads where the browser can.
  function compileProgram() {
    var file = PROGRAM + '.wasm';
    return fetch(file).then(function (response) {
      if (!response.ok)
        throw new DownloadError(file + ': HTTP ' + response.status);
      var body = counted(response);
      var isWasm = /^application\/wasm\b/.test(response.headers.get('Content-Type') || '');
      if (isWasm && typeof WebAssembly.compileStreaming === 'function')
        return WebAssembly.compileStreaming(body);
      return body.arrayBuffer().then(function (bytes) {
        return WebAssembly.compile(bytes);
      });
    }, function (error) {
      throw new DownloadError(file + ': ' + error);
    });
  }

  function loadRuntime() {
    return new Promise(function (resolve, reject) {
      var script = document.createElement('script');
      script.src = PROGRAM + '.js';
      script.onload = resolve;
      script.onerror = function () {
        reject(new DownloadError(script.src));
      };
      document.head.appendChild(script);
    });
  }

  function fail(error) {
    if (error instanceof DownloadError)
      end('guasto', TEXT.notDownloaded, error.message);
    else
      end('guasto', TEXT.broken, error);
  }

  // Only served over the web: a file opened from disk has no worker.
  function keepForOffline() {
    if (!('serviceWorker' in navigator) || !/^https?:$/.test(location.protocol))
      return;
    navigator.serviceWorker.register('sw.js').then(askToKeepStorage, function (error) {
      console.warn(PROGRAM + ': no service worker:', error);
    });
  }

  // Once: some browsers ask the user, who should not be asked at every visit.
  function askToKeepStorage() {
    var key = PROGRAM + '.persist-asked';
    if (!navigator.storage || !navigator.storage.persist)
      return;
    try {
      if (localStorage.getItem(key))
        return;
      localStorage.setItem(key, '1');
    } catch (e) {
      return;   // storage refused altogether: nothing to keep
    }
    navigator.storage.persist().catch(function (error) {
      console.warn(PROGRAM + ': persistent storage:', error);
    });
  }

  function isUnwinding(error) {
    return error === 'unwind' || (error !== null && typeof error === 'object' && error.name === 'ExitStatus');
  }

  function start() {
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
      show('inadatto', TEXT.noWebAssembly);
      return;
    }
    if (!hasWebGL()) {
      show('inadatto', TEXT.noWebGL);
      return;
    }
    show('caricamento', TEXT.loading);

    // Emscripten leaves the stack by throwing; from some of Qt's event handlers
    // that reaches the window, as does the abort that stops a finished game.
    window.addEventListener('error', function (event) {
      if (isUnwinding(event.error) || body.getAttribute('data-stato') === 'finito')
        event.preventDefault();
      else if (event.error instanceof WebAssembly.RuntimeError)
        end('guasto', TEXT.broken, event.error);
    });

    var program = compileProgram();
    Promise.all([program, loadRuntime()]).then(function () {
      window.createQtAppInstance({
        qtContainerElements: [screen],
        instantiateWasm: function (imports, receiveInstance) {
          program.then(function (module) {
            return WebAssembly.instantiate(module, imports).then(function (instance) {
              receiveInstance(instance, module);
            });
          }).catch(fail);
          return {};
        },
        onRuntimeInitialized: function () {
          show('gioco', '');
          keepForOffline();
        },
        onAbort: function (what) {
          end('guasto', TEXT.broken, what);
        },
        // Only when the runtime really ends: exit() also passes through quit
        // when main() merely returns to the browser while a box waits.
        onExit: function (code) {
          if (code === 0)
            end('finito', TEXT.over);
          else
            end('guasto', TEXT.broken, 'exit code ' + code);
        },
        // Errors Emscripten caught also end here.
        quit: function (code, reason) {
          if (!isUnwinding(reason))
            end('guasto', TEXT.broken, reason);
          throw reason;
        }
      }).catch(fail);
    }).catch(fail);
  }

  start();
})();
