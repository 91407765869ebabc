// From a SMILES to the answers the program reads: the π-system finder,
// the parameter tables and the answers writer, checked against the
// bundled answer files and against the chemistry of each case.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { describe, test } from 'node:test';
import OCL from 'openchemlib';

import { formatValue, quoteName } from '../../../web/chemistry/answers_writer.js';
import { TABLES } from '../../../web/chemistry/hetero_tables.js';
import { moleculeToGraph } from '../../../web/chemistry/molecule_graph.js';
import { findPiSystem, renumber } from '../../../web/chemistry/pi_system.js';
import { answersFor } from '../../../web/chemistry/structure.js';
import { runProgram } from '../../../web/program/run.js';
import { built, missing } from '../program/built.mjs';
import { codePage } from '../program/code_page.mjs';

const root = new URL('../../../', import.meta.url);
const make = (input, table = 'streitwieser', { name = input, order = null } = {}) =>
  answersFor(input, { library: OCL, codePage, table, order, name });
const graphOf = (smiles) => moleculeToGraph(OCL.Molecule.fromSmiles(smiles), OCL.Molecule);

// An answer file read back: the counts, the bonds as a set of unordered
// pairs, the triples by element, the name and the last line.
function parse(text) {
  const lines = text.split('\n').filter((line) => line !== '');
  const [name, atoms, bonds, electrons, hetero] = lines;
  const nb = Number(bonds);
  const pair = (a, b) => [Number(a), Number(b)].sort((x, y) => x - y).join('-');
  const bondSet = new Set(lines.slice(5, 5 + nb).map((l) => pair(...l.split(/\s+/))));
  const triples = new Map(
    lines.slice(5 + nb, 5 + nb + Number(hetero)).map((l) => {
      const [i, j, v] = l.split(/\s+/);
      return [pair(i, j), Number(v)];
    }),
  );
  return {
    name,
    atoms: Number(atoms),
    bonds: nb,
    electrons: Number(electrons),
    bondSet,
    triples,
    rest: lines.length - 5 - nb - Number(hetero),
  };
}

const example = (name) => parse(readFileSync(new URL(`examples/${name}.txt`, root), 'latin1'));

describe('the bundled examples from their SMILES', () => {
  // Naphthalene's SMILES numbers the ring-fusion atoms 4 and 9; the
  // example numbers the perimeter first and the fusion atoms 9 and 10.
  const cases = [
    ['benzene', 'c1ccccc1'],
    ['butadiene', 'C=CC=C'],
    ['naphthalene', 'c1ccc2ccccc2c1', [9, 0, 1, 2, 4, 5, 6, 7, 3, 8]],
    ['pyridine', 'n1ccccc1'],
    ['pyrrole', '[nH]1cccc1'],
    ['allyl', '[CH2]C=C'], // the example's three electrons are the radical's
  ];
  for (const [name, smiles, order] of cases) {
    test(name, () => {
      const result = make(smiles, 'streitwieser', { name, order });
      assert.ok(result.answers, JSON.stringify(result.refusal));
      const got = parse(result.answers.text);
      const want = example(name);
      assert.deepEqual({ ...got, name: got.name.slice(1, -1) }, want);
    });
  }

  test('the name quoted stores what the unquoted example name stores', () => {
    const { answers } = make('n1ccccc1', 'streitwieser', { name: 'pyridine' });
    assert.deepEqual(answers.bytes, codePage.encode(answers.text));
    assert.equal(answers.text, "'pyridine'\n6\n6\n6\n1\n1 2\n1 6\n2 3\n3 4\n4 5\n5 6\n1 1 0.5\nx\n");
  });
});

