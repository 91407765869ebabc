// From a structure to the answers the program reads, in one step: the
// molecule is read (a SMILES or a molfile, or a molecule the chemistry
// library already holds), its π system found and numbered, its parameters
// taken from a table and the answers written. The library and the code
// page are handed in, never imported, so that the same function runs in
// the page (with the copy shipped there) and under node.

import { writeAnswers } from './answers_writer.js';
import { DEFAULT_TABLE, parametersFor } from './hetero_tables.js';
import { moleculeToGraph, smilesRefusal } from './molecule_graph.js';
import { findPiSystem, renumber } from './pi_system.js';

// A molfile or SD record has lines; a SMILES has none.
const isMolfile = (text) => /[\r\n]/.test(text.trim());

// The library's molecule for `input` with 2D coordinates, or a refusal.
function readMolecule(library, input) {
  if (typeof input !== 'string') return { molecule: input };
  if (isMolfile(input)) {
    // The library reads lines it cannot make sense of as no atoms at all,
    // without an error.
    const molecule = library.Molecule.fromMolfile(input);
    return molecule.getAllAtoms() > 0 ? { molecule } : { refusal: { code: 'molfile-unreadable' } };
  }
  let molecule;
  try {
    molecule = library.Molecule.fromSmiles(input.trim(), { noCoordinates: true });
  } catch (error) {
    return { refusal: smilesRefusal(error) };
  }
  molecule.inventCoordinates({ skipDefaultTemplates: true });
  return { molecule };
}

// What the page says beside the answers, as data: the system's size, each
// heteroatom and non-standard bond with its source, what was left out.
// `parameters` is null when the table refused the system.
function notesOf(system, parameters) {
  const notes = [
    { note: 'system', atoms: system.atoms.length, bonds: system.bonds.length, electrons: system.electrons },
  ];
  if (parameters) {
    system.atoms.forEach(({ kind, electrons }, p) => {
      if (kind === 'carbon') return;
      const { h, sources } = parameters.atoms[p];
      notes.push({ note: 'atom', number: p + 1, kind, electrons, h, sources });
    });
    system.bonds.forEach(({ i, j }, b) => {
      const { k, sources } = parameters.bonds[b];
      if (k !== 1) notes.push({ note: 'bond', i: i + 1, j: j + 1, k, sources });
    });
  }
  const left = new Map();
  for (const { reason } of system.leftOut) left.set(reason, (left.get(reason) ?? 0) + 1);
  for (const [reason, count] of left) notes.push({ note: 'left', reason, count });
  if (system.hydrogens > 0) notes.push({ note: 'hydrogens', count: system.hydrogens });
  if (system.components > 1) notes.push({ note: 'components', count: system.components });
  return notes;
}

// `input` a SMILES, a molfile or a library molecule; `library` the
// chemistry library (OpenChemLib); `codePage` the code page 932 table;
// `table` a parameter table's id; `order` the graph atoms in the order of
// their numbers, or null for the molecule's own order; `name` the compound
// name. Returns what was found as far as it got:
//   { molecule, graph, found, system, parameters, notes, answers: { text, bytes } }
// or, where something stopped it, { refusal: { code, ... } } with whatever
// came before (a refused molecule is still drawn).
export function answersFor(input, { library, codePage, table = DEFAULT_TABLE, order = null, name = 'orbcalc' }) {
  const read = readMolecule(library, input);
  if (read.refusal) return read;
  const { molecule } = read;
  const graph = moleculeToGraph(molecule, library.Molecule);
  const found = findPiSystem(graph);
  if (found.refusal) return { refusal: found.refusal, molecule, graph };
  const system = order ? renumber(found, graph, order) : found;
  if (!system) return { refusal: { code: 'link-order' }, molecule, graph, found };
  const parameters = parametersFor(system, table);
  const taken = parameters.refusal ? null : parameters;
  const so = { molecule, graph, found, system, parameters: taken, notes: notesOf(system, taken) };
  if (parameters.refusal) return { refusal: parameters.refusal, ...so };
  const answers = writeAnswers({ name, system, parameters }, codePage);
  return answers.refusal ? { refusal: answers.refusal, ...so } : { ...so, answers };
}
