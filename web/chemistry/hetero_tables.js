// The two published sets of heteroatom parameters the page offers, and the
// h and k values they give a π system found by pi_system.js.
//
// A heteroatom X takes α_X = α + h·β on the diagonal and a bond C–X the
// resonance integral β_CX = k·β, β < 0, so h and k are written into the
// program's matrix as they stand (a pyridine nitrogen: `1 1 0.5`). Carbon
// atoms, charged or not, keep h = 0 and k = 1 in both sets.
//
// Every value carries the sources it was read from and checked against;
// a value only one source gives is left out, and the molecule that needs
// it is refused with the table named rather than run with a guess.
//
// Sources (their full citations are in the message tables):
//   streitwieser-1961  A. Streitwieser, Molecular Orbital Theory for Organic
//                      Chemists (Wiley, 1961), p. 135, as commonly cited.
//   coulson            the parameter sets of the coulson Python package
//                      (digital-chemistry-laboratory/coulson,
//                      coulson/parameters.py): its STREITWIESER and
//                      VAN_CATLEDGE tables.
//   shokhirev          N. V. Shokhirev and F. A. Walker, HMO parameter table
//                      (2003), after Streitwieser p. 135 and Greenwood (1972);
//                      it prints −h, with α = 0 and β = −1.
//   van-catledge-1980  F. A. Van-Catledge, J. Org. Chem. 45, 4801 (1980),
//                      the values of A. Rauk, Orbital Interaction Theory of
//                      Organic Chemistry.
//   moha-rauk          the copy of those values in the theochem/
//                      ModelHamiltonian repository, moha/rauk/
//                      hx_dictionary.json and kxy_matrix_1.json, which store
//                      (E − α)/|β| = −h and −k; its atom names count σ
//                      neighbours (N2 is the pyridine nitrogen, N3 the
//                      pyrrole one).

import { KINDS } from './pi_kinds.js';

const S = ['streitwieser-1961', 'coulson', 'shokhirev'];
const VC = ['van-catledge-1980', 'moha-rauk', 'coulson'];

// Streitwieser tabulates k per bond (C=N, C–N, C=O, C–O), not per atom.
// Pyridinium's and pyrylium's ring bonds to N⁺ and O⁺ are the C=N and C=O
// bonds, whose 1.0 the second sources give for pyridine and the carbonyl
// group; h of N⁺ and O⁺ is in the Streitwieser and Shokhirev tables only.
const S_CHARGED = { h: ['streitwieser-1961', 'shokhirev'], k: ['streitwieser-1961', 'coulson'] };

const entry = (h, k, sources) => ({ h, k, sources: Array.isArray(sources) ? { h: sources, k: sources } : sources });

