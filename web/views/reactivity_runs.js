// The reactivity indices of each analysed run, computed once: the
// localisation energies take a run of the program for every atom, so the
// views and the CSV save share one promise for each analysis.

import { reactivityOf } from '../chemistry/reactivity.js';

const computed = new WeakMap();

// The indices of `analysis` (drawable), from runs of `module`.
export function reactivityFor(analysis, module) {
  if (!computed.has(analysis)) computed.set(analysis, reactivityOf(module, analysis));
  return computed.get(analysis);
}
