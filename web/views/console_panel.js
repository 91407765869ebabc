// The console panel: the run drawn as a terminal shows it, the answer line
// (typed, pasted, or ended as a terminal's Ctrl+D ends it), the toolbar
// (examples, open, save, take back, start again), the status line and the
// diagnostics.

import { EncodeError } from '../program/cp932.js';
import { translator } from '../i18n/i18n.js';
import { finishedSentence } from '../i18n/run_sentences.js';
import { drawConsole, lastPrompt } from './console_view.js';
import { finder } from './dom.js';
import { save } from './save.js';

const LINE_FEED = 0x0a;

function concat(first, second) {
  const joined = new Uint8Array(first.length + second.length);
  joined.set(first);
  joined.set(second, first.length);
  return joined;
}

// The status line: a notice when there is one, else what the run waits
// for or how it ended, else that the program is loading.
function statusText({ notice, result, cp932 }, t) {
  if (notice) return t(notice.key, notice.params);
  if (result === null) return t('status.loading');
  const { stdout, stderr, status } = result;
  if (status === null) return t('status.waiting', { prompt: lastPrompt(cp932, stdout) });
  return finishedSentence(status, stderr.length > 0, t);
}

// The status line follows the session from the start, before the program
// is loaded.
export function connectStatus(root, session) {
  const draw = (state) => {
    finder(root)('status').textContent = statusText(state, translator(state.language));
  };
  session.connect((state, changed) => {
    if (['result', 'notice', 'language'].some((name) => changed.has(name))) draw(state);
  });
  draw(session.state);
}

// Shows the last run: the screen, the buttons it enables, the page's
// state marks, the diagnostics.
function drawRun(root, { result, cp932, input, endOfInput, language }) {
  const $ = finder(root);
  const { stdout, stderr, status, answers } = result;
  const screen = $('screen');
  drawConsole(screen, cp932, stdout, input, answers, translator(language));
  screen.scrollTop = screen.scrollHeight;
  screen.scrollLeft = 0;
  const waiting = status === null;
  for (const id of ['answer', 'send', 'end-input']) $(id).disabled = !waiting;
  $('save-output').disabled = stdout.length === 0;
  $('save-answers').disabled = input.length === 0;
  $('undo').disabled = input.length === 0;
  $('restart').disabled = input.length === 0 && !endOfInput;
  root.body.dataset.state = waiting ? 'waiting' : 'finished';
  root.body.dataset.status = waiting ? '' : String(status);
  if (waiting && (root.activeElement === root.body || root.activeElement === null)) $('answer').focus();
  $('diagnostics').hidden = stderr.length === 0;
  $('stderr').textContent = cp932.decodeToString(stderr);
}

function drawExamples($, { examples }) {
  $('example').replaceChildren(...examples.map((name) => new Option(name, name)));
  $('example').disabled = examples.length === 0;
  $('run-example').disabled = examples.length === 0;
}

// The input without its last answer line (and without the end of input,
// if it was given).
function takenBack({ input }) {
  let end = input.length;
  if (end > 0 && input[end - 1] === LINE_FEED) end -= 1;
  const start = input.lastIndexOf(LINE_FEED, end - 1) + 1;
  return { input: input.slice(0, start), endOfInput: false };
}

// The answer line: Enter sends it, pasted lines go one by one, Ctrl+D on
// an empty line ends the input.
function connectAnswerLine($, session, runs) {
  const { state } = session;
  // Sends `lines` as answers, each ended by a line feed; the field keeps
  // `rest`. Nothing is sent when a line holds a character that code page
  // 932 cannot hold.
  function sendLines(lines, rest) {
    let bytes;
    try {
      bytes = lines.map((line) => concat(state.cp932.encode(line), new Uint8Array([LINE_FEED])));
    } catch (error) {
      if (!(error instanceof EncodeError)) throw error;
      const reason = translator(state.language)('answer.notEncodable', {
        character: error.character,
        code: error.code,
      });
      session.update({ notice: { key: 'status.notSent', params: { reason } } });
      return;
    }
    $('answer').value = rest;
    runs.change(({ input }) => ({ input: bytes.reduce(concat, input) }));
  }

  // A text field drops the line ends of pasted text, which would join the
  // lines of a block of answers into one. Pasted lines are sent one by one
  // instead, as a terminal sends them; text after the last line end stays
  // in the field.
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

  const endInput = () => runs.change(() => ({ endOfInput: true }));
  $('answer-form').addEventListener('submit', (event) => {
    event.preventDefault();
    sendLines([$('answer').value], '');
  });
  $('answer').addEventListener('paste', pasteAnswers);
  $('answer').addEventListener('keydown', (event) => {
    if (event.key === 'd' && event.ctrlKey && !event.altKey && !event.metaKey && $('answer').value === '') {
      event.preventDefault();
      endInput();
    }
  });
  $('end-input').addEventListener('click', endInput);
}

// The toolbar: examples, open, save, take back, start again.
function connectToolbar($, { state }, runs, fetchBytes) {
  $('undo').addEventListener('click', () => runs.change(takenBack).then(() => $('answer').focus()));
  $('restart').addEventListener('click', () =>
    runs.startOver(new Uint8Array(0), false, 'orbcalc').then(() => $('answer').focus()),
  );
  $('run-example').addEventListener('click', () => {
    const name = $('example').value;
    runs.startOver(fetchBytes(`examples/${encodeURIComponent(name)}.txt`), true, name);
  });
  $('open').addEventListener('click', () => $('open-file').click());
  $('open-file').addEventListener('change', () => {
    const file = $('open-file').files[0];
    if (!file) return;
    $('open-file').value = '';
    runs.startOver(
      file.arrayBuffer().then((buffer) => new Uint8Array(buffer)),
      true,
      file.name.replace(/\.[^.]*$/, '') || 'orbcalc',
    );
  });
  $('save-answers').addEventListener('click', () => save(state.input, `${state.name}.txt`));
  $('save-output').addEventListener('click', () => save(state.result.stdout, `${state.name}.out`));
  $('open').disabled = false;
}

// `root` the document; `session` the page's state; `runs` its runs
// (program/runs.js); `fetchBytes(url)` reads a file of the page.
export function connectConsole(root, session, runs, fetchBytes) {
  const $ = finder(root);
  session.connect((state, changed) => {
    // The words of a run already shown follow the language; the run stays.
    if (state.result && (changed.has('result') || changed.has('language'))) drawRun(root, state);
    if (changed.has('examples')) drawExamples($, state);
  });
  connectAnswerLine($, session, runs);
  connectToolbar($, session, runs, fetchBytes);
}