export const TABLES = {
  'streitwieser': {
    atoms: {
      'n-pyridine': entry(0.5, 1.0, S),
      'n-pyrrole': entry(1.5, 0.8, S),
      'n-plus': entry(2.0, 1.0, S_CHARGED),
      'o-carbonyl': entry(1.0, 1.0, S),
      'o-ether': entry(2.0, 0.8, S),
      'o-plus': entry(2.5, 1.0, S_CHARGED),
      'f': entry(3.0, 0.7, S),
      'cl': entry(2.0, 0.4, S),
      'br': entry(1.5, 0.3, S),
      'b': entry(-1.0, 0.7, S),
    },
    // Bonds between two heteroatoms (N–N, N–O): one source each at most.
    pairs: {},
  },
  'van-catledge': {
    atoms: {
      'b': entry(-0.45, 0.73, VC),
      'n-pyridine': entry(0.51, 1.02, VC),
      'n-pyrrole': entry(1.37, 0.89, VC),
      'o-carbonyl': entry(0.97, 1.06, VC),
      'o-ether': entry(2.09, 0.66, VC),
      'f': entry(2.71, 0.52, VC),
      'cl': entry(1.48, 0.62, VC),
      's-thione': entry(0.46, 0.81, VC),
      's-thiophene': entry(1.11, 0.69, VC),
    },
    // k of the bond between two heteroatoms, keyed by their kinds in
    // alphabetical order.
    pairs: pairTable(
      {
        'b': {
          'b': 0.87,
          'cl': 0.41,
          'f': 0.26,
          'n-pyridine': 0.66,
          'n-pyrrole': 0.53,
          'o-carbonyl': 0.6,
          'o-ether': 0.35,
          's-thione': 0.51,
          's-thiophene': 0.44,
        },
        'cl': {
          'cl': 0.68,
          'f': 0.51,
          'n-pyridine': 0.77,
          'n-pyrrole': 0.8,
          'o-carbonyl': 0.88,
          'o-ether': 0.7,
          's-thione': 0.52,
          's-thiophene': 0.59,
        },
        'f': {
          'f': 1.04,
          'n-pyridine': 0.65,
          'n-pyrrole': 0.77,
          'o-carbonyl': 0.92,
          'o-ether': 0.94,
          's-thione': 0.28,
          's-thiophene': 0.32,
        },
        'n-pyridine': {
          'n-pyridine': 1.09,
          'n-pyrrole': 0.99,
          'o-carbonyl': 1.14,
          'o-ether': 0.8,
          's-thione': 0.83,
          's-thiophene': 0.78,
        },
        'n-pyrrole': { 'n-pyrrole': 0.98, 'o-carbonyl': 1.13, 'o-ether': 0.89, 's-thione': 0.68, 's-thiophene': 0.73 },
        'o-carbonyl': { 'o-carbonyl': 1.26, 'o-ether': 1.02, 's-thione': 0.84, 's-thiophene': 0.85 },
        'o-ether': { 'o-ether': 0.95, 's-thione': 0.43, 's-thiophene': 0.54 },
        's-thione': { 's-thione': 0.68, 's-thiophene': 0.58 },
        's-thiophene': { 's-thiophene': 0.63 },
      },
      VC,
    ),
  },
};

export const TABLE_IDS = Object.keys(TABLES);
export const DEFAULT_TABLE = 'streitwieser';

function pairTable(rows, sources) {
  const pairs = {};
  for (const [first, row] of Object.entries(rows)) {
    for (const [second, k] of Object.entries(row)) pairs[pairKey(first, second)] = { k, sources };
  }
  return pairs;
}

function pairKey(first, second) {
  return first < second ? `${first}|${second}` : `${second}|${first}`;
}

const CARBON_ATOM = { h: 0, sources: [] };
const CARBON_BOND = { k: 1, sources: [] };

// The h of each atom and the k of each bond of `system` under the table
// `tableId`: { atoms: [{ h, sources }], bonds: [{ k, sources }] }, in the
// system's order; or { refusal } naming the first atom (by its number)
// or bond whose kind the table has no values for.
export function parametersFor(system, tableId) {
  const table = TABLES[tableId];
  if (!table) return { refusal: { code: 'unknown-table', table: tableId } };
  const atomValues = [];
  for (const [position, atom] of system.atoms.entries()) {
    if (KINDS[atom.kind].carbon) {
      atomValues.push(CARBON_ATOM);
      continue;
    }
    const found = table.atoms[atom.kind];
    if (!found) {
      return {
        refusal: { code: 'kind-missing', table: tableId, kind: atom.kind, number: position + 1, atom: atom.atom },
      };
    }
    atomValues.push({ h: found.h, sources: found.sources.h });
  }
  const bondValues = [];
  for (const { i: p, j: q } of system.bonds) {
    const [first, second] = [system.atoms[p].kind, system.atoms[q].kind];
    const [firstCarbon, secondCarbon] = [KINDS[first].carbon, KINDS[second].carbon];
    if (firstCarbon && secondCarbon) {
      bondValues.push(CARBON_BOND);
    } else if (firstCarbon || secondCarbon) {
      const hetero = table.atoms[firstCarbon ? second : first];
      bondValues.push({ k: hetero.k, sources: hetero.sources.k });
    } else {
      const pair = table.pairs[pairKey(first, second)];
      if (!pair) {
        return { refusal: { code: 'bond-missing', table: tableId, kinds: [first, second], numbers: [p + 1, q + 1] } };
      }
      bondValues.push(pair);
    }
  }
  return { atoms: atomValues, bonds: bondValues };
}
