// What the batch tool reads from its files and how it writes a molecule:
// the molecules of SMILES and SD files with their names, safe file names,
// CSV fields and JSON lines, and the progress line.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { fileNames, formatOf, moleculesIn } from '../../../web/batch/inputs.js';
import { createProgress } from '../../../web/batch/progress.js';
import { csvField, csvLines, jsonLine } from '../../../web/batch/rows.js';

const bytes = (text) => new TextEncoder().encode(text);
const molecules = (text, format, path = 'dir/set.x') =>
  moleculesIn(bytes(text), format, path).map(({ name, input }) => [name, input]);

test('the molecules of a file, named or numbered', () => {
  const cases = [
    [
      'c1ccccc1 benzene\r\n\n  C=C\tethylene, the gas \nC=CC=C\n',
      'smi',
      [
        ['benzene', 'c1ccccc1'],
        ['ethylene, the gas', 'C=C'],
        ['4', 'C=CC=C'],
      ],
    ],
    [
      'first\nA\nB\n$$$$\n\nC\n$$$$\n  \n',
      'sdf',
      [
        ['first', 'first\nA\nB\n'],
        ['2', '\nC\n'],
      ],
    ],
    [
      'last\nrecord\n$$$$\nunended\nrecord',
      'sdf',
      [
        ['last', 'last\nrecord\n'],
        ['unended', 'unended\nrecord\n'],
      ],
    ],
    ['\nno title\n', 'mol', [['set', '\nno title\n']]],
  ];
  for (const [text, format, expected] of cases) assert.deepEqual(molecules(text, format), expected, text);
  assert.deepEqual(
    moleculesIn(bytes('C=C\nC=CC=C butadiene\n'), 'smi', 'a/set.smi', true).map(({ name }) => name),
    ['set:1', 'butadiene'],
  );
  assert.deepEqual(moleculesIn(bytes('x\n'), 'answers', 'a/b/pyridine.txt'), [
    { name: 'pyridine', input: bytes('x\n'), answers: true },
  ]);
  assert.deepEqual(
    ['a.smi', 'b.SDF', 'c.sd', 'd.mol', 'e.txt', 'f'].map((path) => formatOf(path, null)),
    ['smi', 'sdf', 'sdf', 'mol', 'answers', 'answers'],
  );
  assert.equal(formatOf('a.smi', 'mol'), 'mol');
});

test('file names: safe, and none taken twice', () => {
  assert.deepEqual(fileNames(['a b/c', '.hidden', 'ok-1.x_y', 'a b/c', 'a_b_c', 'a_b_c-2', 'α']), [
    'a_b_c',
    '_hidden',
    'ok-1.x_y',
    'a_b_c-2',
    'a_b_c-3',
    'a_b_c-2-2',
    '_',
  ]);
});

test('rows as CSV and as a JSON line', () => {
  assert.deepEqual(['plain', 'a,b', 'say "x"', 'two\nlines'].map(csvField), [
    'plain',
    '"a,b"',
    '"say ""x"""',
    '"two\nlines"',
  ]);
  const rows = [
    { quantity: 'pi_energy_beta', i: '', j: '', value: 4.4721359 },
    { quantity: 'bond_order', i: 1, j: 2, value: -0.0000001 },
  ];
  assert.equal(csvLines('a,b', rows), '"a,b",pi_energy_beta,,,4.472136\n"a,b",bond_order,1,2,0.000000\n');
  const line = jsonLine('say "x"', rows);
  assert.equal(line.split('\n').length, 2);
  assert.deepEqual(JSON.parse(line), {
    molecule: 'say "x"',
    rows: [
      { quantity: 'pi_energy_beta', atom_i: null, atom_j: null, value: 4.472136 },
      { quantity: 'bond_order', atom_i: 1, atom_j: 2, value: 0 },
    ],
  });
});

test('the progress line: on a terminal only, rewritten in place and cleared', () => {
  const written = [];
  const terminal = { isTTY: true, write: (text) => written.push(text) };
  const progress = createProgress(terminal, 2);
  progress.update(2, 1);
  const [start, line] = [written.join('').slice(0, 4), written.join('').slice(4)];
  assert.equal(start, '\r\x1b[K');
  assert.match(line, /^orbcalc-batch: 2\/2 molecules, [\d.]+\/s, 0 s left, 1 refused$/);
  progress.clear();
  assert.equal(written.at(-1), '\r\x1b[K');
  const file = { isTTY: false, write: () => assert.fail('progress written to a file') };
  const quiet = createProgress(file, 2);
  quiet.update(2, 0);
  quiet.clear();
});
