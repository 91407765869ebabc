// Everything the pictures and the table show of one run, from its record:
// the solution, what keeps it from being drawn, the occupation, the rebuilt
// molecule and its π properties. Plain data in, plain data out.

import { hasKekuleStructure, rebuildMolecule } from './molecule.js';
import { occupy, problemOf } from './occupation.js';
import { piProperties } from './properties.js';
import { solutionOf, tableIsPrinted } from '../program/record.js';

// `record` as readRecord gives it, `line` the statement in progress at the
// end of the run. Null while the run has not printed its table.
export function analyse(record, line) {
  if (record === null || !tableIsPrinted(line)) return null;
  const solution = solutionOf(record);
  const problem = problemOf(solution);
  if (problem !== null) return { solution, problem };
  const occupied = occupy(solution);
  const molecule = rebuildMolecule(solution);
  const kekule = hasKekuleStructure(solution.n, molecule.neighbours);
  const properties = piProperties(solution, occupied.shared, molecule, occupied.gap, kekule);
  return { solution, problem: null, occupied, molecule, properties };
}
