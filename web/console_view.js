// Draws a run as a terminal shows it: the program's output decoded from
// code page 932, with each answer shown after the prompt that read it. The
// text is a grid of columns, as in the console: a character from one byte
// takes one column and a character from two bytes (the full-width
// Japanese) takes two, whatever widths the fonts at hand give them, so the
// columns of the report line up.

import { t } from './i18n.js';

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

// Replaces the contents of `screen` with the run: output bytes `stdout`,
// the answer lines taken from `input` where `answers` says they were read.
export function drawConsole(screen, cp932, stdout, input, answers) {
  const fragment = document.createDocumentFragment();
  let column = 0;
  let shown = 0;
  for (const { outputOffset, inputStart, inputEnd } of answers) {
    column = drawText(fragment, cp932, stdout.subarray(shown, outputOffset), column);
    shown = outputOffset;
    let end = inputEnd;
    if (end > inputStart && input[end - 1] === 0x0a) end -= 1;
    if (end > inputStart && input[end - 1] === 0x0d) end -= 1;
    const answer = document.createElement('kbd');
    answer.className = 'answer';
    const shownEnd = Math.min(end, inputStart + LONGEST_ANSWER_SHOWN);
    column = drawText(answer, cp932, input.subarray(inputStart, shownEnd), column);
    fragment.append(answer);
    if (shownEnd < end) fragment.append(t('console.moreBytes', { count: end - shownEnd }));
    fragment.append('\n');
    column = 0;
  }
  drawText(fragment, cp932, stdout.subarray(shown), column);
  screen.replaceChildren(fragment);
}

// The last line of `stdout` that is not blank: the prompt a waiting run
// has just written.
export function lastPrompt(cp932, stdout) {
  const lines = cp932.decodeToString(stdout).split('\r\n');
  for (let i = lines.length - 1; i >= 0; i--) {
    if (lines[i].trim() !== '') return lines[i].trim();
  }
  return '';
}