describe('π systems and their parameters', () => {
  // smiles, table, atoms, bonds, electrons, triples as "i-j value"
  const cases = [
    ['O=CC=C', 'streitwieser', 4, 3, 4, { '1-1': 1.0 }],
    ['O=CC=C', 'van-catledge', 4, 3, 4, { '1-1': 0.97, '1-2': 1.06 }],
    ['[CH2+]C=C', 'streitwieser', 3, 2, 2, {}],
    ['[CH2]C=C', 'streitwieser', 3, 2, 3, {}],
    ['[CH2-]C=C', 'streitwieser', 3, 2, 4, {}],
    ['[cH-]1cccc1', 'streitwieser', 5, 5, 6, {}],
    ['c1cccc1', 'streitwieser', 5, 5, 5, {}], // cyclopentadienyl radical
    ['[cH+]1cccccc1', 'streitwieser', 7, 7, 6, {}], // tropylium
    ['Clc1ccccc1', 'streitwieser', 7, 7, 8, { '1-1': 2.0, '1-2': 0.4 }],
    ['Clc1ccccc1', 'van-catledge', 7, 7, 8, { '1-1': 1.48, '1-2': 0.62 }],
    ['Brc1ccccc1', 'streitwieser', 7, 7, 8, { '1-1': 1.5, '1-2': 0.3 }],
    ['Fc1ccccc1', 'van-catledge', 7, 7, 8, { '1-1': 2.71, '1-2': 0.52 }],
    ['Nc1ccccc1', 'streitwieser', 7, 7, 8, { '1-1': 1.5, '1-2': 0.8 }], // aniline
    ['COc1ccccc1', 'streitwieser', 7, 7, 8, { '1-1': 2.0, '1-2': 0.8 }], // anisole: the methyl left out, O is 1
    ['o1cccc1', 'streitwieser', 5, 5, 6, { '1-1': 2.0, '1-2': 0.8, '1-5': 0.8 }], // furan
    ['s1cccc1', 'van-catledge', 5, 5, 6, { '1-1': 1.11, '1-2': 0.69, '1-5': 0.69 }], // thiophene
    ['c1cc[nH+]cc1', 'streitwieser', 6, 6, 6, { '4-4': 2.0 }], // pyridinium
    ['c1cc[o+]cc1', 'streitwieser', 6, 6, 6, { '4-4': 2.5 }], // pyrylium
    ['N#Cc1ccccc1', 'streitwieser', 8, 8, 8, { '1-1': 0.5 }], // benzonitrile
    ['C#CC=C', 'streitwieser', 4, 3, 4, {}], // one p orbital per atom of the triple bond
    ['c1cn[nH]c1', 'van-catledge', 5, 5, 6, { '3-3': 0.51, '4-4': 1.37, '2-3': 1.02, '3-4': 0.99, '4-5': 0.89 }],
    ['B(C)(C)c1ccccc1', 'streitwieser', 7, 7, 6, { '1-1': -1.0, '1-2': 0.7 }], // boron's empty p orbital
    ['[NH3+]c1ccccc1', 'streitwieser', 6, 6, 6, {}], // anilinium: no lone pair left
    ['C=CCC=C', 'streitwieser', 4, 2, 4, {}], // two separate double bonds
    ['c1ccccc1.[Na+]', 'streitwieser', 6, 6, 6, {}],
    ['C=[N+](C)C', 'streitwieser', 2, 1, 2, { '2-2': 2.0 }], // iminium: N⁺ with a double bond
    ['C=[O+]C', 'streitwieser', 2, 1, 2, { '2-2': 2.5 }], // oxonium: O⁺ with a double bond
    ['S=C(C)C', 'van-catledge', 2, 1, 2, { '1-1': 0.46, '1-2': 0.81 }], // thioketone
    ['CB(C)C=C', 'streitwieser', 3, 2, 2, { '1-1': -1.0, '1-2': 0.7 }], // boron's empty p orbital, off a ring
  ];
  for (const [smiles, table, atoms, bonds, electrons, triples] of cases) {
    test(`${smiles} with ${table}`, async () => {
      const result = make(smiles, table);
      assert.ok(result.answers, JSON.stringify(result.refusal));
      const got = parse(result.answers.text);
      assert.deepEqual([got.atoms, got.bonds, got.electrons], [atoms, bonds, electrons]);
      assert.deepEqual(Object.fromEntries(got.triples), triples);
      // The program takes the answers to the end (where it is built).
      if (!missing('program'))
        assert.equal((await runProgram(await built('program'), result.answers.bytes, true)).status, 0);
    });
  }

  test('what is left out, and why', () => {
    const toluene = findPiSystem(graphOf('Cc1ccccc1'));
    assert.deepEqual(toluene.leftOut, [{ atom: 0, reason: 'saturated' }]);
    assert.equal(toluene.hydrogens, 8);
    const ethers = findPiSystem(graphOf('COCC=C'));
    assert.deepEqual(ethers.leftOut, [
      { atom: 0, reason: 'saturated' },
      { atom: 1, reason: 'not-conjugated' },
      { atom: 2, reason: 'saturated' },
    ]);
    const explicitH = findPiSystem(graphOf('[2H]C=C'));
    assert.deepEqual(explicitH.leftOut, [{ atom: 0, reason: 'hydrogen' }]);
    assert.equal(findPiSystem(graphOf('C=CCC=C')).components, 2);
    for (const [smiles, reason] of [
      ['C=C[NH3+]', 'saturated'],
      ['C=C[OH2+]', 'saturated'],
      ['C=C[SiH3]', 'not-conjugated'],
    ])
      assert.deepEqual(findPiSystem(graphOf(smiles)).leftOut, [{ atom: 2, reason }], smiles);
  });
});

