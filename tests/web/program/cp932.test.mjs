// The page's code page 932, from the binary table the build packs, against
// the iconv command, over every single byte, every pair of bytes and every
// code point of the Basic Multilingual Plane and of the tag characters,
// which iconv drops; and the packing's refusals.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { test } from 'node:test';

import { Cp932, EncodeError } from '../../../web/program/cp932.js';
import { packCp932 } from '../../../web/tools/cp932_pack.mjs';
import { codePage as cp, sourceTable } from './code_page.mjs';

const iconv = (args, input) => spawnSync('iconv', args, { input, maxBuffer: 1 << 26 });
const range = (first, last) => Array.from({ length: last - first + 1 }, (_, i) => first + i);
// Beyond the Basic Multilingual Plane: the tag characters and their
// neighbours, a few others and the last.
const codePoints = [
  ...range(0, 0xd7ff),
  ...range(0xe000, 0xffff),
  ...[0x10000, 0x1f600, 0x20b9f, 0xdffff, ...range(0xe0000, 0xe0080), 0xe0100, 0x10ffff],
];

test('decoding: what is shown, less its U+FFFD marks, is what iconv makes of every byte and pair', () => {
  const all = [];
  for (let lead = 0; lead < 256; lead++) {
    all.push(lead, 0x0a);
    for (let trail = 0; trail < 256; trail++) all.push(lead, trail, 0x0a);
  }
  const bytes = Uint8Array.from(all);
  const valid = [];
  let shown = '';
  let at = 0;
  for (const { codePoint, width } of cp.decode(bytes)) {
    if (codePoint !== 0xfffd) {
      valid.push(...bytes.subarray(at, at + width));
      shown += String.fromCodePoint(codePoint);
    }
    at += width;
  }
  // Every byte is shown once, in one character or as half of a pair.
  assert.equal(at, bytes.length);
  assert.ok(shown.length > 9000);
  // iconv -c leaves out what it cannot convert; the sequences the page
  // takes as valid, iconv converts without complaint, to the same text.
  assert.equal(iconv(['-c', '-f', 'CP932', '-t', 'UTF-8'], bytes).stdout.toString('utf8'), shown);
  const strict = iconv(['-f', 'CP932', '-t', 'UTF-8'], Uint8Array.from(valid));
  assert.equal(strict.status, 0, strict.stderr.toString());
  assert.equal(strict.stdout.toString('utf8'), shown);
});

test('encoding: each code point to the bytes iconv gives, and refused where iconv refuses', () => {
  let encodable = '';
  let refused = '';
  const encoded = [];
  for (const code of codePoints) {
    const character = String.fromCodePoint(code);
    try {
      encoded.push(...cp.encode(character));
      encodable += character;
    } catch (error) {
      assert.ok(error instanceof EncodeError && error.character === character);
      refused += character;
    }
  }
  const ours = iconv(['-f', 'UTF-8', '-t', 'CP932'], Buffer.from(encodable));
  assert.equal(ours.status, 0, ours.stderr.toString());
  assert.deepEqual(new Uint8Array(ours.stdout), Uint8Array.from(encoded));
  assert.equal(iconv(['-c', '-f', 'UTF-8', '-t', 'CP932'], Buffer.from(refused)).stdout.length, 0);
});

test('the binary table: a quarter of the text, and refused whole when the text or the table is broken', () => {
  const packed = packCp932(sourceTable);
  assert.ok(packed.length < sourceTable.length / 4, `${packed.length} bytes`);
  for (const [line, fault] of [
    ['8140 3000 extra', /not a line/],
    ['81 GG', /hexadecimal/],
    ['0081 3000', /not a byte or a pair/],
    ['8140 10000', /10000 is too large/],
    ['8140 FFFF', /U\+FFFF/],
    ['> 110000 8140', /110000 is too large/],
    ['! 81 B7-AD', /not a range/],
    ['41 0041', /41 twice/],
  ]) {
    assert.throws(() => packCp932(`${sourceTable}${line}\n`), fault, line);
  }
  assert.throws(() => new Cp932(packed.subarray(0, packed.length - 2)), /ends early/);
  assert.throws(() => new Cp932(packed.subarray(0, packed.length - 1)), /odd number/);
  assert.throws(() => new Cp932(Uint8Array.of(...packed, 0, 0)), /after its end/);
});

test('the decoded text as a string, a refusal naming its character, a table at an odd offset', () => {
  const bytes = Uint8Array.of(0x41, 0x83, 0x78, 0xff);
  assert.equal(cp.decodeToString(bytes), 'Aベ\ufffd');
  assert.throws(() => cp.encode('aé'), {
    character: 'é',
    code: '00E9',
    message: 'U+00E9 has no code page 932 encoding',
  });
  const packed = packCp932(sourceTable);
  const shifted = new Uint8Array(packed.length + 1);
  shifted.set(packed, 1);
  assert.equal(new Cp932(shifted.subarray(1)).decodeToString(bytes), 'Aベ\ufffd');
});
