// Answers derived from a run's rebuilt molecule, for the program to solve
// again: the molecule with one atom deleted (what is left when a reagent
// localises two π electrons at it), or with one h or k changed. Every
// other h and k is kept as the run had it.

import { formatValue } from './answers_writer.js';

// The rebuilt matrix holds each h and k to a few units in the seventh
// digit; five decimals give back the values a user types, so the derived
// run reads the very numbers the first one read.
const KEPT_DECIMALS = 5;
const kept = (value) => Number(value.toFixed(KEPT_DECIMALS));

// The answer text after the name: counts, bonds, hetero triples and the
// final answer, for `atoms` ({ h }) and `bonds` ({ i, j, k }, 0-based).
function answerLines({ atoms, bonds }, electrons) {
  const triples = [];
  atoms.forEach(({ h }, r) => {
    if (kept(h) !== 0) triples.push(`${r + 1} ${r + 1} ${formatValue(kept(h))}`);
  });
  for (const { i, j, k } of bonds) if (kept(k) !== 1) triples.push(`${i + 1} ${j + 1} ${formatValue(kept(k))}`);
  return [
    String(atoms.length),
    String(bonds.length),
    String(electrons),
    String(triples.length),
    ...bonds.map(({ i, j }) => `${i + 1} ${j + 1}`),
    ...triples,
    'x',
  ];
}

// The answers for `molecule` with `electrons` π electrons, after the name
// as the program reads it (`quotedName`, see quoteName), as text.
export function moleculeAnswers(molecule, electrons, quotedName) {
  return [quotedName, ...answerLines(molecule, electrons)].map((line) => `${line}\n`).join('');
}

// `molecule` without atom `r`: the atoms after it move up one number.
export function withoutAtom({ atoms, bonds }, r) {
  const number = (a) => (a < r ? a : a - 1);
  return {
    atoms: atoms.filter((_, a) => a !== r),
    bonds: bonds.filter(({ i, j }) => i !== r && j !== r).map(({ i, j, k }) => ({ i: number(i), j: number(j), k })),
  };
}

// `molecule` with one change: { atom, h } sets atom `atom`'s h, { i, j, k }
// sets the k of the bond between atoms i and j (0-based; a bond that was
// not there is added, and a k of 0 removes it).
export function withChange({ atoms, bonds }, change) {
  if ('atom' in change) {
    return { atoms: atoms.map((atom, r) => (r === change.atom ? { ...atom, h: change.h } : atom)), bonds };
  }
  const [i, j] = [Math.min(change.i, change.j), Math.max(change.i, change.j)];
  const others = bonds.filter((b) => b.i !== i || b.j !== j);
  const changed = change.k === 0 ? others : [...others, { i, j, k: change.k }];
  return { atoms, bonds: changed.sort((a, b) => a.i - b.i || a.j - b.j) };
}

// The first-order estimate of each level after `change`, from the old
// solution's coefficients: x_j + c_rj²·δh for an atom, x_j + 2·c_rj·c_sj·δk
// for a bond. Null for an orbital of a degenerate set, where the first
// order does not follow from one orbital alone. `sets` are the old
// solution's degenerate sets.
export function firstOrderLevels({ roots, vectors }, sets, molecule, change) {
  const inSet = new Set(sets.filter((set) => set.length > 1).flat());
  const bond = molecule.bonds.find(
    ({ i, j }) => i === Math.min(change.i, change.j) && j === Math.max(change.i, change.j),
  );
  const shift =
    'atom' in change
      ? (c) => c[change.atom] ** 2 * (change.h - molecule.atoms[change.atom].h)
      : (c) => 2 * c[change.i] * c[change.j] * (change.k - (bond ? bond.k : 0));
  return roots.map((x, j) => (inSet.has(j) ? null : x + shift(vectors[j])));
}
