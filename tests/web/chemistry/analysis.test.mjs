// What the pictures and the table show of a run, from the program's own
// record: textbook values, the occupation of the
// levels, the problems that keep a picture from being drawn, and the
// molecule rebuilt from the record.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { describe, test } from 'node:test';
import OCL from 'openchemlib';

import { analyse } from '../../../web/chemistry/analysis.js';
import { layOut } from '../../../web/chemistry/layout.js';
import { hasKekuleStructure } from '../../../web/chemistry/molecule.js';
import { degenerateSets, occupy } from '../../../web/chemistry/occupation.js';
import { piProperties, propertiesCsv } from '../../../web/chemistry/properties.js';
import { readRecord } from '../../../web/program/record.js';
import { runProgram } from '../../../web/program/run.js';
import { built, missing } from '../program/built.mjs';

const root = new URL('../../../', import.meta.url);
const read = (path) => readFileSync(new URL(path, root), 'latin1');
async function analysed(answers) {
  const { record, line } = await runProgram(await built('program'), Buffer.from(answers, 'latin1'), true);
  return analyse(readRecord(record), line);
}
// Answers for a chain or ring of n carbons with `electrons` electrons.
const bonds = (n, ring) =>
  Array.from({ length: ring ? n : n - 1 }, (_, i) => `${i + 1} ${((i + 1) % n) + 1}\n`).join('');
const chain = (n, electrons, ring = false) => `x\n${n}\n${ring ? n : n - 1}\n${electrons}\n0\n${bonds(n, ring)}x\n`;
const close = (actual, expected, what) =>
  assert.ok(Math.abs(actual - expected) < 5e-5, `${what}: ${actual} against ${expected}`);

