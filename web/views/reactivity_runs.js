// The reactivity indices of each analysed run, computed once: the
// localisation energies take a run of the program for every atom, so the
// views and the CSV save share one promise for each analysis. And what the
// structure panel knew of the atoms, when it wrote the answers run.

import { reactivityOf } from '../chemistry/reactivity.js';

const computed = new WeakMap();

// The indices of `analysis` (drawable), from runs of `module`.
export function reactivityFor(analysis, module) {
  if (!computed.has(analysis)) computed.set(analysis, reactivityOf(module, analysis));
  return computed.get(analysis);
}

// The π atoms of the run as the structure panel wrote them, by number:
// { hydrogens, electrons } (the hydrogens each carries, the π electrons
// each brings), or null when the answers did not come from a structure.
export function structureOf({ drawing, input, analysis }) {
  if (!drawing || drawing.input !== input || analysis === null) return null;
  const { points } = drawing;
  if (points.length !== analysis.solution.n || points.some((p) => p.hydrogens === undefined)) return null;
  return points.map(({ hydrogens, electrons }) => ({ hydrogens, electrons }));
}
