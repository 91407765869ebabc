// Reactivity indices against textbook values, on solutions from the program
// itself: the page's WebAssembly module (ORBCALC_WASM, set by ctest
// web.node from the web build) run on answer text, as the page runs it.
// Textbook values as tabulated in Streitwieser, Molecular Orbital Theory
// for Organic Chemists (Wiley, 1961) and Coulson and Streitwieser,
// Dictionary of π-Electron Calculations (Pergamon, 1965), to four decimals.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';

import { analyse } from '../../../web/chemistry/analysis.js';
import { firstOrderLevels, moleculeAnswers, withChange } from '../../../web/chemistry/derived_answers.js';
import { degenerateSets } from '../../../web/chemistry/occupation.js';
import { reactiveSites, reactivityOf, reactivityRows, solveMolecule } from '../../../web/chemistry/reactivity.js';
import { readRecord } from '../../../web/program/record.js';
import { runProgram } from '../../../web/program/run.js';
import { built, missing } from '../program/built.mjs';

const skip = missing('program');
const module = skip ? null : await built('program');
const example = (name) => readFileSync(new URL(`../../../examples/${name}.txt`, import.meta.url), 'latin1');

// Answer text for `n` atoms, bonds [i, j] (from 1), electrons and hetero
// triples [i, j, value].
const answers = (n, bonds, electrons, hetero = []) =>
  [
    't',
    n,
    bonds.length,
    electrons,
    hetero.length,
    ...bonds.map((b) => b.join(' ')),
    ...hetero.map((h) => h.join(' ')),
    'x',
    '',
  ].join('\n');

// The run of `text` analysed, with its reactivity; each text run once.
const solved = new Map();
function indicesOf(text) {
  if (!solved.has(text)) {
    solved.set(
      text,
      (async () => {
        const { record, line } = await runProgram(module, new TextEncoder().encode(text), true);
        const analysis = analyse(readRecord(record), line);
        return { analysis, ...(await reactivityOf(module, analysis)) };
      })(),
    );
  }
  return solved.get(text);
}

const close = (actual, expected, what, within = 1.5e-4) =>
  assert.ok(Math.abs(actual - expected) < within, `${what}: ${actual} against ${expected}`);

test('textbook values: benzene, butadiene, naphthalene, azulene, pyridine, allyl cation', { skip }, async () => {
  // [answers, quantity, atom (from 1), value]; π_rs as [answers, 'pi', r, s, value].
  // prettier-ignore
  const cases = [
    ['benzene', 'localisation_plus', 1, 2.5359], ['benzene', 'localisation_radical', 1, 2.5359],
    ['benzene', 'localisation_minus', 1, 2.5359], ['benzene', 'frontier_e', 4, 1 / 3],
    ['benzene', 'superdeloc_e', 1, 0.8333], ['benzene', 'superdeloc_n', 1, 0.8333],
    ['benzene', 'pi', 1, 1, 0.3981], ['benzene', 'pi', 1, 2, -0.1574], ['benzene', 'pi', 1, 3, 0.0093],
    ['benzene', 'pi', 1, 4, -0.1019],
    ['butadiene', 'frontier_e', 1, 0.7236], ['butadiene', 'frontier_e', 2, 0.2764],
    ['butadiene', 'localisation_plus', 1, 1.6437], ['butadiene', 'localisation_plus', 2, 2.4721],
    ['butadiene', 'pi', 1, 1, 0.6261], ['butadiene', 'pi', 1, 2, -0.4025], ['butadiene', 'pi', 1, 3, 0.0447],
    ['butadiene', 'pi', 1, 4, -0.2683],
    // Atom 1 of the example is an α position, atom 2 a β position.
    ['naphthalene', 'localisation_plus', 1, 2.2986], ['naphthalene', 'localisation_plus', 2, 2.4797],
    ['naphthalene', 'frontier_e', 1, 0.3618], ['naphthalene', 'frontier_e', 2, 0.1382],
    ['azulene', 'localisation_plus', 8, 1.9244], ['azulene', 'localisation_minus', 8, 2.6003],
    ['pyridine', 'localisation_plus', 2, 2.6718], ['pyridine', 'localisation_minus', 2, 2.3529],
    ['allyl cation', 'localisation_plus', 1, 2.8284], ['allyl cation', 'localisation_minus', 1, 0.8284],
    ['allyl cation', 'superdeloc_e', 1, 0.3536], // its empty non-bonding level weighs nothing
  ];
  // prettier-ignore
  const texts = { 'allyl cation': answers(3, [[1, 2], [2, 3]], 2) };
  for (const [name, quantity, r, ...rest] of cases) {
    const { indices, polarisability } = await indicesOf(texts[name] ?? example(name));
    if (quantity === 'pi') close(polarisability.matrix[r - 1][rest[0] - 1], rest[1], `${name} π${r}${rest[0]}`);
    else close(indices[quantity].values[r - 1], rest[0], `${name} ${quantity}(${r})`);
  }
});

