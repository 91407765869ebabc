// The page's start-up: loads the program and the code page table, connects
// every view to the session's state and to the program's runs, and opens
// a link the address carries.

import { TABLE_IDS } from './chemistry/hetero_tables.js';
import { readFragment } from './chemistry/link_codec.js';
import { rememberLanguage, startingLanguage, translatePage } from './i18n/i18n.js';
import { Cp932 } from './program/cp932.js';
import { compileProgram, fetchBytes } from './program/load.js';
import { createRuns } from './program/runs.js';
import { connectConsole, connectStatus } from './views/console_panel.js';
import { connectLevels } from './views/levels_view.js';
import { loadLibrary } from './views/library.js';
import { connectOrbital } from './views/orbital_view.js';
import { connectPictures } from './views/pictures.js';
import { connectProperties } from './views/properties_view.js';
import { connectChange } from './views/change_view.js';
import { connectReactivity } from './views/reactivity_view.js';
import { save } from './views/save.js';
import { finder } from './views/dom.js';
import { createSession } from './views/session.js';
import { connectStructure } from './views/structure_view.js';

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

async function start() {
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
  connectPictures(session, loadLibrary);
  for (const connect of [connectLevels, connectOrbital, connectProperties]) connect(document, session);
  connectReactivity(document, session);
  connectChange(document, session, { run: (bytes, name) => runs.startOver(bytes, true, name), save });
  fetch('examples/index.json')
    .then((response) => (response.ok ? response.json() : []))
    .then((examples) => session.update({ examples }))
    .catch(failed);
  await runs.rerun();
  $('answer').focus();

  // The structure panel hands its answers over as an opened answer file;
  // a link in the address (on opening the page, or when its fragment
  // changes) is opened in the panel and run.
  const openLink = connectStructure($('structure'), session, {
    run: (bytes, name, points) => runs.startOver(bytes, true, name, points),
    save,
    loadLibrary,
  });
  const openAddress = () => openLink(readFragment(location.hash, TABLE_IDS)).catch(failed);
  window.addEventListener('hashchange', openAddress);
  openAddress();
  keepForOffline();
}

start();
