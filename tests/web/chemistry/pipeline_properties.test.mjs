// Properties of the structure pipeline over generated inputs (fast-check):
// random molecular graphs written as SMILES, random link fragments, and
// the round trip of a structure through its link. The number of cases is
// ORBCALC_PROPERTY_RUNS (a few hundred by default; a long campaign sets
// more). A failure prints the smallest counterexample found.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import fc from 'fast-check';
import OCL from 'openchemlib';

import { TABLE_IDS } from '../../../web/chemistry/hetero_tables.js';
import { answersFragment, readFragment, structureFragment } from '../../../web/chemistry/link_codec.js';
import { answersFor } from '../../../web/chemistry/structure.js';
import { translator } from '../../../web/i18n/i18n.js';
import { refusalSentence } from '../../../web/i18n/structure_sentences.js';
import { tableIsPrinted } from '../../../web/program/record.js';
import { runProgram } from '../../../web/program/run.js';
import { built, missing } from '../program/built.mjs';
import { codePage } from '../program/code_page.mjs';

const runs = Number(process.env.ORBCALC_PROPERTY_RUNS ?? 300);
const settings = { numRuns: runs };
const t = translator('en');
const make = (smiles, table = 'streitwieser', order = null, name = 'p') =>
  answersFor(smiles, { library: OCL, codePage, table, order, name });

// A molecular graph: a random tree of atoms and a few more bonds closing
// rings, each bond single, double or triple as far as both atoms' usual
// valence allows (a random graph that ignores valence is nearly always
// refused), and now and then a charge.
const VALENCE = { 6: 4, 7: 3, 8: 2, 16: 2, 5: 3, 9: 1, 17: 1, 35: 1, 53: 1, 14: 4 };
const ELEMENTS = [6, 6, 6, 6, 6, 6, 6, 6, 7, 7, 8, 8, 16, 5, 9, 17, 35, 53, 14];
const CHARGES = [...Array(40).fill(0), 1, -1];
const graph = fc.integer({ min: 1, max: 16 }).chain((n) =>
  fc.record({
    atoms: fc.array(fc.record({ element: fc.constantFrom(...ELEMENTS), charge: fc.constantFrom(...CHARGES) }), {
      minLength: n,
      maxLength: n,
    }),
    parents: fc.array(fc.nat(), { minLength: n, maxLength: n }),
    orders: fc.array(fc.constantFrom(1, 1, 2, 2, 3), { minLength: n + 3, maxLength: n + 3 }),
    rings: fc.array(fc.tuple(fc.nat(n - 1), fc.nat(n - 1)), { maxLength: 3 }),
  }),
);

function smilesOf({ atoms, parents, orders, rings }) {
  const molecule = new OCL.Molecule(0, 0);
  const free = atoms.map(({ element }) => VALENCE[element]);
  for (const { element, charge } of atoms) molecule.setAtomCharge(molecule.addAtom(element), charge);
  const bonds = [...atoms.slice(1).map((_, k) => [k + 1, parents[k + 1] % (k + 1)]), ...rings];
  const seen = new Set();
  bonds.forEach(([a, b], k) => {
    const key = [a, b].sort().join();
    const order = Math.min(orders[k], free[a], free[b]);
    if (a === b || order === 0 || seen.has(key)) return;
    seen.add(key);
    free[a] -= order;
    free[b] -= order;
    molecule.setBondOrder(molecule.addBond(a, b), order);
  });
  return molecule.toSmiles();
}

// What a refusal says, which must be a sentence with every field filled.
function assertSentence(refusal) {
  const sentence = refusalSentence(refusal, t);
  assert.ok(sentence.length > 0 && !/\{\w+\}|undefined|NaN/.test(sentence), `${refusal.code}: ${sentence}`);
}

describe('the structure pipeline over generated inputs', { skip: missing('program') }, () => {
  test('a SMILES the library reads gives answers that run to the end, or a refusal', async (t) => {
    const module = await built('program');
    const counts = { cases: 0, read: 0, ran: 0 };
    await fc.assert(
      fc.asyncProperty(graph, fc.constantFrom(...TABLE_IDS), async (drawn, table) => {
        counts.cases += 1;
        const made = make(smilesOf(drawn), table);
        if (made.refusal?.code !== 'smiles-unreadable') counts.read += 1;
        if (made.refusal) return assertSentence(made.refusal);
        const run = await runProgram(module, made.answers.bytes, true);
        assert.equal(run.status, 0, made.answers.text);
        assert.ok(tableIsPrinted(run.line));
        counts.ran += 1;
      }),
      settings,
    );
    t.diagnostic(`${counts.cases} graphs: ${counts.read} read by the library, ${counts.ran} run`);
  });

  test('any fragment gives something to run or a refusal sentence', () => {
    const fragment = fc.oneof(
      fc.string(),
      fc.string({ unit: 'binary' }),
      fc
        .tuple(fc.constantFrom('smiles=', 'answers=', 'table=', 'order=', 'name=', '&'), fc.string())
        .map(([key, value]) => key + value),
      fc.tuple(graph, fc.string()).map(([drawn, rest]) => `smiles=${encodeURIComponent(smilesOf(drawn))}${rest}`),
    );
    fc.assert(
      fc.property(fragment, (hash) => {
        const link = readFragment(hash, TABLE_IDS);
        if (link.kind === 'refused') return assertSentence(link.refusal);
        if (link.kind !== 'structure') return;
        const made = make(link.smiles, link.table ?? undefined, link.order, link.name);
        if (made.refusal) assertSentence(made.refusal);
      }),
      settings,
    );
  });

  test("a structure's answers, through its link and back, are the same answers", () => {
    fc.assert(
      fc.property(graph, fc.constantFrom(...TABLE_IDS), fc.string({ maxLength: 12 }), (drawn, table, name) => {
        const smiles = smilesOf(drawn);
        const made = make(smiles, table, null, name);
        if (made.refusal) return;
        const order = made.system.atoms.map(({ atom }) => atom).reverse();
        const reordered = make(smiles, table, order, name);
        const link = readFragment(structureFragment({ smiles, table, name, order }).fragment, TABLE_IDS);
        const back = make(link.smiles, link.table, link.order, link.name);
        assert.deepEqual(back.answers, reordered.answers);
        const carried = readFragment(answersFragment(made.answers.bytes).fragment, TABLE_IDS);
        assert.deepEqual(carried.bytes, made.answers.bytes);
      }),
      settings,
    );
  });
});