describe('refusals', () => {
  const cases = [
    [
      's1cccc1',
      'streitwieser',
      { code: 'kind-missing', table: 'streitwieser', kind: 's-thiophene', number: 1, atom: 0 },
    ],
    ['Ic1ccccc1', 'van-catledge', { code: 'kind-missing', table: 'van-catledge', kind: 'i', number: 1, atom: 0 }],
    [
      'c1ccc[nH+]c1',
      'van-catledge',
      { code: 'kind-missing', table: 'van-catledge', kind: 'n-plus', number: 5, atom: 4 },
    ],
    [
      'c1cn[nH]c1',
      'streitwieser',
      { code: 'bond-missing', table: 'streitwieser', kinds: ['n-pyridine', 'n-pyrrole'], numbers: [3, 4] },
    ],
    [`[CH2]${'C=C'.repeat(15)}`, 'streitwieser', { code: 'too-many', count: 31, limit: 30 }],
    ['[Xe]', 'streitwieser', { code: 'no-pi' }],
    ['CCO', 'streitwieser', { code: 'no-pi' }],
    ['c1cc', 'streitwieser', { code: 'smiles-unreadable', position: 4 }],
    ['c1cc(', 'streitwieser', { code: 'smiles-unreadable', position: 5 }],
    ['CX', 'streitwieser', { code: 'smiles-unreadable', position: 1 }],
    ['[O-][N+](=O)c1ccccc1', 'streitwieser', { code: 'group', group: 'nitro', atom: 1, symbol: 'N' }],
    ['O=[N+]([O-])C', 'streitwieser', { code: 'group', group: 'nitro', atom: 1, symbol: 'N' }],
    ['C=C=C', 'streitwieser', { code: 'group', group: 'cumulene', atom: 1, symbol: 'C' }],
    ['[CH]C=C', 'streitwieser', { code: 'group', group: 'radical', atom: 0, symbol: 'C' }],
    ['[O-]c1ccccc1', 'streitwieser', { code: 'group', group: 'charge', atom: 0, symbol: 'O' }],
    ['CS(=O)(=O)c1ccccc1', 'van-catledge', { code: 'group', group: 'hypervalent', atom: 1, symbol: 'S' }],
    ['[SiH3]C=C', 'streitwieser', null], // a silyl group is a saturated substituent
    ['Ic1ccccc1', 'streitwieser', { code: 'kind-missing', table: 'streitwieser', kind: 'i', number: 1, atom: 0 }],
    // Each kind of atom the model has no place for, and its neighbours
    // that it has.
    ['[CH+]=C', 'streitwieser', { code: 'group', group: 'charge', atom: 0, symbol: 'C' }], // vinyl cation
    ['[CH]=C', 'streitwieser', { code: 'group', group: 'charge', atom: 0, symbol: 'C' }], // vinyl radical
    ['C=C[C+2]', 'streitwieser', { code: 'group', group: 'charge', atom: 2, symbol: 'C' }],
    ['C=C[CH-]', 'streitwieser', { code: 'group', group: 'charge', atom: 2, symbol: 'C' }], // a carbene anion
    ['C=C[N+]#N', 'streitwieser', { code: 'group', group: 'charge', atom: 2, symbol: 'N' }], // diazonium
    ['C=CN=[N+]=[N-]', 'streitwieser', { code: 'group', group: 'nitro', atom: 3, symbol: 'N' }], // azide
    ['C=C[S-]', 'streitwieser', { code: 'group', group: 'charge', atom: 2, symbol: 'S' }],
    ['C=C[S+](C)C', 'streitwieser', { code: 'group', group: 'charge', atom: 2, symbol: 'S' }],
    ['C=C[BH-](C)C', 'streitwieser', { code: 'group', group: 'charge', atom: 2, symbol: 'B' }],
    ['C=C[Cl+]C', 'streitwieser', { code: 'group', group: 'charge', atom: 2, symbol: 'Cl' }],
    ['c1cc[se]c1', 'streitwieser', { code: 'group', group: 'element', atom: 3, symbol: 'Se' }],
    ['C=C[O]', 'streitwieser', { code: 'group', group: 'radical', atom: 2, symbol: 'O' }],
    ['C=CN=C=O', 'streitwieser', { code: 'group', group: 'cumulene', atom: 3, symbol: 'C' }], // isocyanate
    ['CN(=O)=O', 'streitwieser', { code: 'group', group: 'nitro', atom: 1, symbol: 'N' }], // written without charges
    ['C=[N+]=C', 'streitwieser', { code: 'group', group: 'charge', atom: 1, symbol: 'N' }],
    ['C=C[S+]=C', 'streitwieser', { code: 'group', group: 'charge', atom: 2, symbol: 'S' }],
    ['C=C[OH2+]', 'streitwieser', null], // an oxonium without a double bond is saturated
    ['C=C[N+](C)(C)C', 'streitwieser', null], // and so is an ammonium
    ['C=NC', 'streitwieser', null], // an imine's nitrogen
    ['C=CB1C=CC=C1', 'streitwieser', null],
    ['C=C'.repeat(15), 'streitwieser', null], // 30 atoms: as many as the program takes
    ['title\nno counts line\n', 'streitwieser', { code: 'molfile-unreadable' }],
    ['C=C', 'hueckel', { code: 'unknown-table', table: 'hueckel' }],
  ];
  for (const [smiles, table, refusal] of cases) {
    test(`${smiles.length > 24 ? `${smiles.slice(0, 24)}…` : smiles} with ${table}`, () => {
      assert.deepEqual(make(smiles, table).refusal ?? null, refusal);
    });
  }

  test('the bonds are written in order of their first atom, then their second', () => {
    assert.equal(
      make('C(=C)(C=C)C=C', 'streitwieser', { name: 'p' }).answers.text,
      "'p'\n6\n5\n6\n0\n1 2\n1 3\n1 5\n3 4\n5 6\nx\n",
    );
  });

  test('a renumbering must name each atom of the system once', () => {
    const graph = moleculeToGraph(OCL.Molecule.fromSmiles('C=CC=C'), OCL.Molecule);
    const system = findPiSystem(graph);
    for (const order of [
      [0, 1, 2],
      [0, 1, 2, 2],
      [0, 1, 2, 9],
      [3, 2, 1, 0, 0],
    ]) {
      assert.equal(renumber(system, graph, order), null, String(order));
    }
    assert.deepEqual(
      renumber(system, graph, [3, 2, 1, 0]).bonds.map(({ i, j }) => [i, j]),
      [
        [0, 1],
        [1, 2],
        [2, 3],
      ],
    );
  });
});

