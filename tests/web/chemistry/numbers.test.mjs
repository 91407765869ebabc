// The page's numbers against textbook values: occupation, rebuilt molecule,
// π properties, the record reader. Solutions come from a plain Jacobi
// solver here, in double precision.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { hasKekuleStructure, rebuildMolecule } from '../../../web/chemistry/molecule.js';
import { degenerateSets, occupy, problemOf } from '../../../web/chemistry/occupation.js';
import { piProperties, propertiesCsv } from '../../../web/chemistry/properties.js';
import { RECORD_BYTES, readRecord, solutionOf, tableIsPrinted } from '../../../web/program/record.js';

function solve(n, bonds, electrons, diagonal = {}) {
  const a = Array.from({ length: n }, (_, i) => Array.from({ length: n }, (_, j) => (i === j ? diagonal[i + 1] ?? 0 : 0)));
  for (const [i, j, k = 1] of bonds) a[i - 1][j - 1] = a[j - 1][i - 1] = k;
  const v = a.map((row, i) => row.map((_, j) => (i === j ? 1 : 0)));
  for (let sweep = 0; sweep < 50; sweep++) {
    for (let p = 0; p < n; p++) {
      for (let q = p + 1; q < n; q++) {
        if (Math.abs(a[p][q]) < 1e-15) continue;
        const theta = 0.5 * Math.atan2(2 * a[p][q], a[q][q] - a[p][p]);
        const c = Math.cos(theta), s = Math.sin(theta);
        for (const m of [a, v]) for (const row of m) [row[p], row[q]] = [c * row[p] - s * row[q], s * row[p] + c * row[q]];
        for (let k = 0; k < n; k++) [a[p][k], a[q][k]] = [c * a[p][k] - s * a[q][k], s * a[p][k] + c * a[q][k]];
      }
    }
  }
  const order = [...Array(n).keys()].sort((x, y) => a[y][y] - a[x][x]);
  return { n, electrons, roots: order.map((j) => a[j][j]), vectors: order.map((j) => v.map((row) => row[j])),
           converged: true, finite: true };
}

function properties(solution) {
  const occupied = occupy(solution);
  const molecule = rebuildMolecule(solution);
  const kekule = hasKekuleStructure(solution.n, molecule.neighbours);
  return { occupied, molecule, p: piProperties(solution, occupied.shared, molecule, occupied.gap, kekule) };
}

const ring = (n) => Array.from({ length: n }, (_, i) => [i + 1, ((i + 1) % n) + 1]);
const chain = (n) => Array.from({ length: n - 1 }, (_, i) => [i + 1, i + 2]);
const naphthalene = [...chain(10), [10, 1], [1, 6]].filter(([i, j]) => !(i === 5 && j === 6)).concat([[5, 10]]);
const close = (actual, expected, what) => assert.ok(Math.abs(actual - expected) < 6e-4, `${what}: ${actual} against ${expected}`);

test('textbook π energies, bond orders, free valences and delocalisation energies', () => {
  const cases = [
    { name: 'butadiene', n: 4, bonds: chain(4), e: 4, energy: 4.472, bond: [[0, 1, 0.894], [1, 2, 0.447]], free: [[0, 0.838], [1, 0.390]] },
    { name: 'benzene', n: 6, bonds: ring(6), e: 6, energy: 8, deloc: 2, bond: [[0, 1, 0.667]], free: [[0, 0.399]] },
    { name: 'naphthalene', n: 10, bonds: naphthalene, e: 10, energy: 13.683, deloc: 3.683 },
    { name: 'azulene', n: 10, bonds: [...ring(7), [7, 8], [8, 9], [9, 10], [10, 1]], e: 10, energy: 13.364 },
    { name: 'styrene', n: 8, bonds: [...ring(6), [1, 7], [7, 8]], e: 8, energy: 10.424 },
    { name: 'allyl cation', n: 3, bonds: chain(3), e: 2, energy: 2.828, density: [[0, 0.5]], bond: [[0, 1, 0.707]] },
    { name: 'allyl radical', n: 3, bonds: chain(3), e: 3, density: [[0, 1.0]], bond: [[0, 1, 0.707]] },
    { name: 'allyl anion', n: 3, bonds: chain(3), e: 4, density: [[0, 1.5]], bond: [[0, 1, 0.707]] },
  ];
  for (const c of cases) {
    const { p } = properties(solve(c.n, c.bonds, c.e));
    if (c.energy !== undefined) close(p.piEnergy, c.energy, `${c.name} E_π`);
    if (c.deloc !== undefined) close(p.delocalisation, c.deloc, `${c.name} delocalisation`);
    for (const [r, q] of c.density ?? []) close(p.density[r], q, `${c.name} q${r + 1}`);
    for (const [i, j, order] of c.bond ?? []) close(p.bondOrders.find((b) => b.i === i && b.j === j).order, order, `${c.name} p${i + 1}${j + 1}`);
    for (const [r, f] of c.free ?? []) close(p.freeValence[r], f, `${c.name} F${r + 1}`);
  }
  // Odd or hetero systems have no Kekulé reference.
  assert.equal(properties(solve(3, chain(3), 3)).p.delocalisation, null);
  assert.equal(properties(solve(6, ring(6), 6, { 1: 0.5 })).p.delocalisation, null);
});

