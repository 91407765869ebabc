// One molecule, from what was read to its values: the answers (written
// from a structure, or given), the program's run on them, the properties
// and the indices, as rows; or the refusal that stopped it, with its code
// and its English sentence. The time each step took goes with the result.

import { analyse } from '../chemistry/analysis.js';
import { netChargeRows, propertyRows } from '../chemistry/properties.js';
import { INDICES, reactivityOf, reactivityRows } from '../chemistry/reactivity.js';
import { answersFor } from '../chemistry/structure.js';
import { translator } from '../i18n/i18n.js';
import { finishedSentence, problemSentence } from '../i18n/run_sentences.js';
import { refusalSentence } from '../i18n/structure_sentences.js';
import { readRecord } from '../program/record.js';
import { runProgram } from '../program/run.js';

const t = translator('en');
const LOCALISATION = INDICES.filter((q) => q.startsWith('localisation'));

function refused(refusal, sentence, more = {}) {
  return { refusal: { code: refusal.code, reason: sentence }, ...more };
}

// Why a run gave no values: its exit status, or the problem of its table.
function runRefusal({ status }, analysis) {
  if (status !== 0 || analysis === null) {
    return refused({ code: 'exit-status' }, finishedSentence(status, false, t));
  }
  return refused({ code: analysis.problem.problem }, problemSentence(analysis.problem, analysis.solution.n, t));
}

// `molecule` { name, input, answers } as inputs.js reads it; `context`
// { library, codePage, module, table, quantities }. Returns { rows } or
// { refusal: { code, reason } }, with `output` (the run's standard output)
// once the program ran, `answers` (text) when they were written from a
// structure, and `times` in milliseconds.
export async function computeMolecule({ name, input, answers: given }, context) {
  const { library, codePage, module, table, quantities } = context;
  const times = { structure: 0, program: 0, values: 0 };
  let start = performance.now();
  const lap = (step) => {
    const now = performance.now();
    times[step] += now - start;
    start = now;
  };
  let bytes = input;
  let structure = null;
  if (!given) {
    structure = answersFor(input, { library, codePage, table, name });
    lap('structure');
    if (structure.refusal) return { ...refused(structure.refusal, refusalSentence(structure.refusal, t)), times };
    bytes = structure.answers.bytes;
  }
  const answers = structure?.answers.text;
  const run = await runProgram(module, bytes, true);
  const output = run.stdout;
  const analysis = run.record === null ? null : analyse(readRecord(run.record), run.line);
  lap('program');
  if (run.status !== 0 || analysis === null || analysis.problem !== null) {
    return { ...runRefusal(run, analysis), output, answers, times };
  }
  const wanted = new Set(quantities);
  const electrons = structure?.system.atoms.map((atom) => atom.electrons);
  const localisation = LOCALISATION.some((q) => wanted.has(q));
  const rows = [
    ...propertyRows(analysis.properties),
    ...(electrons ? netChargeRows(analysis.properties, electrons) : []),
    ...reactivityRows(await reactivityOf(module, analysis, { localisation })),
  ].filter((row) => wanted.has(row.quantity));
  lap('values');
  return { rows, output, answers, times };
}