describe('the parameter tables', () => {
  for (const [id, table] of Object.entries(TABLES)) {
    test(`${id}: every value from two sources at least`, () => {
      for (const [kind, { sources }] of Object.entries(table.atoms))
        assert.ok(sources.h.length >= 2 && sources.k.length >= 2, kind);
      for (const [pair, { k, sources }] of Object.entries(table.pairs))
        assert.ok(k > 0 && k < 2 && sources.length >= 2, pair);
    });
  }
  test('Van-Catledge gives every bond between two of its heteroatoms', () => {
    const kinds = Object.keys(TABLES['van-catledge'].atoms);
    assert.equal(Object.keys(TABLES['van-catledge'].pairs).length, (kinds.length * (kinds.length + 1)) / 2);
  });
});

describe('the name line', () => {
  const cases = [
    ['benzene', "'benzene'"],
    ["Streitwieser's set", "'Streitwieser''s set'"],
    ['a, b / c', "'a, b / c'"],
    ['line\r\nend\ttab', "'line  end tab'"],
    ['x'.repeat(45), `'${'x'.repeat(40)}'`],
    // 39 bytes, then a two-byte character that would not fit whole
    [`${'y'.repeat(39)}ベンゼン`, `'${'y'.repeat(39)}'`],
    ['ベンゼン'.repeat(6), `'${'ベンゼン'.repeat(5)}'`],
    ["'".repeat(41), `'${"''".repeat(40)}'`],
    ['', "''"],
    ['a\u001fb\u007fc', "'a b c'"],
  ];
  for (const [name, quoted] of cases) {
    test(JSON.stringify(name), () => assert.deepEqual(quoteName(name, codePage), { text: quoted }));
  }
  test('a character code page 932 has not got is refused by name', () => {
    assert.deepEqual(quoteName('benzene 🙂', codePage), { refusal: { code: 'name-unencodable', character: '🙂' } });
  });
  test('values are written as the real reader takes them', () => {
    assert.deepEqual([2, 0.5, 0.51, -1, -0.45, 1.06].map(formatValue), ['2.0', '0.5', '0.51', '-1.0', '-0.45', '1.06']);
  });
});

