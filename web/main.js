// The page: loads the program and the code page table, runs the program
// on the session's answers after every change, and shows the run in the
// console view; the pictures' views follow the state on their own.

import { EncodeError, loadCp932 } from './cp932.js';
import { drawConsole, lastPrompt } from './console_view.js';
import { TABLE_IDS } from './hetero_tables.js';
import { language, onLanguageChange, setLanguage, t, translatePage } from './i18n.js';
import { loadLibrary } from './layout.js';
import { connectLevels } from './levels_view.js';
import { readFragment } from './link_codec.js';
import { keepForOffline } from './offline.js';
import { connectOrbital } from './orbital_view.js';
import { connectPictures } from './pictures.js';
import { connectProperties } from './properties_view.js';
import { runProgram } from './run.js';
import { save } from './save.js';
import { state as session, subscribe, update } from './state.js';
import { createStructureView } from './structure_view.js';

const $ = (id) => document.getElementById(id);

// The exit statuses the program has, each with a message of its own.
const KNOWN_STATUSES = new Set([0, 1, 2, 4, 95]);

// Runs one after another, so that a quick second Enter waits for the first.
let queue = Promise.resolve();
function serially(task) {
  queue = queue.then(task).catch(showFailure);
  return queue;
}

function showFailure(error) {
  console.error(error);
  setStatus(t('status.pageFailed', { reason: error.message }));
}

function setStatus(text) {
  $('status').textContent = text;
}

function concat(first, second) {
  const joined = new Uint8Array(first.length + second.length);
  joined.set(first);
  joined.set(second, first.length);
  return joined;
}

async function rerun() {
  update({ result: await runProgram(session.module, session.input, session.endOfInput) });
}

function show({ stdout, stderr, status, answers }) {
  const screen = $('screen');
  drawConsole(screen, session.cp932, stdout, session.input, answers);
  screen.scrollTop = screen.scrollHeight;
  screen.scrollLeft = 0;

  const waiting = status === null;
  const answer = $('answer');
  for (const id of ['answer', 'send', 'end-input']) $(id).disabled = !waiting;
  $('save-output').disabled = stdout.length === 0;
  $('save-answers').disabled = session.input.length === 0;
  $('undo').disabled = session.input.length === 0;
  $('restart').disabled = session.input.length === 0 && !session.endOfInput;
  document.body.dataset.state = waiting ? 'waiting' : 'finished';
  document.body.dataset.status = waiting ? '' : String(status);

  if (waiting) {
    setStatus(t('status.waiting', { prompt: lastPrompt(session.cp932, stdout) }));
    if (document.activeElement === document.body || document.activeElement === null) answer.focus();
  } else {
    const meaning = t(`status.meaning.${KNOWN_STATUSES.has(status) ? status : 'other'}`);
    setStatus(t(stderr.length > 0 ? 'status.finishedWithDiagnostic' : 'status.finished', { status, meaning }));
  }
  $('diagnostics').hidden = stderr.length === 0;
  $('stderr').textContent = session.cp932.decodeToString(stderr);
}

function startOver(input, endOfInput, name) {
  update({ input, endOfInput, name });
  return rerun();
}

// Sends `lines` as answers, each ended by a line feed; the field keeps
// `rest`. Nothing is sent when a line holds a character that code page 932
// cannot hold.
function sendLines(lines, rest) {
  const field = $('answer');
  let bytes;
  try {
    bytes = lines.map((line) => concat(session.cp932.encode(line), new Uint8Array([0x0a])));
  } catch (error) {
    if (!(error instanceof EncodeError)) throw error;
    const reason = t('answer.notEncodable', { character: error.character, code: error.code });
    setStatus(t('status.notSent', { reason }));
    return;
  }
  field.value = rest;
  serially(() => {
    update({ input: bytes.reduce(concat, session.input) });
    return rerun();
  });
}

function sendAnswer() {
  sendLines([$('answer').value], '');
}

// A text field drops the line ends of pasted text, which would join the
// lines of a block of answers into one. Pasted lines are sent one by one
// instead, as a terminal sends them; text after the last line end stays in
// the field.
function pasteAnswers(event) {
  const text = event.clipboardData?.getData('text/plain') ?? '';
  if (!/[\r\n]/.test(text)) return;
  event.preventDefault();
  const field = $('answer');
  const before = field.value.slice(0, field.selectionStart);
  const after = field.value.slice(field.selectionEnd);
  const lines = (before + text).split(/\r\n|\r|\n/);
  const rest = lines.pop() + after;
  sendLines(lines, rest);
}

