// The page's start-up: loads the program and the code page table, connects
// the console and the status line to the session's state and to the
// program's runs, and shows the first prompt. What the first prompt does
// not need comes later, each part the first time it is needed: the
// pictures with the first run that has a table, the structure panel when
// it opens or the address carries a link.

import { rememberLanguage, startingLanguage, translatePage } from './i18n/i18n.js';
import { Cp932 } from './program/cp932.js';
import { compileProgram, fetchBytes } from './program/load.js';
import { tableIsPrinted } from './program/record.js';
import { createRuns } from './program/runs.js';
import { connectConsole, connectStatus } from './views/console_panel.js';
import { finder } from './views/dom.js';
import { loadLibrary } from './views/library.js';
import { save } from './views/save.js';
import { createSession } from './views/session.js';

// The program and the code page table first, before anything else: the
// first prompt waits for both. index.html asks for them with a preload as
// it is read; these requests take over those.
const loading = Promise.all([
  compileProgram(fetch('orbcalc.wasm')),
  fetchBytes('program/cp932.bin').then((bytes) => new Cp932(bytes)),
]);

// Keeps the page for use without network: registers the service worker
// (sw.js, made by the build), which holds the whole page folder in the
// browser after the first visit. Browsers without service workers, and
// pages that are not a secure context (plain http from another machine's
// address), go on without it: the page works as before, only not offline.
function keepForOffline() {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
  navigator.serviceWorker.register('sw.js').catch((error) => console.warn(error));
}

const $ = finder(document);
const session = createSession(startingLanguage());
// A failure of the page itself (not of the program's run) in the status line.
function failed(error) {
  console.error(error);
  session.update({ notice: { key: 'status.pageFailed', params: { reason: error.message } } });
}

// The language switch works from the start, even when the program cannot
// be loaded; the markup's words follow the language.
function connectLanguage() {
  const languages = $('language');
  languages.value = session.state.language;
  languages.addEventListener('change', () => {
    rememberLanguage(languages.value);
    session.update({ language: languages.value });
  });
  session.connect((state, changed) => {
    if (!changed.has('language')) return;
    languages.value = state.language;
    translatePage(document, state.language);
  });
  translatePage(document, session.state.language);
}

// A part of the page loaded and connected the first time `connect()` is
// called (and again at the next call, should loading it fail: the network
// may be back); `connected` tells whether it is there already.
function lazily(connect) {
  let part = null;
  const load = () => {
    part ??= connect().then(
      (connected) => {
        load.connected = true;
        return connected;
      },
      (error) => {
        part = null;
        throw error;
      },
    );
    return part;
  };
  load.connected = false;
  return load;
}

// The pictures of a finished run, with their views and their chemistry.
function connectPicturesLater(runs) {
  const pictures = lazily(() =>
    import('./views/pictures_panel.js').then(({ connectPicturesPanel }) =>
      connectPicturesPanel(document, session, {
        run: (bytes, name) => runs.startOver(bytes, true, name),
        save,
        loadLibrary,
      }),
    ),
  );
  session.connect((state, changed) => {
    const { record, line } = state.result ?? {};
    if (changed.has('result') && record && tableIsPrinted(line)) pictures().catch(failed);
  });
}

// The structure panel, which hands its answers over as an opened answer
// file; a link in the address (on opening the page, or when its fragment
// changes) is opened in it and run. An answer form sent before the panel
// is there is sent again once it is.
function connectStructureLater(runs) {
  const root = $('structure');
  const panel = lazily(() =>
    import('./views/structure_view.js').then(({ connectStructure }) =>
      connectStructure(root, session, {
        run: (bytes, name, points) => runs.startOver(bytes, true, name, points),
        save,
        loadLibrary,
      }),
    ),
  );
  root.addEventListener('toggle', () => root.open && panel().catch(failed));
  const form = $('structure-form');
  form.addEventListener('submit', (event) => {
    event.preventDefault();
    if (!panel.connected) panel().then(() => form.requestSubmit(), failed);
  });
  const openAddress = () => {
    if (location.hash.length > 1) {
      panel()
        .then((openLink) => openLink(location.hash))
        .catch(failed);
    }
  };
  window.addEventListener('hashchange', openAddress);
  openAddress();
}

// The start-up runs as soon as it has arrived (index.html loads it async),
// which may be before the rest of the markup: it waits for the markup
// before it touches it.
const parsed = new Promise((resolve) => {
  if (document.readyState !== 'loading') resolve();
  else document.addEventListener('DOMContentLoaded', resolve, { once: true });
});

async function start() {
  await parsed;
  connectLanguage();
  connectStatus(document, session);
  try {
    const [module, cp932] = await loading;
    session.update({ module, cp932 });
  } catch (error) {
    session.update({ notice: { key: 'status.loadFailed', params: { reason: error.message } } });
    throw error;
  }
  const runs = createRuns(session, failed);
  connectConsole(document, session, runs, fetchBytes);
  connectPicturesLater(runs);
  fetch('examples/index.json')
    .then((response) => (response.ok ? response.json() : []))
    .then((examples) => session.update({ examples }))
    .catch(failed);
  await runs.rerun();
  $('answer').focus();
  connectStructureLater(runs);
  keepForOffline();
}

start();
