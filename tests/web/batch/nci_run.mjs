// The batch tool over about 5,000 real molecules, the NCI set that Debian's
// rdkit-data ships (ORBCALC_NCI_SMILES): every line gives either values or
// a refusal with its code, never a crash or an exception; computed and
// refused add up to the lines read, and their counts by code are pinned
// for both parameter tables. Run by ctest web.batch_nci, apart from the
// quick node tests.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';

import { batchTool } from '../program/built.mjs';

const smiles = process.env.ORBCALC_NCI_SMILES;
const lines = readFileSync(smiles, 'utf8')
  .split('\n')
  .filter((line) => line.trim() !== '').length;

// Runs the set with `args`; returns the standard output's lines and the
// refusals counted by code.
function run(args) {
  const { status, stdout, stderr } = spawnSync(process.execPath, [batchTool, '--jobs', '2', ...args, smiles], {
    encoding: 'utf8',
    maxBuffer: 1 << 30,
  });
  assert.equal(status, 1, stderr.slice(-2000));
  const refusals = stderr.trim().split('\n').slice(1);
  const byCode = {};
  for (const refusal of refusals) {
    const [, code] = /^[^,]*,([a-z-]+),/.exec(refusal);
    byCode[code] = (byCode[code] ?? 0) + 1;
  }
  return { rows: stdout.trim().split('\n'), refused: refusals.length, byCode };
}

test('Streitwieser, every quantity: a JSON line or a refusal for every molecule', () => {
  const { rows, refused, byCode } = run(['--format', 'jsonl']);
  for (const row of rows) assert.ok(JSON.parse(row).rows.length > 0, row.slice(0, 200));
  assert.equal(rows.length + refused, lines);
  assert.deepEqual(byCode, { group: 913, 'kind-missing': 479, 'bond-missing': 405, 'no-pi': 377, 'too-many': 20 });
  assert.equal(rows.length, 2805);
});

test('Van-Catledge, the π energy: a row or a refusal for every molecule', () => {
  const { rows, refused, byCode } = run(['--table', 'van-catledge', '--quantities', 'pi_energy_beta']);
  for (const row of rows.slice(1)) assert.match(row, /^[^,]+,pi_energy_beta,,,-?\d+\.\d{6}$/);
  assert.equal(rows.length - 1 + refused, lines);
  assert.deepEqual(byCode, { group: 913, 'kind-missing': 255, 'no-pi': 377, 'too-many': 20 });
});
