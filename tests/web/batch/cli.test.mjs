// The batch tool as a command (the built one, ORBCALC_BATCH): its usage
// errors and exit statuses, the console output it keeps of every example
// against the console program's, the rows against what the page saves,
// and the same bytes whatever the number of jobs.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { describe, test } from 'node:test';

import { analyse } from '../../../web/chemistry/analysis.js';
import { propertiesCsv } from '../../../web/chemistry/properties.js';
import { reactivityOf, reactivityRows } from '../../../web/chemistry/reactivity.js';
import { readRecord } from '../../../web/program/record.js';
import { runProgram } from '../../../web/program/run.js';
import { batchTool, built, missing } from '../program/built.mjs';

const root = new URL('../../../', import.meta.url);
const examples = new URL('examples/', root);
const scratch = mkdtempSync(join(tmpdir(), 'orbcalc-batch-'));
const batch = (args, input = '') => spawnSync(process.execPath, [batchTool, ...args], { input, encoding: 'utf8' });

describe('orbcalc-batch', { skip: missing('batch') || missing('program') }, () => {
  test('usage errors and unreadable files: status 2, nothing computed', () => {
    const cases = [
      [['--bogus', 'a.smi'], /'--bogus'/],
      [['--table', 'hueckel', 'a.smi'], /--table takes one of streitwieser, van-catledge, not "hueckel"/],
      [['--format', 'xml', 'a.smi'], /--format takes one of csv, jsonl/],
      [['--quantities', 'density,charge', 'a.smi'], /not "charge"/],
      [['--jobs', '0', 'a.smi'], /--jobs takes a whole number from 1, not "0"/],
      [['--jobs', '1.5', 'a.smi'], /not "1.5"/],
      [['--input-format', 'pdb', '-'], /--input-format takes one of answers, smi, mol, sdf/],
      [[], /no input file/],
      [['-'], /needs --input-format/],
      [['--input-format', 'smi', '-', '-'], /given twice/],
      [[join(examples.pathname, 'benzene.txt'), join(scratch, 'none.smi')], /cannot read .*none\.smi/],
    ];
    for (const [args, reason] of cases) {
      const { status, stdout, stderr } = batch(args);
      assert.equal(status, 2, args.join(' '));
      assert.equal(stdout, '', args.join(' '));
      assert.match(stderr, reason);
      assert.match(stderr, /Try 'orbcalc-batch --help'/);
    }
    assert.match(batch(['--help']).stdout, /^Usage: orbcalc-batch/);
    assert.match(batch(['--version', 'ignored']).stdout, /^orbcalc-batch \d+\.\d+/);
  });

  test("every example: the console program's output and the page's saved rows", async () => {
    const outputs = join(scratch, 'outputs');
    const names = readdirSync(examples).map((file) => file.replace('.txt', ''));
    const run = batch([
      '--jobs',
      '3',
      '--outputs',
      outputs,
      ...names.map((name) => join(examples.pathname, `${name}.txt`)),
    ]);
    assert.equal(run.status, 0, run.stderr);
    assert.equal(run.stderr, 'molecule,code,reason\n');
    const module = await built('program');
    const rows = run.stdout.split('\n').slice(1, -1);
    for (const name of names) {
      const expected = readFileSync(new URL(`tests/e2e/examples/${name}/stdout`, root));
      assert.ok(readFileSync(join(outputs, `${name}.out`)).equals(expected), name);
      const answers = readFileSync(new URL(`${name}.txt`, examples));
      const { record, line } = await runProgram(module, new Uint8Array(answers), true);
      const analysis = analyse(readRecord(record), line);
      const saved = propertiesCsv(analysis.properties, reactivityRows(await reactivityOf(module, analysis)));
      const ours = rows.filter((row) => row.startsWith(`${name},`)).map((row) => row.slice(name.length + 1));
      assert.equal(`quantity,atom_i,atom_j,value\n${ours.map((row) => `${row}\n`).join('')}`, saved, name);
    }
  });

  test('structures: refusals apart, the answers written, one order for any number of jobs', () => {
    const smiles = 'c1ccccc1 benzene\nCC ethane\nc1ccncc1\nC1=CC=CC=C1C=O benz,aldehyde\nnot(a\nC=CC=C\n';
    const refusals = join(scratch, 'refused.csv');
    const answers = join(scratch, 'answers');
    const args = ['--input-format', 'smi', '--quantities', 'density,pi_energy_beta', '-'];
    const one = batch(['--jobs', '1', '--refusals', refusals, '--answers', answers, ...args], smiles);
    assert.equal(one.status, 1);
    assert.equal(one.stderr, '');
    const molecules = one.stdout.split('\n').map((row) => row.split(',')[0]);
    assert.deepEqual([...new Set(molecules)], ['molecule', 'benzene', '3', '"benz', '6', '']);
    assert.match(
      readFileSync(refusals, 'utf8'),
      /^molecule,code,reason\nethane,no-pi,[^\n]+\n5,smiles-unreadable,[^\n]+\n$/,
    );
    assert.deepEqual(readdirSync(answers).sort(), ['3.txt', '6.txt', 'benz_aldehyde.txt', 'benzene.txt']);
    assert.match(readFileSync(join(answers, 'benzene.txt'), 'latin1'), /^'benzene'\n6\n6\n6\n0\n/);
    const three = batch(['--jobs', '3', ...args], smiles);
    assert.equal(three.stdout, one.stdout);
    const json = batch(['--format', 'jsonl', ...args], smiles)
      .stdout.trim()
      .split('\n')
      .map(JSON.parse);
    assert.deepEqual(
      json.flatMap(({ molecule, rows }) => rows.map((r) => [molecule, r.quantity, r.value.toFixed(6)].join('|'))),
      one.stdout
        .trim()
        .split('\n')
        .slice(1)
        .map((row) => row.replace('"benz,aldehyde"', 'benz,aldehyde').split(/,(?=[a-z_]+,\d*,\d*,-?\d)/))
        .map(([molecule, rest]) => [molecule, rest.split(',')[0], rest.split(',')[3]].join('|')),
    );
    writeFileSync(join(scratch, 'empty.smi'), '\n');
    assert.equal(batch([join(scratch, 'empty.smi')]).status, 0);
  });
});
