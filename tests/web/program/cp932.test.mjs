// The page's code page 932 against the iconv command, over every single
// byte, every pair of bytes and every code point of the Basic Multilingual
// Plane.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';

import { Cp932, EncodeError } from '../../../web/program/cp932.js';

const cp = new Cp932(readFileSync(new URL('../../../web/program/cp932.txt', import.meta.url), 'utf8'));
const iconv = (args, input) => spawnSync('iconv', args, { input, maxBuffer: 1 << 26 });

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
  for (let code = 0; code < 0x10000; code++) {
    if (code >= 0xd800 && code <= 0xdfff) continue;
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
