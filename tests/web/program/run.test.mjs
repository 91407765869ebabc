// The page's runner under node: every end-to-end case and example gives
// the expected bytes and status, traps and memory exhaustion end as under
// node's own runner, and a run keeps the program's record and where each
// answer was read.
import assert from 'node:assert/strict';
import { existsSync, readdirSync, readFileSync } from 'node:fs';
import { describe, test } from 'node:test';

import { readRecord, solutionOf, tableIsPrinted } from '../../../web/program/record.js';
import { runProgram } from '../../../web/program/run.js';
import { createRuns } from '../../../web/program/runs.js';
import { built, missing } from './built.mjs';

const root = new URL('../../../', import.meta.url);
const folders = (path) =>
  readdirSync(new URL(path, root))
    .sort()
    .map((name) => new URL(`${path}/${name}/`, root));
const expected = (folder) => ({
  stdout: readFileSync(new URL('stdout', folder)),
  stderr: readFileSync(new URL('stderr', folder)),
  status: Number(readFileSync(new URL('status', folder), 'utf8')),
});
const same = async (module, input, folder, args) => {
  const { stdout, stderr, status } = await runProgram(module, input, true, args);
  assert.deepEqual({ stdout: Buffer.from(stdout), stderr: Buffer.from(stderr), status }, expected(folder));
};

describe('the end-to-end cases', { skip: missing('program') }, () => {
  // Those whose input is a plain file; the others set up their streams.
  for (const folder of folders('tests/e2e/cases').filter((f) => !existsSync(new URL('setup', f)))) {
    test(folder.pathname.split('/').at(-2), async () =>
      same(await built('program'), readFileSync(new URL('stdin', folder)), folder),
    );
  }
  for (const folder of folders('tests/e2e/examples')) {
    const name = folder.pathname.split('/').at(-2);
    test(`example ${name}`, async () =>
      same(await built('program'), readFileSync(new URL(`examples/${name}.txt`, root)), folder));
  }
});

// A module made by hand, exporting its memory and a _start that runs
// `body`, without orbcalc_trap.
const header = '0061736d01000000010401600000030201000503010001071302066d656d6f72790200065f73746172740000';
const unreachable = '0a05010300000b';

describe('faults', () => {
  for (const folder of folders('tests/wasi/cases')) {
    const check = folder.pathname.split('/').at(-2);
    test(check, { skip: missing('checks') }, async () =>
      same(await built('checks'), new Uint8Array(0), folder, ['wasi_checks', check]),
    );
  }
  // Without orbcalc_trap the page writes the fault line itself.
  for (const [name, body] of [
    ['Illegal instruction', unreachable],
    ['Stack overflow', '0a0601040010000b'],
  ]) {
    test(name, async () => {
      const module = await WebAssembly.compile(Buffer.from(header + body, 'hex'));
      const { status, stderr } = await runProgram(module, new Uint8Array(0), false);
      assert.deepEqual([status, new TextDecoder().decode(stderr)], [95, `Exception: ${name}\n`]);
    });
  }
});

describe('a run stopped for more input, and one finished', { skip: missing('program') }, () => {
  const butadiene = readFileSync(new URL('examples/butadiene.txt', root));
  test('each answer is noted where it was read; the table is not printed yet', async () => {
    const { status, stdout, answers, line } = await runProgram(
      await built('program'),
      butadiene.subarray(0, 12),
      false,
    );
    assert.equal(status, null);
    assert.deepEqual(
      answers.map((a) => [a.inputStart, a.inputEnd]),
      [
        [0, 10],
        [10, 12],
      ],
    );
    assert.ok(answers[0].outputOffset > 0 && answers[0].outputOffset < answers[1].outputOffset);
    assert.ok(answers[1].outputOffset < stdout.length);
    assert.equal(tableIsPrinted(line), false);
  });
  test('the record holds the molecule and its solution', async () => {
    const { status, record, line } = await runProgram(await built('program'), butadiene, true);
    assert.equal(status, 0);
    assert.equal(tableIsPrinted(line), true);
    const read = readRecord(record);
    assert.deepEqual([read.natom, read.nbond, read.nelec, read.nhet], [4, 3, 4, 0]);
    assert.deepEqual([...read.iat.slice(0, 3), ...read.jat.slice(0, 3)], [1, 2, 3, 2, 3, 4]);
    const solution = solutionOf(read);
    const golden = (1 + Math.sqrt(5)) / 2;
    solution.roots.forEach((x, j) => assert.ok(Math.abs(x - [golden, golden - 1, 1 - golden, -golden][j]) < 1e-5));
    assert.deepEqual([solution.n, solution.electrons, solution.converged, solution.finite], [4, 4, true, true]);
  });
});

test('converged and finite: what the solver left below the diagonal, and every root and coefficient', () => {
  // Three atoms; element (i, j) of a matrix is at j * 30 + i.
  const cases = [
    [() => {}, [true, true]],
    [(hmat) => (hmat[2] = 1e-3), [false, true]], // (3, 1) not yet zero
    [(hmat) => (hmat[2] = NaN), [true, true]], // a value the bound cannot judge
    [(hmat) => (hmat[31] = Infinity), [true, false]], // the second root
    [(_, vmat) => (vmat[61] = NaN), [true, false]], // the third orbital on atom 2
  ];
  for (const [spoil, expected] of cases) {
    const record = { natom: 3, nelec: 2, hmat: new Float32Array(900), vmat: new Float32Array(900).fill(0.5) };
    spoil(record.hmat, record.vmat);
    const { converged, finite } = solutionOf(record);
    assert.deepEqual([converged, finite], expected, String(spoil));
  }
});

test('runs one after another, each result into the session; a failure said and the queue going on', async () => {
  const log = [];
  const session = {
    state: { module: await WebAssembly.compile(Buffer.from(header + unreachable, 'hex')), notice: 'n' },
    update(changes) {
      log.push(Object.keys(changes).join());
      this.state = { ...this.state, ...changes };
    },
  };
  const failures = [];
  const runs = createRuns(session, (error) => failures.push(error));
  runs.change(() => ({ input: new Uint8Array(1) }));
  await runs.change((state) => ({ input: new Uint8Array(state.input.length + 1) }));
  assert.deepEqual(log, ['input', 'result,notice', 'input', 'result,notice']);
  assert.deepEqual([session.state.input.length, session.state.result.status, session.state.notice], [2, 95, null]);
  await runs.startOver(Promise.resolve(new Uint8Array(3)), true, 'name', [{ x: 0, y: 0 }]);
  const { input, endOfInput, name, drawing } = session.state;
  assert.deepEqual([input.length, endOfInput, name, drawing], [3, true, 'name', { input, points: [{ x: 0, y: 0 }] }]);
  session.state.module = null;
  await runs.rerun();
  assert.equal(failures.length, 1);
  session.update({ module: await WebAssembly.compile(Buffer.from(header + unreachable, 'hex')), result: null });
  await runs.rerun();
  assert.equal(session.state.result.status, 95);
});
