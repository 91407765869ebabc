// Finds the π system of a molecule given as plain data (molecule_graph.js):
// which atoms take part in conjugation, how many π electrons each brings
// and of which kind each is, numbered 1..n; what was left out and why; or
// why the simple Hückel model cannot take the molecule, as a refusal code.
//
// One p orbital per atom. An atom with a double or triple bond, or in an
// aromatic ring, is part of the system in its own right ("core"). An atom
// whose p orbital holds a lone pair, an odd electron or nothing (amino and
// ether groups, halogens, carbocations, carbanions, radicals, boron) joins
// only when it is bonded to a core atom ("pendant"): on its own it is just
// a saturated group with a lone pair.

import { MAX_ATOMS } from '../program/record.js';
import { KINDS } from './pi_kinds.js';

const HALOGENS = new Map([
  [9, 'f'],
  [17, 'cl'],
  [35, 'br'],
  [53, 'i'],
]);

const core = (kind) => ({ role: 'core', kind });
const pendant = (kind) => ({ role: 'pendant', kind });
const leftOut = (reason) => ({ role: 'left', reason });
// An atom the model does not describe: refused if it touches the system.
const odd = (group) => ({ role: 'odd', group });

// The σ bonds (neighbours and implicit hydrogens), the π bonds (the
// multiple bonds' orders above 1) and the atoms at the other end of them.
function bonding(graph) {
  const info = graph.atoms.map((atom) => ({
    sigma: atom.neighbours.length + atom.hydrogens,
    pi: 0,
    partners: new Set(),
  }));
  for (const { i: a, j: b, order } of graph.bonds) {
    if (order < 2) continue;
    for (const [x, y] of [
      [a, b],
      [b, a],
    ]) {
      info[x].pi += order - 1;
      info[x].partners.add(y);
    }
  }
  return info;
}

function classifyCarbon(atom, { sigma, pi, partners }) {
  if (pi >= 1) {
    // Allene, ketene: two π bonds at right angles, not one system.
    if (partners.size > 1) return odd('cumulene');
    if (atom.charge !== 0 || atom.radical !== 'none') return odd('charge');
    return core('carbon');
  }
  let kind = null;
  if (atom.charge === 0) {
    if (atom.radical === 'doublet') kind = 'carbon-radical';
  } else if (atom.radical !== 'none' || Math.abs(atom.charge) !== 1) {
    return odd('charge');
  } else {
    kind = atom.charge < 0 ? 'carbanion' : 'carbocation';
  }
  // An aromatic atom without a double bond of its own: the charged or odd
  // atom of a ring such as the cyclopentadienyl anion, or a ring drawn
  // with delocalised bonds.
  if (atom.aromatic) return core(kind ?? 'carbon');
  if (kind === null) return leftOut('saturated');
  // A trigonal carbon whose third orbital is the empty, filled or half
  // filled p orbital; anything else (a carbene anion, say) is not modelled.
  return sigma === 3 ? pendant(kind) : odd('charge');
}

function classifyNitrogen(atom, { sigma, pi, partners }, negativeNeighbour) {
  if (atom.charge === 1) {
    // Nitro groups and N-oxides: a positive nitrogen beside a negative atom.
    if (negativeNeighbour) return odd('nitro');
    if (pi === 0 && sigma === 4) return leftOut('saturated');
    if (sigma === 3 && (pi === 1 || (pi === 0 && atom.aromatic))) return core('n-plus');
    return odd('charge');
  }
  if (atom.charge !== 0) return odd('charge');
  if (pi === 1 && sigma === 2) return core('n-pyridine');
  if (pi === 2 && partners.size === 1 && sigma === 1) return core('n-pyridine');
  if (pi === 0 && sigma === 2 && atom.aromatic) return core('n-pyridine');
  if (pi === 0 && sigma === 3) return atom.aromatic ? core('n-pyrrole') : pendant('n-pyrrole');
  return odd(pi > 0 ? 'nitro' : 'charge');
}

function classifyOxygen(atom, { sigma, pi }) {
  if (atom.charge === 1) {
    if (sigma === 2 && (pi === 1 || (pi === 0 && atom.aromatic))) return core('o-plus');
    if (pi === 0 && sigma === 3) return leftOut('saturated');
    return odd('charge');
  }
  if (atom.charge !== 0) return odd('charge');
  if (pi === 1 && sigma === 1) return core('o-carbonyl');
  if (pi === 0 && sigma === 2) return atom.aromatic ? core('o-ether') : pendant('o-ether');
  return odd('charge');
}

function classifySulfur(atom, { sigma, pi }) {
  if (atom.charge !== 0) return odd('charge');
  if (pi === 1 && sigma === 1) return core('s-thione');
  if (pi === 0 && sigma === 2) return atom.aromatic ? core('s-thiophene') : pendant('s-thiophene');
  // Sulfoxides and sulfones use d orbitals the model has not got.
  return odd('hypervalent');
}

