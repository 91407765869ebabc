// Packs the code page table cp932.txt (made by cp932_table.py, which says
// its format) into the binary table the page fetches before its first
// prompt: under a quarter of the bytes, and read without parsing text. The
// build runs it:
//
//     node web/tools/cp932_pack.mjs web/program/cp932.txt OUT.bin
//
// The binary table is 16-bit little-endian numbers in three sections, each
// a count and then its entries:
//   runs      first sequence, length L, then the L code points that
//             sequence and the L - 1 after it decode to
//   encodings code point (its upper and its lower 16 bits), then the
//             sequence it encodes to, NO_ENCODING or EMPTY_ENCODING (iconv
//             drops it); only where the runs do not say it alone (the '>'
//             lines)
//   skipped   first and last pair of a range of invalid pairs that are left
//             out whole (the '!' lines)
// A sequence is a single byte (0x00 to 0xFF) or a pair, lead byte << 8 |
// trail byte, whose lead byte is never 0. What decodes is in the Basic
// Multilingual Plane.

import { readFileSync, writeFileSync } from 'node:fs';
import { argv, exit } from 'node:process';
import { pathToFileURL } from 'node:url';

import { EMPTY_ENCODING, NO_ENCODING } from '../program/cp932.js';

const LARGEST = 0xffff;
const LARGEST_CODE_POINT = 0x10ffff;

class TableError extends Error {}

function number(field, line, largest = LARGEST) {
  if (!/^[0-9A-F]+$/.test(field)) throw new TableError(`not a hexadecimal number in "${line}"`);
  const value = parseInt(field, 16);
  if (value > largest) throw new TableError(`${field} is too large in "${line}"`);
  return value;
}

// A sequence as the text writes it: two hexadecimal digits a byte.
function sequence(field, line) {
  const value = number(field, line);
  if ((field.length !== 2 && field.length !== 4) || (field.length === 4 && value <= 0xff)) {
    throw new TableError(`not a byte or a pair in "${line}"`);
  }
  return value;
}

// What a sequence decodes to: never U+FFFF, which the page's table keeps
// for sequences that decode to nothing.
function decodedCodePoint(field, line) {
  const value = number(field, line);
  if (value === LARGEST) throw new TableError(`U+FFFF is not a character, in "${line}"`);
  return value;
}

// Where a code point encodes to: a sequence, none ('-') or no bytes ('').
function encoding(field, line) {
  if (field === '-') return NO_ENCODING;
  return field === '' ? EMPTY_ENCODING : sequence(field, line);
}

// The table's mappings as lists: [sequence, code point] in the text's
// order, [code point, encoding], [first pair, last pair].
function readTable(text) {
  const decodings = [];
  const encodings = [];
  const skipped = [];
  for (const line of text.split('\n')) {
    if (line === '' || line.startsWith('#')) continue;
    const fields = line.split(' ');
    if (fields[0] === '!' && fields.length > 2) {
      const lead = number(fields[1], line) << 8;
      for (const range of fields.slice(2)) {
        const [first, last] = range.split('-').map((trail) => lead | number(trail, line));
        if (!(first <= last)) throw new TableError(`not a range in "${line}"`);
        skipped.push([first, last]);
      }
    } else if (fields[0] === '>' && fields.length === 3) {
      const codePoint = number(fields[1], line, LARGEST_CODE_POINT);
      encodings.push([codePoint >> 16, codePoint & LARGEST, encoding(fields[2], line)]);
    } else if (fields.length === 2) {
      decodings.push([sequence(fields[0], line), decodedCodePoint(fields[1], line)]);
    } else {
      throw new TableError(`not a line of the table: "${line}"`);
    }
  }
  return { decodings, encodings, skipped };
}

// The decodings as runs of consecutive sequences.
function runsOf(decodings) {
  const sorted = [...decodings].sort((a, b) => a[0] - b[0]);
  const runs = [];
  for (const [at, to] of sorted) {
    const run = runs.at(-1);
    if (run && at === run.first + run.codePoints.length) run.codePoints.push(to);
    else if (run && at < run.first + run.codePoints.length) throw new TableError(`${at.toString(16)} twice`);
    else runs.push({ first: at, codePoints: [to] });
  }
  return runs;
}

// The binary table of the text `text`, as bytes.
export function packCp932(text) {
  const { decodings, encodings, skipped } = readTable(text);
  const numbers = [];
  const runs = runsOf(decodings);
  numbers.push(runs.length);
  for (const { first, codePoints } of runs) numbers.push(first, codePoints.length, ...codePoints);
  numbers.push(encodings.length, ...encodings.flat());
  numbers.push(skipped.length, ...skipped.flat());
  if (numbers.some((n) => n > LARGEST)) throw new TableError('a section has more than 65535 entries');
  const bytes = new Uint8Array(numbers.length * 2);
  const view = new DataView(bytes.buffer);
  numbers.forEach((n, i) => view.setUint16(2 * i, n, true));
  return bytes;
}

if (argv[1] && import.meta.url === pathToFileURL(argv[1]).href) {
  if (argv.length !== 4) {
    console.error('usage: node cp932_pack.mjs CP932.TXT OUT.BIN');
    exit(2);
  }
  try {
    writeFileSync(argv[3], packCp932(readFileSync(argv[2], 'utf8')));
  } catch (error) {
    if (!(error instanceof TableError)) throw error;
    console.error(`${argv[2]}: ${error.message}`);
    exit(1);
  }
}