test('a partly filled degenerate set is shared evenly, whatever its basis', () => {
  const base = solve(4, ring(4), 4);
  const [a, b] = degenerateSets(base.roots).find((set) => set.length === 2);
  for (const angle of [0, 0.3, 1.1]) {
    const turned = structuredClone(base);
    const c = Math.cos(angle), s = Math.sin(angle);
    turned.vectors[a] = base.vectors[a].map((x, r) => c * x + s * base.vectors[b][r]);
    turned.vectors[b] = base.vectors[b].map((x, r) => -s * base.vectors[a][r] + c * x);
    const { p, occupied } = properties(turned);
    p.density.forEach((q, r) => close(q, 1, `q${r + 1} at ${angle}`));
    p.bondOrders.forEach(({ order }) => close(order, 0.5, `p at ${angle}`));
    assert.deepEqual([occupied.partlyFilled, occupied.somo, occupied.gap], [true, true, null]);
    assert.deepEqual(occupied.sets[1].electrons, [1, 1]);
  }
});

test('levels: degenerate sets, Hund filling, HOMO, LUMO and SOMO', () => {
  const annulene = solve(30, ring(30), 30);
  const sets = degenerateSets(annulene.roots);
  assert.equal(sets.filter((s) => s.length === 2).length, 14);
  assert.equal(sets.length, 16);
  const benzene = occupy(solve(6, ring(6), 6));
  assert.deepEqual(benzene.sets.map((s) => s.electrons), [[2], [2, 2], [0, 0], [0]]);
  assert.deepEqual([benzene.homo, benzene.lumo, benzene.somo, benzene.partlyFilled], [1, 2, false, false]);
  close(benzene.gap, 2, 'benzene gap');
  const cation = occupy(solve(6, ring(6), 5));
  assert.deepEqual(cation.sets[1].electrons, [2, 1]);
  const radical = occupy(solve(3, chain(3), 3));
  assert.deepEqual([radical.homo, radical.somo, radical.partlyFilled, radical.gap], [1, true, true, null]);
  const none = occupy(solve(2, chain(2), 0));
  assert.deepEqual([none.homo, none.lumo, none.gap], [null, 0, null]);
});

test('problems that keep the levels from being drawn', () => {
  const ok = { n: 3, electrons: 3, finite: true, converged: true };
  assert.equal(problemOf(ok), null);
  assert.equal(problemOf({ ...ok, electrons: 6 }), null);
  assert.deepEqual(problemOf({ ...ok, electrons: 7 }), { problem: 'electron-count', electrons: 7, most: 6 });
  assert.equal(problemOf({ ...ok, electrons: -1 }).problem, 'electron-count');
  assert.equal(problemOf({ ...ok, n: 0 }).problem, 'no-atoms');
  assert.equal(problemOf({ ...ok, finite: false }).problem, 'not-finite');
  assert.equal(problemOf({ ...ok, converged: false }).problem, 'not-converged');
});