function classify(graph, index, info) {
  const atom = graph.atoms[index];
  const bonds = info[index];
  if (atom.element === 1) return leftOut('hydrogen');
  if (atom.radical !== 'none' && !(atom.radical === 'doublet' && atom.element === 6)) return odd('radical');
  const negativeNeighbour = atom.neighbours.some((n) => graph.atoms[n].charge < 0);
  switch (atom.element) {
    case 6:
      return classifyCarbon(atom, bonds);
    case 7:
      return classifyNitrogen(atom, bonds, negativeNeighbour);
    case 8:
      return classifyOxygen(atom, bonds);
    case 16:
      return classifySulfur(atom, bonds);
    case 5:
      if (atom.charge === 0 && bonds.pi === 0 && bonds.sigma === 3) return atom.aromatic ? core('b') : pendant('b');
      return odd('charge');
    default:
      if (HALOGENS.has(atom.element)) {
        return atom.charge === 0 && bonds.sigma === 1 && bonds.pi === 0
          ? pendant(HALOGENS.get(atom.element))
          : odd('charge');
      }
      // Other elements: in a multiple bond or an aromatic ring they would
      // need parameters nobody tabulates for this model; otherwise they are
      // a saturated substituent or a counter-ion.
      return bonds.pi > 0 || atom.aromatic ? odd('element') : leftOut('not-conjugated');
  }
}

// Numbers of the atoms' connected pieces within `members`.
function countComponents(graph, members) {
  const seen = new Set();
  let components = 0;
  for (const start of members) {
    if (seen.has(start)) continue;
    components += 1;
    const stack = [start];
    seen.add(start);
    while (stack.length > 0) {
      for (const next of graph.atoms[stack.pop()].neighbours) {
        if (members.has(next) && !seen.has(next)) {
          seen.add(next);
          stack.push(next);
        }
      }
    }
  }
  return components;
}

// The π system of `graph`, numbered in the graph's atom order:
//   { atoms: [{ atom, kind, symbol, electrons }], bonds: [{ i, j, bond }],
//     electrons, leftOut: [{ atom, reason }], hydrogens, components }
// where i < j are positions in `atoms` (number − 1) and `bond` the graph's
// bond; or { refusal }.
export function findPiSystem(graph) {
  const info = bonding(graph);
  const classes = graph.atoms.map((_, i) => classify(graph, i, info));
  const isCore = (i) => classes[i].role === 'core';

  const members = new Set();
  const left = [];
  let refusal = null;
  graph.atoms.forEach((atom, i) => {
    const found = classes[i];
    const touches = atom.neighbours.some(isCore);
    if (found.role === 'core' || (found.role === 'pendant' && touches)) {
      members.add(i);
    } else if (found.role === 'odd' && touches) {
      refusal ??= { code: 'group', group: found.group, atom: i, symbol: atom.symbol };
    } else {
      left.push({ atom: i, reason: found.role === 'left' ? found.reason : 'not-conjugated' });
    }
  });
  if (refusal) return { refusal };
  if (members.size === 0) return { refusal: { code: 'no-pi' } };
  if (members.size > MAX_ATOMS) return { refusal: { code: 'too-many', count: members.size, limit: MAX_ATOMS } };

  const order = [...members];
  const atoms = order.map((i) => {
    const kind = classes[i].kind;
    return { atom: i, kind, symbol: graph.atoms[i].symbol, electrons: KINDS[kind].electrons };
  });
  return {
    atoms,
    bonds: systemBonds(graph, order),
    electrons: atoms.reduce((sum, a) => sum + a.electrons, 0),
    leftOut: left,
    hydrogens: graph.atoms.reduce((sum, a) => sum + a.hydrogens, 0),
    components: countComponents(graph, members),
  };
}

// The bonds between π atoms, as positions in `order`, sorted by their
// numbers, lower number first.
function systemBonds(graph, order) {
  const position = new Map(order.map((atom, p) => [atom, p]));
  const bonds = [];
  graph.bonds.forEach(({ i: a, j: b }, bond) => {
    if (!position.has(a) || !position.has(b)) return;
    const [i, j] = [position.get(a), position.get(b)].sort((x, y) => x - y);
    bonds.push({ i, j, bond });
  });
  return bonds.sort((x, y) => x.i - y.i || x.j - y.j);
}

// The same system numbered in the order the user chose: `order` lists the
// graph atoms of the system, the one to be number 1 first. Null unless it
// names each atom of the system exactly once.
export function renumber(system, graph, order) {
  const byAtom = new Map(system.atoms.map((a) => [a.atom, a]));
  if (
    order.length !== system.atoms.length ||
    new Set(order).size !== order.length ||
    !order.every((atom) => byAtom.has(atom))
  ) {
    return null;
  }
  return {
    ...system,
    atoms: order.map((atom) => byAtom.get(atom)),
    bonds: systemBonds(graph, order),
  };
}
