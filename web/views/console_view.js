// Draws a run as a terminal shows it: the program's output decoded from
// code page 932, with each answer shown after the prompt that read it. The
// text is a grid of columns, as in the console: a character from one byte
// takes one column and a character from two bytes (the full-width
// Japanese) takes two, whatever widths the fonts at hand give them, so the
// columns of the report line up.

const TAB_STOP = 8;
// An answer line from a file can be any length; the screen shows its start.
const LONGEST_ANSWER_SHOWN = 4096;

// Appends to `parent` the characters of `bytes`, continuing at `column`;
// returns the column after them.
function drawText(parent, cp932, bytes, column) {
  let plain = '';
  const flush = () => {
    if (plain !== '') parent.append(plain);
    plain = '';
  };
  const cell = (text, width) => {
    flush();
    const span = document.createElement('span');
    span.className = width === 2 ? 'w2' : 'w1';
    span.textContent = text;
    parent.append(span);
  };
  const characters = cp932.decode(bytes);
  characters.forEach(({ codePoint, width }, i) => {
    if (codePoint === 0x0a) {
      plain += '\n';
      column = 0;
    } else if (codePoint === 0x0d && characters[i + 1]?.codePoint === 0x0a) {
      // CR LF ends a record; the LF alone does it on the screen.
    } else if (codePoint === 0x09) {
      const next = (Math.floor(column / TAB_STOP) + 1) * TAB_STOP;
      plain += ' '.repeat(next - column);
      column = next;
    } else if (codePoint < 0x20 || codePoint === 0x7f) {
      // Other control characters (from an echoed name) show as their symbols.
      cell(String.fromCodePoint(codePoint === 0x7f ? 0x2421 : 0x2400 + codePoint), 1);
      column += 1;
    } else if (codePoint < 0x7f) {
      plain += String.fromCodePoint(codePoint);
      column += 1;
    } else {
      cell(String.fromCodePoint(codePoint), width);
      column += width;
    }
  });
  flush();
  return column;
}

// The run cut into screen lines: each a list of pieces, output bytes
// { start, end } (without the line feed) or an answer { answer: true,
// start, end }, which ends its line.
function screenLines(stdout, input, answers) {
  const lines = [];
  let line = [];
  const output = (from, to) => {
    let start = from;
    for (let lf = stdout.indexOf(0x0a, start); lf >= 0 && lf < to; lf = stdout.indexOf(0x0a, start)) {
      // CR LF ends a record; the line's end does it on the screen.
      line.push({ start, end: lf > start && stdout[lf - 1] === 0x0d ? lf - 1 : lf });
      lines.push(line);
      line = [];
      start = lf + 1;
    }
    if (start < to) line.push({ start, end: to });
  };
  let shown = 0;
  for (const { outputOffset, inputStart, inputEnd } of answers) {
    output(shown, outputOffset);
    shown = outputOffset;
    let end = inputEnd;
    if (end > inputStart && input[end - 1] === 0x0a) end -= 1;
    if (end > inputStart && input[end - 1] === 0x0d) end -= 1;
    line.push({ answer: true, start: inputStart, end });
    lines.push(line);
    line = [];
  }
  output(shown, stdout.length);
  lines.push(line);
  return lines;
}

function drawLine(parent, { cp932, stdout, input, t }, pieces) {
  let column = 0;
  for (const piece of pieces) {
    if (!piece.answer) {
      column = drawText(parent, cp932, stdout.subarray(piece.start, piece.end), column);
      continue;
    }
    const answer = document.createElement('kbd');
    answer.className = 'answer';
    const shownEnd = Math.min(piece.end, piece.start + LONGEST_ANSWER_SHOWN);
    column = drawText(answer, cp932, input.subarray(piece.start, shownEnd), column);
    parent.append(answer);
    if (shownEnd < piece.end) parent.append(t('console.moreBytes', { count: piece.end - shownEnd }));
  }
}

// Runs of more lines than this are drawn a window at a time: the lines in
// view and a margin around them, between two blank blocks as tall as the
// lines left out, so that the scroll bar still measures the whole run.
const ALL_LINES_UP_TO = 3000;
const MARGIN_LINES = 200;
const views = new WeakMap();

function spacer(lines, lineHeight) {
  const block = document.createElement('span');
  block.className = 'spacer';
  block.style.height = `${lines * lineHeight}px`;
  return block;
}

function drawWindow(screen) {
  const view = views.get(screen);
  const { lines, lineHeight } = view;
  const first = Math.max(0, Math.floor(screen.scrollTop / lineHeight) - MARGIN_LINES);
  const last = Math.min(lines.length, Math.ceil((screen.scrollTop + screen.clientHeight) / lineHeight) + MARGIN_LINES);
  view.first = first;
  view.last = last;
  const fragment = document.createDocumentFragment();
  fragment.append(spacer(first, lineHeight));
  for (let k = first; k < last; k++) {
    drawLine(fragment, view, lines[k]);
    if (k + 1 < last) fragment.append('\n');
  }
  fragment.append(spacer(lines.length - last, lineHeight));
  screen.replaceChildren(fragment);
}

function followScroll(screen) {
  const view = views.get(screen);
  if (!view || view.pending) return;
  const top = Math.floor(screen.scrollTop / view.lineHeight);
  const bottom = Math.ceil((screen.scrollTop + screen.clientHeight) / view.lineHeight);
  if (top >= view.first && bottom <= view.last) return;
  view.pending = true;
  requestAnimationFrame(() => {
    view.pending = false;
    if (views.get(screen) === view) drawWindow(screen);
  });
}

// The height of one line of `screen`.
function measureLine(screen) {
  const probe = document.createElement('span');
  probe.className = 'spacer';
  probe.textContent = 'x';
  screen.replaceChildren(probe);
  const height = probe.getBoundingClientRect().height;
  return height > 0 ? height : 18;
}

// Replaces the contents of `screen` with the run: output bytes `stdout`,
// the answer lines taken from `input` where `answers` says they were read.
// A long run is drawn from its end, where the screen is scrolled to. `t`
// gives the page's words.
export function drawConsole(screen, cp932, stdout, input, answers, t) {
  const lines = screenLines(stdout, input, answers);
  if (lines.length <= ALL_LINES_UP_TO) {
    views.delete(screen);
    const fragment = document.createDocumentFragment();
    lines.forEach((pieces, k) => {
      drawLine(fragment, { cp932, stdout, input, t }, pieces);
      if (k + 1 < lines.length) fragment.append('\n');
    });
    screen.replaceChildren(fragment);
    return;
  }
  if (!screen.dataset.windowed) {
    screen.dataset.windowed = 'true';
    screen.addEventListener('scroll', () => followScroll(screen), { passive: true });
  }
  const lineHeight = measureLine(screen);
  views.set(screen, { lines, lineHeight, cp932, stdout, input, t, first: 0, last: 0, pending: false });
  screen.scrollTop = lines.length * lineHeight;
  drawWindow(screen);
}

// The last line of `stdout` that is not blank: the prompt a waiting run
// has just written.
export function lastPrompt(cp932, stdout) {
  // The end of a long output is enough: from a line start some way back.
  const from = stdout.length > 8192 ? stdout.indexOf(0x0a, stdout.length - 8192) + 1 : 0;
  const lines = cp932.decodeToString(stdout.subarray(from)).split('\r\n');
  for (let i = lines.length - 1; i >= 0; i--) {
    if (lines[i].trim() !== '') return lines[i].trim();
  }
  return '';
}