test('sums and symmetries hold for every example that has them', { skip }, async () => {
  const alternants = new Set(['benzene', 'butadiene', 'naphthalene', 'styrene', 'polyene30', 'annulene30', 'ethylene']);
  // prettier-ignore
  for (const name of ['azulene', 'benzene', 'butadiene', 'ethylene', 'fulvene', 'naphthalene', 'pyridine', 'pyrrole',
                      'styrene', 'polyene30']) {
    const { analysis, indices, polarisability } = await indicesOf(example(name));
    const { n } = analysis.solution;
    for (const quantity of ['frontier_e', 'frontier_n', 'frontier_r']) {
      close(
        indices[quantity].values.reduce((a, b) => a + b, 0),
        2,
        `${name} Σ ${quantity}`,
        1e-4,
      );
    }
    const { matrix } = polarisability;
    for (let r = 0; r < n; r++) {
      close(
        matrix[r].reduce((a, b) => a + b, 0),
        0,
        `${name} row ${r + 1} of π`,
        1e-4,
      );
      assert.ok(matrix[r][r] > 0, `${name} π${r + 1}${r + 1} > 0`);
      for (let s = 0; s < r; s++) assert.equal(matrix[r][s], matrix[s][r]);
    }
    // A neutral alternant hydrocarbon has L⁺ = L⁻ at every atom; the
    // others differ somewhere.
    const { values: plus } = indices.localisation_plus;
    const { values: minus } = indices.localisation_minus;
    const most = Math.max(...plus.map((value, r) => Math.abs(value - minus[r])));
    assert.equal(most < 1e-4, alternants.has(name), `${name}: L⁺ − L⁻ up to ${most}`);
  }
});

test('indices that are not defined are said so, and rows left out', { skip }, async () => {
  const allyl = await indicesOf(example('allyl'));
  const cyclobutadiene = await indicesOf(example('cyclobutadiene'));
  const ethyleneCation = await indicesOf(answers(2, [[1, 2]], 1));
  for (const { indices, polarisability } of [allyl, cyclobutadiene]) {
    for (const quantity of ['superdeloc_e', 'superdeloc_n', 'superdeloc_r']) {
      assert.equal(indices[quantity].reason.code, 'non-bonding', quantity);
    }
    assert.equal(polarisability.reason.code, 'open-shell');
  }
  assert.deepEqual(allyl.indices.superdeloc_e.reason.orbitals, [2]);
  assert.deepEqual(cyclobutadiene.indices.superdeloc_n.reason.orbitals, [2, 3]);
  // One electron: no cation can form; a frontier set shared by both sides.
  assert.equal(ethyleneCation.indices.localisation_plus.reason.code, 'electron-count');
  close(ethyleneCation.indices.localisation_radical.values[0], 1, 'ethylene cation L·');
  // No electrons, or no room left: the frontier indices of that side are
  // not defined, nor the localisation energy that would need two more
  // (or two fewer); an empty allyl takes electrons in its lowest level.
  // One atom alone: its L· takes a run of no atoms at all.
  const cases = [
    [0, ['no-electrons', 'defined', 'no-electrons', 'electron-count', 'defined']],
    [6, ['defined', 'no-room', 'no-room', 'defined', 'electron-count']],
  ];
  for (const [electrons, codes] of cases) {
    // prettier-ignore
    const { indices } = await indicesOf(answers(3, [[1, 2], [2, 3]], electrons));
    const quantities = ['frontier_e', 'frontier_n', 'frontier_r', 'localisation_plus', 'localisation_minus'];
    const said = quantities.map((q) => indices[q].reason?.code ?? 'defined');
    assert.deepEqual(said, codes, `allyl with ${electrons} electrons`);
    if (electrons === 0) indices.frontier_n.values.forEach((f, r) => close(f, [0.5, 1, 0.5][r], `f_N(${r + 1})`));
  }
  const methyl = (await indicesOf(answers(1, [], 1))).indices;
  assert.deepEqual(methyl.localisation_radical.values, [0]);
  assert.equal(methyl.localisation_plus.reason.code, 'electron-count');
  const rows = reactivityRows(allyl).map((row) => row.quantity);
  for (const left of ['superdeloc_e', 'superdeloc_r', 'polarisability']) assert.ok(!rows.includes(left), left);
  const kept = [
    'frontier_e',
    'frontier_n',
    'frontier_r',
    'localisation_plus',
    'localisation_radical',
    'localisation_minus',
  ];
  assert.deepEqual(new Set(rows), new Set(kept));
});