function endInput() {
  serially(() => {
    update({ endOfInput: true });
    return rerun();
  });
}

// Takes back the last answer line (and the end of input, if it was given).
function takeBack() {
  serially(() => {
    const input = session.input;
    let end = input.length;
    if (end > 0 && input[end - 1] === 0x0a) end -= 1;
    const start = input.lastIndexOf(0x0a, end - 1) + 1;
    update({ input: input.slice(0, start), endOfInput: false });
    return rerun();
  }).then(() => $('answer').focus());
}

async function loadExamples() {
  const response = await fetch('examples/index.json');
  if (!response.ok) return;
  const names = await response.json();
  const select = $('example');
  for (const name of names) select.append(new Option(name, name));
  select.disabled = names.length === 0;
  $('run-example').disabled = names.length === 0;
}

async function fetchBytes(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status} ${response.statusText}`);
  return new Uint8Array(await response.arrayBuffer());
}

// The switch works from the start, even when the program cannot be loaded.
// The words of a run already shown follow the language; the run stays.
function connectLanguage() {
  const languages = $('language');
  languages.value = language();
  languages.addEventListener('change', () => setLanguage(languages.value));
  onLanguageChange(() => {
    languages.value = language();
    if (session.result) show(session.result);
  });
}

function connect() {
  $('answer-form').addEventListener('submit', (event) => {
    event.preventDefault();
    sendAnswer();
  });
  $('answer').addEventListener('paste', pasteAnswers);
  $('answer').addEventListener('keydown', (event) => {
    if (event.key === 'd' && event.ctrlKey && !event.altKey && !event.metaKey &&
        $('answer').value === '') {
      event.preventDefault();
      endInput();
    }
  });
  $('end-input').addEventListener('click', endInput);
  $('undo').addEventListener('click', takeBack);
  $('restart').addEventListener('click', () => serially(() => startOver(new Uint8Array(0), false, 'orbcalc'))
    .then(() => $('answer').focus()));
  $('run-example').addEventListener('click', () => serially(async () => {
    const name = $('example').value;
    await startOver(await fetchBytes(`examples/${encodeURIComponent(name)}.txt`), true, name);
  }));
  $('open').addEventListener('click', () => $('open-file').click());
  $('open-file').addEventListener('change', () => serially(async () => {
    const file = $('open-file').files[0];
    if (!file) return;
    $('open-file').value = '';
    const name = file.name.replace(/\.[^.]*$/, '') || 'orbcalc';
    await startOver(new Uint8Array(await file.arrayBuffer()), true, name);
  }));
  $('save-answers').addEventListener('click', () => save(session.input, `${session.name}.txt`));
  $('save-output').addEventListener('click', () => save(session.result.stdout, `${session.name}.out`));
}

async function start() {
  translatePage();
  // The status line is the page's to write at run time, never the
  // markup's: a change of language must not put a stale sentence back.
  setStatus(t('status.loading'));
  connectLanguage();
  try {
    const [wasm, cp932] = await Promise.all([fetchBytes('orbcalc.wasm'), loadCp932('cp932.txt')]);
    update({ module: await WebAssembly.compile(wasm), cp932 });
  } catch (error) {
    setStatus(t('status.loadFailed', { reason: error.message }));
    throw error;
  }
  connect();
  subscribe((changed) => {
    if (changed.has('result')) show(session.result);
  });
  connectPictures();
  connectLevels();
  connectOrbital();
  connectProperties();
  $('open').disabled = false;
  await loadExamples().catch(showFailure);
  await serially(rerun);
  $('answer').focus();
  connectStructure();
  keepForOffline();
}

// The structure panel hands its answers over as an opened answer file,
// with the drawing their atoms were numbered on; a link in the address (on
// opening the page, or when its fragment changes) is opened in the panel
// and run. The chemistry library is fetched only when the panel needs it.
function connectStructure() {
  const structure = createStructureView($('structure'), {
    cp932: session.cp932,
    run: (bytes, name, drawing) => serially(() => {
      update({ drawing: drawing && { input: bytes, points: drawing } });
      return startOver(bytes, true, name);
    }),
    save,
    loadLibrary: () => loadLibrary().then((library) => library.default),
  });
  const openLink = () => structure.open(readFragment(location.hash, TABLE_IDS)).catch(showFailure);
  window.addEventListener('hashchange', openLink);
  openLink();
}

start();