test('the molecule rebuilt from a solution: bonds with k, heteroatoms with h, self-pairs on the diagonal', () => {
  const pyrrole = rebuildMolecule(solve(5, [[1, 2, 0.8], [2, 3], [3, 4], [4, 5], [1, 5, 0.8]], 6, { 1: 1.5 }));
  assert.deepEqual(pyrrole.bonds.map(({ i, j, k }) => [i, j, Number(k.toFixed(6))]),
                   [[0, 1, 0.8], [0, 4, 0.8], [1, 2, 1], [2, 3, 1], [3, 4, 1]]);
  assert.deepEqual(pyrrole.atoms.map(({ h, hetero }) => [Number(h.toFixed(6)), hetero]),
                   [[1.5, true], [0, false], [0, false], [0, false], [0, false]]);
  const selfPair = rebuildMolecule(solve(3, [[1, 2], [3, 3]], 2, { 3: 1 }));
  assert.deepEqual(selfPair.bonds.map(({ i, j }) => [i, j]), [[0, 1]]);
  assert.equal(selfPair.atoms[2].hetero, true);
  assert.equal(hasKekuleStructure(4, [[1], [0], [3], [2]]), true);
  assert.equal(hasKekuleStructure(4, [[1, 2, 3], [0], [0], [0]]), false);
  // A dense graph with one atom left out answers at once.
  const dense = Array.from({ length: 30 }, (_, i) => (i === 29 ? [] : [...Array(29).keys()].filter((j) => j !== i)));
  assert.equal(hasKekuleStructure(30, dense), false);
  assert.equal(hasKekuleStructure(30, ring(30).map(([i]) => [(i + 28) % 30, i % 30])), true);
});

test('the record: layout, the solution in it, and when it holds one', () => {
  const bytes = new Uint8Array(RECORD_BYTES);
  const view = new DataView(bytes.buffer);
  const put = (offset, i, j, value) => view.setFloat32(offset + 4 * (j * 30 + i), value, true);
  [[0, 0, 1], [1, 1, -1], [1, 0, 5e-7]].forEach(([i, j, x]) => put(0, i, j, x));
  [[0, 0, 0.5], [1, 0, 0.5], [0, 1, 0.5], [1, 1, -0.5]].forEach(([i, j, c]) => put(3600, i, j, c));
  view.setInt32(7200, 1, true);
  view.setInt32(7440, 2, true);
  view.setInt32(7448, 2, true);
  const record = readRecord(bytes);
  assert.deepEqual([record.natom, record.nelec, record.iat[0]], [2, 2, 1]);
  const solution = solutionOf(record);
  assert.deepEqual([solution.roots, solution.vectors, solution.converged, solution.finite],
                   [[1, -1], [[0.5, 0.5], [0.5, -0.5]], true, true]);
  put(0, 1, 0, 2e-6);
  assert.equal(solutionOf(readRecord(bytes)).converged, false);
  view.setInt32(7440, 1, true);
  assert.equal(solutionOf(readRecord(bytes)).converged, false);
  view.setInt32(7440, 2, true);
  put(0, 1, 0, NaN);
  assert.deepEqual([solutionOf(readRecord(bytes)).converged, solutionOf(readRecord(bytes)).finite], [true, true]);
  put(3600, 1, 1, Infinity);
  assert.equal(solutionOf(readRecord(bytes)).finite, false);
  view.setInt32(7440, -3, true);
  assert.equal(solutionOf(readRecord(bytes)).n, 0);
  assert.deepEqual([36, 47, 20, 59, 0].map(tableIsPrinted), [true, true, false, false, false]);
});

test('the properties as CSV', () => {
  const csv = propertiesCsv({ piEnergy: 2, delocalisation: null, gap: 2, density: [1, -1e-9],
                              bondOrders: [{ i: 0, j: 1, order: 1 }], freeValence: [0.732, null] });
  assert.equal(csv, 'quantity,atom_i,atom_j,value\npi_energy_beta,,,2.000000\nhomo_lumo_gap,,,2.000000\n' +
    'density,1,,1.000000\ndensity,2,,0.000000\nbond_order,1,2,1.000000\nfree_valence,1,,0.732000\n');
});