test('the same molecule in another atom order gives the same indices, permuted', { skip }, async () => {
  // Pyridine with the nitrogen at atom 4 and the ring numbered backwards,
  // naphthalene numbered from a fusion atom, the allyl radical from its
  // middle atom and cyclobutadiene across the ring, whose indices are
  // partly not defined; `order[a]` is the atom of the example that atom
  // a + 1 is.
  const cases = [
    { name: 'pyridine', order: [4, 3, 2, 1, 6, 5] },
    { name: 'naphthalene', order: [9, 4, 3, 2, 1, 10, 8, 7, 6, 5] },
    { name: 'allyl', order: [2, 1, 3] },
    { name: 'cyclobutadiene', order: [1, 3, 2, 4] },
  ];
  for (const { name, order } of cases) {
    const original = await indicesOf(example(name));
    const { molecule, solution } = original.analysis;
    const where = (a) => order.indexOf(a + 1);
    const bonds = molecule.bonds.map(({ i, j }) => [where(i) + 1, where(j) + 1]);
    const hetero = molecule.atoms.flatMap(({ h }, a) => (h === 0 ? [] : [[where(a) + 1, where(a) + 1, h.toFixed(4)]]));
    const permuted = await indicesOf(answers(solution.n, bonds, solution.electrons, hetero));
    for (const [quantity, { values }] of Object.entries(original.indices)) {
      assert.equal(permuted.indices[quantity].values === null, values === null, `${name} ${quantity}`);
      values?.forEach((value, a) =>
        close(permuted.indices[quantity].values[where(a)], value, `${name} ${quantity}(${a + 1})`, 5e-5),
      );
    }
  }
});

test('the most reactive sites: ties, and no fusion atom', { skip }, async () => {
  const naphthalene = await indicesOf(example('naphthalene'));
  const { molecule } = naphthalene.analysis;
  const { localisation_plus: plus, frontier_e: fe } = naphthalene.indices;
  assert.deepEqual(reactiveSites(plus.values, false, molecule), [0, 3, 4, 7]);
  assert.deepEqual(reactiveSites(fe.values, true, molecule), [0, 3, 4, 7]);
  const hydrogens = fe.values.map((_, a) => a !== 0); // as if atom 1 bore a substituent
  assert.deepEqual(reactiveSites(fe.values, true, molecule, hydrogens), [3, 4, 7]);
  // Fusion atoms with the largest value are passed over: a value only
  // counts among atoms that can take a substituent.
  const values = fe.values.map((value, a) => (a >= 8 ? 5 : value));
  assert.deepEqual(reactiveSites(values, true, molecule), [0, 3, 4, 7]);
});

test("a changed h or k: first-order estimates against the program's new levels", { skip }, async () => {
  const { solution, molecule } = (await indicesOf(example('pyridine'))).analysis;
  const sets = degenerateSets(solution.roots);
  // [change, how close every estimate must come]
  const cases = [
    [{ atom: 0, h: 1.0 }, 0.04],
    [{ atom: 0, h: 0.6 }, 0.002],
    [{ i: 1, j: 0, k: 1.1 }, 0.01],
    [{ i: 3, j: 0, k: 0.1 }, 0.002], // a bond added across the ring
  ];
  for (const [change, within] of cases) {
    const changed = await solveMolecule(module, withChange(molecule, change), solution.electrons);
    const estimates = firstOrderLevels(solution, sets, molecule, change);
    changed.roots.forEach((x, j) => close(estimates[j], x, `${JSON.stringify(change)} x${j + 1}`, within));
  }
  // A bond is added in its place among the others, and a k of 0 removes it.
  const first = { i: 0, j: 1, k: 1 };
  const second = { i: 1, j: 2, k: 1 };
  const chain = { atoms: [], bonds: [first, second] };
  assert.deepEqual(withChange(chain, { i: 2, j: 0, k: 0.5 }).bonds, [first, { i: 0, j: 2, k: 0.5 }, second]);
  assert.deepEqual(withChange(chain, { i: 2, j: 1, k: 0 }).bonds, [first]);
  // Written back as answers, with only the h and k that are not 0 and 1.
  const changed = withChange(
    { atoms: [{ h: 0 }, { h: 0.5 }, { h: 0 }], bonds: [first, second] },
    { i: 2, j: 1, k: 1.2 },
  );
  assert.equal(moleculeAnswers(changed, 2, "'c'"), "'c'\n3\n2\n2\n2\n1 2\n2 3\n2 2 0.5\n2 3 1.2\nx\n");
  // Benzene's degenerate pairs have no estimate of their own.
  const benzene = (await indicesOf(example('benzene'))).analysis;
  const benzeneSets = degenerateSets(benzene.solution.roots);
  const estimates = firstOrderLevels(benzene.solution, benzeneSets, benzene.molecule, { atom: 0, h: 0.5 });
  // prettier-ignore
  assert.deepEqual(estimates.map((x) => x === null), [false, true, true, true, true, false]);
});
