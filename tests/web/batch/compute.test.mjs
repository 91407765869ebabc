// One molecule through the batch tool's pipeline, in this process: every
// example's values against the independent reference files of
// tests/web/properties, separate π systems computed as one, and the
// refusals with their codes and sentences.
import assert from 'node:assert/strict';
import { readdirSync, readFileSync } from 'node:fs';
import { describe, test } from 'node:test';
import OCL from 'openchemlib';

import { computeMolecule } from '../../../web/batch/compute.js';
import { QUANTITIES } from '../../../web/batch/options.js';
import { built, missing } from '../program/built.mjs';
import { codePage } from '../program/code_page.mjs';

const root = new URL('../../../', import.meta.url);
const read = (path) => readFileSync(new URL(path, root));
const skip = missing('program');
const context = skip
  ? null
  : {
      library: OCL,
      codePage,
      module: await built('program'),
      table: 'streitwieser',
      quantities: QUANTITIES,
    };
const compute = (input, more = {}) =>
  computeMolecule({ name: 'm', input, answers: input instanceof Uint8Array }, { ...context, ...more });
const valuesOf = ({ rows }, quantity) => rows.filter((row) => row.quantity === quantity).map(({ value }) => value);
const close = (actual, expected, what) =>
  assert.ok(Math.abs(actual - expected) < 5e-5, `${what}: ${actual} against ${expected}`);

describe('the values of a molecule', { skip }, () => {
  test("every example's rows, against the reference files", async () => {
    for (const file of readdirSync(new URL('tests/web/properties', root))) {
      const reference = read(`tests/web/properties/${file}`)
        .toString('ascii')
        .trim()
        .split('\n')
        .slice(1)
        .map((row) => row.split(','));
      const { rows } = await compute(new Uint8Array(read(`examples/${file.replace('.csv', '.txt')}`)));
      assert.deepEqual(
        rows.map(({ quantity, i, j }) => [quantity, String(i), String(j)]),
        reference.map((row) => row.slice(0, 3)),
        file,
      );
      rows.forEach(({ value }, r) => close(value, Number(reference[r][3]), `${file} ${reference[r].slice(0, 3)}`));
    }
  });

  test('only the quantities asked for; net charges only from a structure', async () => {
    const asked = await compute('c1ccncc1', { quantities: ['net_charge', 'homo_lumo_gap'] });
    assert.deepEqual([...new Set(asked.rows.map(({ quantity }) => quantity))], ['homo_lumo_gap', 'net_charge']);
    close(
      valuesOf(asked, 'net_charge').reduce((a, b) => a + b),
      0,
      'the charges of a neutral molecule',
    );
    const charged = asked.rows.filter(({ quantity }) => quantity === 'net_charge');
    assert.equal(charged.map(({ i, j }) => `${i}:${j}`).join(), '1:,2:,3:,4:,5:,6:');
    const given = await compute(new Uint8Array(read('examples/pyridine.txt')));
    assert.deepEqual(valuesOf(given, 'net_charge'), []);
    assert.match(new TextDecoder().decode(asked.output.subarray(0, 60)), /Hueckel Molecular Orbital Calculation/);
    assert.match(asked.answers, /^'m'\n6\n6\n6\n/);
  });

  // Separate π systems are one block-diagonal problem: each keeps the
  // values it has alone, but a frontier level shared by both is one
  // degenerate set, over which the frontier densities are spread; and
  // together they must fit the program.
  test('separate π systems: computed as one, or refused when together they are too many', async () => {
    const benzene = await compute('c1ccccc1');
    const twice = await compute('c1ccccc1Cc1ccccc1');
    close(valuesOf(twice, 'pi_energy_beta')[0], 2 * valuesOf(benzene, 'pi_energy_beta')[0], 'E_π');
    for (const [quantity, share] of [
      ['density', 1],
      ['bond_order', 1],
      ['localisation_plus', 1],
      ['frontier_e', 1 / 2],
    ]) {
      const alone = valuesOf(benzene, quantity);
      valuesOf(twice, quantity).forEach((value, k) => close(value, share * alone[k % alone.length], quantity));
    }
    const anthracene = 'c1ccc2cc3ccccc3cc2c1';
    const three = await compute(`${anthracene}C${anthracene}C${anthracene}`);
    assert.equal(three.refusal.code, 'too-many');
  });

  test('refusals: their codes and English sentences', async () => {
    const cases = [
      ['CC', 'no-pi', /no π system/],
      ['c1ccccc1[N+](=O)[O-]', 'group', /nitro group/],
      [read('tests/e2e/cases/diag_stops_unconverged/stdin'), 'not-converged', /./],
      [new TextEncoder().encode('bad\n-1\n'), 'exit-status', /^Finished: exit status 2 \(run error\)\.$/],
    ];
    for (const [input, code, sentence] of cases) {
      const { refusal } = await compute(input instanceof Buffer ? new Uint8Array(input) : input);
      assert.equal(refusal.code, code, String(input));
      assert.match(refusal.reason, sentence, code);
    }
  });
});
