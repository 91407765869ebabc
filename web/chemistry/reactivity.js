// Where a π system reacts, from a run's orbitals and occupation:
// - frontier electron densities f_E, f_N, f_R (Fukui, Yonezawa and Shingu,
//   J. Chem. Phys. 20, 722 (1952)), in electrons;
// - superdelocalisabilities S_E, S_N, S_R (Fukui, Yonezawa and Nagata,
//   Bull. Chem. Soc. Jpn. 27, 423 (1954)), in 1/|β|;
// - localisation energies L⁺, L·, L⁻ (Wheland, J. Am. Chem. Soc. 64, 900
//   (1942)), in |β|, the levels of what is left when an atom is taken out
//   coming from the program itself, run again on derived answers;
// - atom–atom polarisabilities π_rs = ∂q_r/∂h_s (Coulson and
//   Longuet-Higgins, Proc. R. Soc. A 191, 39 (1947)), in 1/β.
// Each index is { values } (by atom, 0-based; a single value may be null
// where it is not defined) or { values: null, reason } with the reason as
// data: { code, ... }.

import { moleculeAnswers, withoutAtom } from './derived_answers.js';
import { readRecord, solutionOf, tableIsPrinted } from '../program/record.js';
import { runProgram } from '../program/run.js';

// An orbital with |x| below this is non-bonding; two values closer than
// this are tied.
const NON_BONDING = 1e-4;
const TIED_WITHIN = 1e-4;

const sumOver = (orbitals, term) => orbitals.reduce((sum, j) => sum + term(j), 0);
const orbitalRange = (n) => Array.from({ length: n }, (_, j) => j);

// The highest set that holds electrons and the lowest set with room
// (the same set when it is partly filled), as indices into `sets`, or null.
function frontierSets({ sets, homo, partlyFilled }) {
  const lowest = homo === null ? 0 : partlyFilled ? homo : homo + 1;
  return { highest: homo, lowest: lowest < sets.length ? lowest : null };
}

function frontier({ n, vectors }, occupied) {
  const { sets } = occupied;
  const { highest, lowest } = frontierSets(occupied);
  const density = (set) =>
    set === null
      ? null
      : Array.from(
          { length: n },
          (_, r) => (2 / sets[set].orbitals.length) * sumOver(sets[set].orbitals, (j) => vectors[j][r] ** 2),
        );
  const e = density(highest);
  const nu = density(lowest);
  const index = (values, code) => (values === null ? { values: null, reason: { code } } : { values });
  return {
    frontier_e: index(e, 'no-electrons'),
    frontier_n: index(nu, 'no-room'),
    frontier_r:
      e === null
        ? index(null, 'no-electrons')
        : nu === null
          ? index(null, 'no-room')
          : { values: e.map((value, r) => (value + nu[r]) / 2) },
  };
}

// Σ_j weight_j c_rj² / divisor_j over the orbitals with a weight, or why
// not: an orbital it weights is non-bonding (`orbitals` numbered from 1).
function weightedSum({ n, roots, vectors }, weight, sign) {
  const weighted = orbitalRange(n).filter((j) => weight(j) > 0);
  const nonBonding = weighted.filter((j) => Math.abs(roots[j]) < NON_BONDING);
  if (nonBonding.length > 0)
    return { values: null, reason: { code: 'non-bonding', orbitals: nonBonding.map((j) => j + 1) } };
  return {
    values: Array.from({ length: n }, (_, r) =>
      sumOver(weighted, (j) => (weight(j) * vectors[j][r] ** 2) / (sign * roots[j])),
    ),
  };
}

function superdelocalisabilities(solution, { shared }) {
  const e = weightedSum(solution, (j) => shared[j], 1);
  const nu = weightedSum(solution, (j) => 2 - shared[j], -1);
  const r =
    e.values === null
      ? e
      : nu.values === null
        ? nu
        : { values: e.values.map((value, a) => (value + nu.values[a]) / 2) };
  return { superdeloc_e: e, superdeloc_n: nu, superdeloc_r: r };
}

// π_rs for a closed shell (every set full or empty), else why not.
function polarisabilities({ n, roots, vectors }, { shared, partlyFilled }) {
  if (partlyFilled) return { matrix: null, reason: { code: 'open-shell' } };
  const occupiedOrbitals = orbitalRange(n).filter((j) => shared[j] === 2);
  const empty = orbitalRange(n).filter((k) => shared[k] === 0);
  const matrix = Array.from({ length: n }, () => new Array(n).fill(0));
  for (let r = 0; r < n; r++) {
    for (let s = r; s < n; s++) {
      let sum = 0;
      for (const j of occupiedOrbitals) {
        for (const k of empty)
          sum += (vectors[j][r] * vectors[j][s] * vectors[k][r] * vectors[k][s]) / (roots[j] - roots[k]);
      }
      matrix[r][s] = matrix[s][r] = 4 * sum;
    }
  }
  return { matrix };
}