describe("from the program's record", { skip: missing('program') }, () => {
  test('the allyl cation and anion', async () => {
    for (const [electrons, energy, density] of [
      [2, 2.828427, 0.5],
      [4, 2.828427, 1.5],
    ]) {
      const { properties } = await analysed(chain(3, electrons));
      close(properties.piEnergy, energy, 'E_π');
      close(properties.density[0], density, 'q1');
      close(properties.bondOrders[0].order, Math.SQRT1_2, 'p12');
      assert.equal(properties.delocalisation, null);
    }
  });

  test('a delocalisation energy only for a neutral hydrocarbon with standard bonds', async () => {
    const cases = [
      [chain(4, 4), 0.472136],
      [chain(4, 2), null],
      ['x\n4\n3\n4\n1\n1 2\n2 3\n3 4\n1 2 1.2\nx\n', null],
    ];
    for (const [answers, expected] of cases) {
      const { delocalisation } = (await analysed(answers)).properties;
      if (expected === null) assert.equal(delocalisation, null, answers);
      else close(delocalisation, expected, answers);
    }
  });

  test('problems that keep the levels from being drawn', async () => {
    const cases = [
      [chain(3, 6), null],
      [chain(3, 7), { problem: 'electron-count', electrons: 7, most: 6 }],
      [chain(3, -1), { problem: 'electron-count', electrons: -1, most: 6 }],
      ['none\n0\n0\n0\n0\nx\n', { problem: 'no-atoms' }],
      ['less than none\n-3\n0\n0\n0\nx\n', { problem: 'no-atoms' }],
      [read('tests/e2e/cases/hetero_nan/stdin'), { problem: 'not-finite' }],
      [read('tests/e2e/cases/diag_stops_unconverged/stdin'), { problem: 'not-converged' }],
    ];
    for (const [answers, problem] of cases) assert.deepEqual((await analysed(answers)).problem, problem, answers);
  });

  test('levels: degenerate sets, Hund filling, HOMO, LUMO and SOMO', async () => {
    const sets = degenerateSets((await analysed(read('examples/annulene30.txt'))).solution.roots);
    assert.deepEqual([sets.length, sets.filter((s) => s.length === 2).length], [16, 14]);
    const benzene = (await analysed(chain(6, 6, true))).occupied;
    assert.deepEqual(
      benzene.sets.map((s) => s.electrons),
      [[2], [2, 2], [0, 0], [0]],
    );
    assert.deepEqual([benzene.homo, benzene.lumo, benzene.somo, benzene.partlyFilled], [1, 2, false, false]);
    close(benzene.gap, 2, 'benzene gap');
    assert.deepEqual((await analysed(chain(6, 5, true))).occupied.sets[1].electrons, [2, 1]);
    const radical = (await analysed(chain(3, 3))).occupied;
    assert.deepEqual([radical.homo, radical.somo, radical.partlyFilled, radical.gap], [1, true, true, null]);
    const none = (await analysed(chain(2, 0))).occupied;
    assert.deepEqual([none.homo, none.lumo, none.gap], [null, 0, null]);
  });

  test('a partly filled degenerate set is shared evenly, whatever its basis', async () => {
    const { solution, molecule } = await analysed(read('examples/cyclobutadiene.txt'));
    const [a, b] = degenerateSets(solution.roots).find((set) => set.length === 2);
    for (const angle of [0, 0.3, 1.1]) {
      const [c, s] = [Math.cos(angle), Math.sin(angle)];
      const vectors = [...solution.vectors];
      vectors[a] = solution.vectors[a].map((x, r) => c * x + s * solution.vectors[b][r]);
      vectors[b] = solution.vectors[b].map((x, r) => -s * solution.vectors[a][r] + c * x);
      const turned = { ...solution, vectors };
      const occupied = occupy(turned);
      const p = piProperties(turned, occupied.shared, molecule, occupied.gap, true);
      p.density.forEach((q, r) => close(q, 1, `q${r + 1} at ${angle}`));
      p.bondOrders.forEach(({ order }) => close(order, 0.5, `p at ${angle}`));
      assert.deepEqual(
        [occupied.partlyFilled, occupied.somo, occupied.gap, occupied.sets[1].electrons],
        [true, true, null, [1, 1]],
      );
    }
  });

  test('the molecule rebuilt: bonds with k, heteroatoms with h, self-pairs on the diagonal', async () => {
    const pyrrole = (await analysed(read('examples/pyrrole.txt'))).molecule;
    assert.deepEqual(
      pyrrole.bonds.map(({ i, j, k }) => [i, j, Number(k.toFixed(4))]),
      [
        [0, 1, 0.8],
        [0, 4, 0.8],
        [1, 2, 1],
        [2, 3, 1],
        [3, 4, 1],
      ],
    );
    assert.deepEqual(
      pyrrole.atoms.map(({ h, hetero }) => [Number(h.toFixed(4)), hetero]),
      [
        [1.5, true],
        [0, false],
        [0, false],
        [0, false],
        [0, false],
      ],
    );
    // Laid out for the drawing: each bond about as long as the others.
    const points = layOut(OCL, 5, pyrrole.bonds);
    const lengths = pyrrole.bonds.map(({ i, j }) => Math.hypot(points[i].x - points[j].x, points[i].y - points[j].y));
    assert.ok(points.length === 5 && lengths.every((d) => Math.abs(d / lengths[0] - 1) < 0.01), String(lengths));
    const selfPair = (await analysed('x\n3\n2\n2\n1\n1 2\n3 3\n3 3 1\nx\n')).molecule;
    assert.deepEqual(
      selfPair.bonds.map(({ i, j }) => [i, j]),
      [[0, 1]],
    );
    assert.equal(selfPair.atoms[2].hetero, true);
  });
});

test('Kekulé structures, and a dense graph with one atom left out answered at once', () => {
  assert.equal(hasKekuleStructure(4, [[1], [0], [3], [2]]), true);
  assert.equal(hasKekuleStructure(4, [[1, 2, 3], [0], [0], [0]]), false);
  // Two triangles: every atom bonded, and still no structure.
  const triangles = Array.from({ length: 6 }, (_, i) => [0, 1, 2].map((k) => i - (i % 3) + k).filter((j) => j !== i));
  assert.equal(hasKekuleStructure(6, triangles), false);
  const dense = Array.from({ length: 30 }, (_, i) => (i === 29 ? [] : [...Array(29).keys()].filter((j) => j !== i)));
  assert.equal(hasKekuleStructure(30, dense), false);
  assert.equal(
    hasKekuleStructure(
      30,
      Array.from({ length: 30 }, (_, i) => [(i + 29) % 30, (i + 1) % 30]),
    ),
    true,
  );
});

test('the properties as CSV: no negative zero, no row for what does not apply', () => {
  const csv = propertiesCsv({
    piEnergy: 2,
    delocalisation: null,
    gap: 2,
    density: [1, -1e-9],
    bondOrders: [{ i: 0, j: 1, order: 1 }],
    freeValence: [0.732, null],
  });
  assert.equal(
    csv,
    'quantity,atom_i,atom_j,value\npi_energy_beta,,,2.000000\nhomo_lumo_gap,,,2.000000\n' +
      'density,1,,1.000000\ndensity,2,,0.000000\nbond_order,1,2,1.000000\nfree_valence,1,,0.732000\n',
  );
});
