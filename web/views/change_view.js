// What a change of one h or k does to the levels: the program runs the
// changed answers, and a correlation diagram joins the old levels to the
// new ones, with first-order estimates beside them. The changed answers
// can be saved, or run in the console as any others.

import { quoteName } from '../chemistry/answers_writer.js';
import { firstOrderLevels, moleculeAnswers, withChange } from '../chemistry/derived_answers.js';
import { degenerateSets } from '../chemistry/occupation.js';
import { solveMolecule } from '../chemistry/reactivity.js';
import { translator } from '../i18n/i18n.js';
import { finder, option } from './dom.js';
import { correlationScene } from './reactivity_scene.js';
import { drawSvg } from './scene.js';
import { hasPictures } from './session.js';

// The ranges a change may take: h of an atom, k of a bond.
const RANGES = { h: { min: -2, max: 3, step: 0.05 }, k: { min: 0, max: 2, step: 0.05 } };

// Four decimals, without a sign on a zero.
const fixed4 = (value) => (Math.abs(value) < 5e-5 ? 0 : value).toFixed(4);

// `run(bytes, name)` runs answers in the console; `save(data, name, type)`
// saves them.
export function connectChange(root, session, { run, save }) {
  const $ = finder(root);
  let changed = null; // the last change's { change, solution }, or null

  // The change the controls describe: { atom, h } or { i, j, k }, 0-based.
  function currentChange() {
    const [kind, a, b] = $('change-target').value.split('-');
    const value = $('change-value').valueAsNumber; // NaN while the field is empty
    return kind === 'h' ? { atom: Number(a), h: value } : { i: Number(a), j: Number(b), k: value };
  }

  function fillTargets({ analysis, language }) {
    const t = translator(language);
    const chosen = $('change-target').value;
    const { atoms, bonds } = analysis.molecule;
    $('change-target').replaceChildren(
      ...atoms.map(({ h }, r) => option(`h-${r}`, t('change.atom', { number: r + 1, h: h.toFixed(2) }))),
      ...bonds.map(({ i, j, k }) => option(`k-${i}-${j}`, t('change.bond', { i: i + 1, j: j + 1, k: k.toFixed(2) }))),
    );
    if ([...$('change-target').options].some((o) => o.value === chosen)) $('change-target').value = chosen;
  }

  // The slider and the number field at the chosen target's present value.
  function resetValue({ analysis }) {
    const [kind, a, b] = $('change-target').value.split('-');
    const { atoms, bonds } = analysis.molecule;
    const value =
      kind === 'h' ? atoms[Number(a)].h : bonds.find((bond) => bond.i === Number(a) && bond.j === Number(b)).k;
    for (const id of ['change-slider', 'change-value'])
      Object.assign($(id), RANGES[kind], { value: String(Number(value.toFixed(4))) });
  }

  function changedText(state, change) {
    const quoted = quoteName(state.name, state.cp932);
    const text = moleculeAnswers(
      withChange(state.analysis.molecule, change),
      state.analysis.solution.electrons,
      quoted.text ?? "'changed'",
    );
    return state.cp932.encode(text);
  }

  function drawChange({ analysis, language }) {
    const t = translator(language);
    if (changed === null) {
      $('change-drawing').replaceChildren();
      return;
    }
    const { solution, molecule } = analysis;
    const sets = degenerateSets(solution.roots);
    const estimates = firstOrderLevels(solution, sets, molecule, changed.change);
    const after = changed.solution.roots;
    const label = (_, x, estimate) =>
      estimate === null
        ? t('change.levelOnly', { x: x.toFixed(4) })
        : t('change.level', { x: x.toFixed(4), estimate: estimate.toFixed(4), error: fixed4(estimate - x) });
    $('change-drawing').replaceChildren(
      drawSvg(
        correlationScene(solution.roots, after, estimates, {
          before: t('change.before'),
          after: t('change.after'),
          alpha: t('levels.alpha'),
          heading: t('change.heading'),
          label,
        }),
      ),
    );
    $('change-degenerate').hidden = !sets.some((set) => set.length > 1);
  }

  let asked = 0; // the latest change asked for: an older run's answer is dropped
  async function runChange() {
    const { state } = session;
    if (!hasPictures(state)) return;
    const change = currentChange();
    if (!Number.isFinite(change.h ?? change.k)) return;
    const mine = ++asked;
    const { analysis } = state;
    const solution = await solveMolecule(
      state.module,
      withChange(analysis.molecule, change),
      analysis.solution.electrons,
    );
    if (mine !== asked || session.state.analysis !== analysis) return;
    changed = solution === null ? null : { change, solution };
    $('change-failed').hidden = solution !== null;
    drawChange(session.state);
  }

  session.connect((state, fields) => {
    if (!hasPictures(state)) return;
    if (fields.has('analysis')) {
      changed = null;
      fillTargets(state);
      resetValue(state);
      runChange();
    } else if (fields.has('language')) {
      fillTargets(state);
      drawChange(state);
    }
  });
  $('change-target').addEventListener('change', () => {
    resetValue(session.state);
    runChange();
  });
  $('change-slider').addEventListener('input', () => {
    $('change-value').value = $('change-slider').value;
    runChange();
  });
  $('change-value').addEventListener('input', () => {
    $('change-slider').value = $('change-value').value;
    runChange();
  });
  $('change-save').addEventListener('click', () => {
    const { state } = session;
    save(changedText(state, currentChange()), `${state.name}-changed.txt`, 'text/plain');
  });
  $('change-run').addEventListener('click', () => {
    const { state } = session;
    run(changedText(state, currentChange()), `${state.name}-changed`);
  });
}