// The indices defined at each atom, by their names in the saved CSV, in
// the order they are written.
export const INDICES = [
  'frontier_e',
  'frontier_n',
  'frontier_r',
  'superdeloc_e',
  'superdeloc_n',
  'superdeloc_r',
  'localisation_plus',
  'localisation_radical',
  'localisation_minus',
];

// X(m): the π energy Σ n_j x_j of `m` electrons in levels `roots`
// (descending), filled from the most bonding; null when they do not fit
// or m is negative.
function piEnergyOf(roots, m) {
  if (m < 0 || m > 2 * roots.length) return null;
  return roots.reduce((sum, x, j) => sum + Math.max(0, Math.min(2, m - 2 * j)) * x, 0);
}

// The solution of `molecule` ({ n, roots, vectors, electrons, ... }) from
// a run of the program (`module`), or null when the run gives none that
// converged to finite values.
export async function solveMolecule(module, molecule, electrons, quotedName = "'derived'") {
  if (molecule.atoms.length === 0) return { n: 0, roots: [], vectors: [], electrons, converged: true, finite: true };
  const text = moleculeAnswers(molecule, electrons, quotedName);
  const { record, line } = await runProgram(module, new TextEncoder().encode(text), true);
  if (record === null || !tableIsPrinted(line)) return null;
  const solution = solutionOf(readRecord(record));
  return solution.converged && solution.finite ? solution : null;
}

// L⁺, L· and L⁻ at each atom: X(parent, N) − X(rest, N − 2, N − 1, N).
async function localisationEnergies(module, { n, electrons }, molecule, piEnergy) {
  const plus = [],
    radical = [],
    minus = [];
  for (let r = 0; r < n; r++) {
    const rest = await solveMolecule(module, withoutAtom(molecule, r), 0);
    const roots = rest === null ? null : rest.roots;
    for (const [list, m] of [
      [plus, electrons - 2],
      [radical, electrons - 1],
      [minus, electrons],
    ]) {
      const x = roots === null ? null : piEnergyOf(roots, m);
      list.push(x === null ? null : piEnergy - x);
    }
  }
  const index = (values) =>
    values.every((v) => v === null) ? { values: null, reason: { code: 'electron-count' } } : { values };
  return { localisation_plus: index(plus), localisation_radical: index(radical), localisation_minus: index(minus) };
}

// The indices of an analysed run (analysis.js, without a problem) that
// its own orbitals give: frontier densities, superdelocalisabilities and
// polarisabilities.
export function orbitalReactivity({ solution, occupied }) {
  return {
    indices: { ...frontier(solution, occupied), ...superdelocalisabilities(solution, occupied) },
    polarisability: polarisabilities(solution, occupied),
  };
}

// Every index of an analysed run, the localisation energies from runs of
// `module` (a run for each atom, left out when `localisation` is false).
export async function reactivityOf(module, analysis, { localisation: wanted = true } = {}) {
  const { indices, polarisability } = orbitalReactivity(analysis);
  if (!wanted) return { indices, polarisability };
  const { solution, molecule, properties } = analysis;
  const localisation = await localisationEnergies(module, solution, molecule, properties.piEnergy);
  return { indices: { ...indices, ...localisation }, polarisability };
}

// The most reactive atoms by `values`: every atom within 1e-4 of the
// extreme among those that can take a substituent (defined there, bonded
// to fewer than three π atoms, and carrying a hydrogen where that is known,
// `hydrogens` true by atom or null).
export function reactiveSites(values, largest, { neighbours }, hydrogens = null) {
  const eligible = values
    .map((_, r) => r)
    .filter((r) => values[r] !== null && neighbours[r].length < 3 && (hydrogens === null || hydrogens[r]));
  if (eligible.length === 0) return [];
  const pick = largest ? Math.max : Math.min;
  const extreme = pick(...eligible.map((r) => values[r]));
  return eligible.filter((r) => Math.abs(values[r] - extreme) < TIED_WITHIN);
}

// The indices as CSV rows { quantity, i, j, value } (atoms from 1), left
// out where a value is not defined; the polarisabilities as the upper
// triangle.
export function reactivityRows({ indices, polarisability }) {
  const rows = [];
  for (const [quantity, { values }] of Object.entries(indices)) {
    values?.forEach((value, r) => {
      if (value !== null) rows.push({ quantity, i: r + 1, j: '', value });
    });
  }
  polarisability.matrix?.forEach((row, r) =>
    row.forEach((value, s) => {
      if (s >= r) rows.push({ quantity: 'polarisability', i: r + 1, j: s + 1, value });
    }),
  );
  return rows;
}