describe('answersFor, from any structure to the answers', () => {
  test('a molfile and the library molecule give the answers the SMILES gives', () => {
    const want = make('n1ccccc1', 'streitwieser', { name: 'pyridine' }).answers.text;
    const molecule = OCL.Molecule.fromSmiles('n1ccccc1');
    assert.equal(make(molecule.toMolfile(), 'streitwieser', { name: 'pyridine' }).answers.text, want);
    assert.equal(make(molecule, 'streitwieser', { name: 'pyridine' }).answers.text, want);
  });

  test('a molfile with aromatic bonds (type 4) gives the answers of its Kekulé structure', () => {
    // The atoms on a line: the answers take only the bonds.
    const atoms = [0, 1, 2, 3, 4, 5].map((a) => `${a.toFixed(4).padStart(10)}    0.0000    0.0000 C   0  0  0  0`);
    const bonds = [1, 2, 3, 4, 5, 6].map((a) => `${String(a).padStart(3)}${String((a % 6) + 1).padStart(3)}  4  0`);
    const counts = '  6  6  0  0  0  0  0  0  0  0999 V2000';
    const molfile = ['benzene', '', '', counts, ...atoms, ...bonds, 'M  END'].join('\n');
    const benzene = (input) => make(input, 'streitwieser', { name: 'benzene' }).answers.text;
    assert.equal(benzene(molfile), benzene('c1ccccc1'));
  });

  test('the notes say the size, each heteroatom and bond with its sources, and what was left out', () => {
    const sources = ['streitwieser-1961', 'coulson', 'shokhirev'];
    assert.deepEqual(make('COc1ccccc1').notes, [
      { note: 'system', atoms: 7, bonds: 7, electrons: 8 },
      { note: 'atom', number: 1, kind: 'o-ether', electrons: 2, h: 2, sources },
      { note: 'bond', i: 1, j: 2, k: 0.8, sources },
      { note: 'left', reason: 'saturated', count: 1 },
      { note: 'hydrogens', count: 8 },
    ]);
    // A table that refuses the system still leaves its size said.
    assert.deepEqual(make('c1ccc[nH+]c1', 'van-catledge').notes, [
      { note: 'system', atoms: 6, bonds: 6, electrons: 6 },
      { note: 'hydrogens', count: 6 },
    ]);
    assert.deepEqual(make('C=CCC=C').notes.at(-1), { note: 'components', count: 2 });
    assert.ok(!make('ClC(Cl)=C(Cl)Cl').notes.some(({ note }) => note === 'hydrogens'));
  });

  test('a refusal keeps what came before it, for the drawing', () => {
    const nitro = make('[O-][N+](=O)c1ccccc1');
    assert.equal(nitro.graph.atoms.length, 9);
    assert.equal(nitro.found, undefined);
    const badOrder = make('C=CC=C', 'streitwieser', { order: [0, 0, 1, 2] });
    assert.deepEqual(badOrder.refusal, { code: 'link-order' });
    assert.equal(badOrder.found.atoms.length, 4);
    assert.equal(make('C=CC=C', 'streitwieser', { order: [3, 2, 1, 0] }).system.atoms[0].atom, 3);
  });
});
