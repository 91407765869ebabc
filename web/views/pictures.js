// Turns each finished run into what the pictures show: the analysis of
// its record, then the 2D layout of the rebuilt molecule (the chemistry
// library is loaded for the first table, never before).

import { analyse } from '../chemistry/analysis.js';
import { layOut } from '../chemistry/layout.js';
import { readRecord } from '../program/record.js';

// Atoms on a circle, should the library refuse a graph.
function circle(n) {
  const radius = n / (2 * Math.PI);
  return Array.from({ length: n }, (_, a) => ({
    x: radius * Math.cos((2 * Math.PI * a) / n),
    y: radius * Math.sin((2 * Math.PI * a) / n),
  }));
}

// The structure panel's drawing of the molecule, when the run is of the
// answers it wrote from it and has as many atoms: the pictures are then
// drawn on the molecule as the user drew it (or as its SMILES was laid out
// there), not laid out anew.
function drawnLayout({ drawing, input }, analysis) {
  if (!drawing || drawing.input !== input || drawing.points.length !== analysis.solution.n) return null;
  return Object.assign(
    drawing.points.map((p) => ({ ...p })),
    { drawn: true },
  );
}

// The orbital first shown: the HOMO (its first orbital), else the first.
function homoOrFirst(analysis) {
  if (!analysis || analysis.problem !== null || analysis.occupied.homo === null) return 0;
  return analysis.occupied.sets[analysis.occupied.homo].orbitals[0];
}

export function connectPictures(session, loadLibrary) {
  // Layouts already made, by the bond graph they are made for.
  const layouts = new Map();
  function layoutFor({ solution: { n }, molecule: { bonds } }) {
    const key = `${n}:${bonds.map(({ i, j }) => `${i}-${j}`).join(',')}`;
    if (!layouts.has(key)) {
      layouts.set(
        key,
        loadLibrary()
          .then((library) => layOut(library, n, bonds))
          .catch((error) => {
            console.warn(error);
            return circle(n);
          }),
      );
    }
    return layouts.get(key);
  }

  const draw = async (state, changed) => {
    if (!changed.has('result')) return;
    const { record, line } = state.result;
    const analysis = record === null ? null : analyse(readRecord(record), line);
    const same = analysis && state.analysis && analysis.solution.n === state.analysis.solution.n;
    session.update({
      analysis,
      layout: null,
      selected: same ? Math.min(state.selected, analysis.solution.n - 1) : homoOrFirst(analysis),
    });
    if (analysis === null || analysis.problem !== null) return;
    const layout = drawnLayout(state, analysis) ?? (await layoutFor(analysis));
    if (state.analysis === analysis) session.update({ layout });
  };
  session.connect(draw);
  // A run shown before the pictures were connected is drawn at once.
  if (session.state.result) draw(session.state, new Set(['result']));
}
