// The address fragment that carries a run: what round-trips, and every
// broken or oversized fragment refused before anything runs.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import {
  answersFragment,
  decodeBase64url,
  encodeBase64url,
  MAX_FRAGMENT,
  readFragment,
  structureFragment,
} from '../../../web/chemistry/link_codec.js';

const TABLES = ['streitwieser', 'van-catledge'];

describe('base64url', () => {
  test('round trip of every length to 10 and every byte value', () => {
    const all = Uint8Array.from({ length: 256 }, (_, i) => i);
    for (let n = 0; n <= 10; n++) {
      const bytes = all.slice(250 - n * 20, 250 - n * 20 + n);
      assert.deepEqual(decodeBase64url(encodeBase64url(bytes)), bytes);
    }
    assert.deepEqual(decodeBase64url(encodeBase64url(all)), all);
  });
  test('known spellings (RFC 4648 test vectors, without padding)', () => {
    const cases = [
      ['', ''],
      ['f', 'Zg'],
      ['fo', 'Zm8'],
      ['foo', 'Zm9v'],
      ['foob', 'Zm9vYg'],
      ['fooba', 'Zm9vYmE'],
      ['foobar', 'Zm9vYmFy'],
      ['\xfb\xff', '-_8'],
    ];
    for (const [plain, coded] of cases) {
      const bytes = Uint8Array.from(plain, (c) => c.charCodeAt(0));
      assert.equal(encodeBase64url(bytes), coded);
      assert.deepEqual(decodeBase64url(coded), bytes);
    }
  });
  test('what is not base64url: padding, other alphabets, lengths no bytes give, stray low bits', () => {
    for (const text of ['Zm9v=', 'Zm9+', 'Zm9/', 'Z', 'Zm9vY', 'Zh', 'Zm 9v', 'Zm9w\u00e9']) {
      assert.equal(decodeBase64url(text), null, text);
    }
  });
});

describe('fragments', () => {
  const answers = new TextEncoder().encode("'pyridine'\n6\n6\n6\n1\n1 2\n2 3\n3 4\n4 5\n5 6\n6 1\n1 1 0.5\nx\n");

  test('answers round-trip', () => {
    const { fragment } = answersFragment(answers);
    assert.match(fragment, /^answers=[A-Za-z0-9_-]+$/);
    assert.deepEqual(readFragment(`#${fragment}`, TABLES), { kind: 'answers', bytes: answers });
  });

  test('structures round-trip, with the characters a SMILES and a name hold', () => {
    for (const link of [
      { smiles: 'c1ccc2ccccc2c1', table: 'streitwieser', name: '', order: [9, 0, 1, 2, 4, 5, 6, 7, 3, 8] },
      { smiles: '[nH]1cccc1', table: 'van-catledge', name: 'pyrrole #1 & 100% / x=y', order: null },
      { smiles: 'C[C@H](N)C(=O)O.[Na+]', table: 'streitwieser', name: 'ナフタレン', order: null },
    ]) {
      const { fragment } = structureFragment(link);
      assert.doesNotMatch(fragment, /[#\s]/);
      assert.deepEqual(readFragment(`#${fragment}`, TABLES), { kind: 'structure', ...link });
    }
    assert.deepEqual(readFragment('#smiles=C%3DC', TABLES), {
      kind: 'structure',
      smiles: 'C=C',
      table: null,
      name: '',
      order: null,
    });
  });

  test('nothing to do', () => {
    assert.deepEqual(readFragment('', TABLES), { kind: 'none' });
    assert.deepEqual(readFragment('#', TABLES), { kind: 'none' });
  });

  test('refused', () => {
    const long = `#answers=${'A'.repeat(MAX_FRAGMENT)}`;
    const cases = [
      [long, 'link-too-long'],
      ['#answers=', 'link-malformed'],
      ['#answers=Zm9v=', 'link-malformed'],
      ['#answers=Zm9v&table=streitwieser', 'link-malformed'],
      ['#smiles=C&smiles=O', 'link-malformed'],
      ['#smiles=%E0%A4%A', 'link-malformed'],
      ['#smiles=', 'link-malformed'],
      ['#smiles=C%0AC', 'link-malformed'],
      ['#smiles=C%20C', 'link-malformed'],
      ['#smiles=%E3%83%99', 'link-malformed'],
      ['#smiles=C&colour=red', 'link-malformed'],
      ['#smiles=C&table=huckel', 'link-unknown-table'],
      ['#smiles=C&order=0,1', 'link-malformed'],
      ['#smiles=C&order=1,,2', 'link-malformed'],
      ['#smiles=C&order=1%2C2x', 'link-malformed'],
      ['#smiles=C&order=1000', 'link-malformed'],
      ['#table=streitwieser', 'link-malformed'],
      ['#hello', 'link-malformed'],
      ['#=C', 'link-malformed'],
    ];
    for (const [hash, code] of cases) {
      assert.equal(readFragment(hash, TABLES).kind, 'refused', hash.slice(0, 40));
      assert.equal(readFragment(hash, TABLES).refusal.code, code, hash.slice(0, 40));
    }
  });

  test('the limits hold exactly, and a fragment reads the same without its #', () => {
    const name = (length) => `#smiles=C&name=${'x'.repeat(length - 'smiles=C&name='.length)}`;
    assert.equal(readFragment(name(MAX_FRAGMENT), TABLES).kind, 'structure');
    assert.deepEqual(readFragment(name(MAX_FRAGMENT + 1), TABLES).refusal, {
      code: 'link-too-long',
      limit: MAX_FRAGMENT,
    });
    assert.equal(readFragment(`#smiles=${'C'.repeat(2000)}`, TABLES).kind, 'structure');
    assert.equal(readFragment(`#smiles=${'C'.repeat(2001)}`, TABLES).refusal.code, 'link-malformed');
    assert.deepEqual(readFragment('smiles=C&order=1,100', TABLES).order, [0, 99]);
    assert.deepEqual(readFragment('#smiles=C&table=huckel', TABLES).refusal, {
      code: 'link-unknown-table',
      table: 'huckel',
    });
    // 6,138 bytes make exactly the longest fragment; a name left empty is left out.
    assert.equal(answersFragment(new Uint8Array(6138)).fragment.length, MAX_FRAGMENT);
    assert.equal(answersFragment(new Uint8Array(6139)).refusal.code, 'link-too-long');
    const smiles = 'C'.repeat(MAX_FRAGMENT - 'smiles=&table=streitwieser'.length);
    assert.equal(structureFragment({ smiles, table: 'streitwieser' }).fragment.length, MAX_FRAGMENT);
    assert.equal(
      structureFragment({ smiles: 'C', table: 'streitwieser', name: '' }).fragment,
      'smiles=C&table=streitwieser',
    );
  });

  test('links too long to make are refused when made', () => {
    assert.equal(answersFragment(new Uint8Array(MAX_FRAGMENT)).refusal.code, 'link-too-long');
    assert.equal(
      structureFragment({ smiles: 'C'.repeat(MAX_FRAGMENT), table: 'streitwieser' }).refusal.code,
      'link-too-long',
    );
  });
});
