// Where the molecule reacts: a chosen reactivity index on the molecule,
// with its name, formula, unit and source, the most reactive atoms marked
// and named, and the atom–atom polarisabilities as a shaded matrix. Below
// it, what a change of one h or k does to the levels: the program runs the
// changed answers, and a correlation diagram joins the old levels to the
// new ones, with first-order estimates beside them.

import { firstOrderLevels, moleculeAnswers, withChange } from '../chemistry/derived_answers.js';
import { quoteName } from '../chemistry/answers_writer.js';
import { degenerateSets } from '../chemistry/occupation.js';
import { orbitalReactivity, reactiveSites, solveMolecule } from '../chemistry/reactivity.js';
import { translator } from '../i18n/i18n.js';
import { finder, listItems } from './dom.js';
import { correlationScene, indexScene } from './reactivity_scene.js';
import { reactivityFor, structureOf } from './reactivity_runs.js';
import { drawSvg } from './scene.js';

const INDICES = [
  'frontier_e',
  'frontier_n',
  'frontier_r',
  'superdeloc_e',
  'superdeloc_n',
  'superdeloc_r',
  'localisation_plus',
  'localisation_radical',
  'localisation_minus',
];
const family = (quantity) => quantity.split('_')[0];
// The most reactive atom has the largest f or S, the smallest L.
const largestMarks = (quantity) => family(quantity) !== 'localisation';

// The ranges a change may take: h of an atom, k of a bond.
const RANGES = { h: { min: -2, max: 3, step: 0.05 }, k: { min: 0, max: 2, step: 0.05 } };

// Four decimals, without a sign on a zero.
const fixed4 = (value) => (Math.abs(value) < 5e-5 ? 0 : value).toFixed(4);

const drawable = ({ analysis }) => analysis !== null && analysis.problem === null;

function option(value, text) {
  const element = document.createElement('option');
  element.value = value;
  element.textContent = text;
  return element;
}

// Why an index is not defined, as a sentence.
function reasonSentence(quantity, { reason }, t) {
  const name = t(`reactivity.name.${quantity}`);
  return t(`reactivity.reason.${reason.code}`, { name, orbitals: (reason.orbitals ?? []).join(', ') });
}

function polarisabilityTable({ matrix }, t, show) {
  const largest = Math.max(1e-12, ...matrix.flat().map(Math.abs));
  const table = document.createElement('table');
  const head = document.createElement('tr');
  head.append(
    document.createElement('th'),
    ...matrix.map((_, s) => {
      const th = document.createElement('th');
      th.scope = 'col';
      th.textContent = String(s + 1);
      return th;
    }),
  );
  table.append(head);
  matrix.forEach((row, r) => {
    const tr = document.createElement('tr');
    const th = document.createElement('th');
    th.scope = 'row';
    th.textContent = String(r + 1);
    tr.append(th);
    row.forEach((value, s) => {
      const td = document.createElement('td');
      const text = t('reactivity.polarisability.cell', { r: r + 1, s: s + 1, value: value.toFixed(4) });
      td.className = value < 0 ? 'negative' : 'positive';
      td.style.setProperty('--strength', `${Math.round((100 * Math.abs(value)) / largest)}%`);
      // One stop in the tab order; the arrow keys move inside the matrix.
      td.tabIndex = r === 0 && s === 0 ? 0 : -1;
      td.dataset.r = r;
      td.dataset.s = s;
      td.title = text;
      td.setAttribute('aria-label', text);
      td.addEventListener('focus', () => show(text));
      td.addEventListener('mouseenter', () => show(text));
      tr.append(td);
    });
    table.append(tr);
  });
  const steps = { ArrowUp: [-1, 0], ArrowDown: [1, 0], ArrowLeft: [0, -1], ArrowRight: [0, 1] };
  table.addEventListener('keydown', (event) => {
    const step = steps[event.key];
    const { r, s } = event.target.dataset;
    if (!step || r === undefined) return;
    const next = table.querySelector(`td[data-r="${Number(r) + step[0]}"][data-s="${Number(s) + step[1]}"]`);
    if (!next) return;
    event.preventDefault();
    event.target.tabIndex = -1;
    next.tabIndex = 0;
    next.focus();
  });
  return table;
}

export function connectReactivity(root, session, { run, save }) {
  const $ = finder(root);
  // The indices of the analysis shown: those of its orbitals at once, the
  // localisation energies when their runs are done (`complete`).
  let reactivity = null;
  let changed = null; // the last change's { change, solution }, or null
  let namedIn = null; // the language the index list is written in

  function drawIndex(state) {
    const { analysis, layout, language } = state;
    const t = translator(language);
    const quantity = $('reactivity-index').value || INDICES[0];
    if (namedIn !== language) {
      $('reactivity-index').replaceChildren(...INDICES.map((q) => option(q, t(`reactivity.name.${q}`))));
      $('reactivity-index').value = quantity;
      namedIn = language;
    }
    const kind = family(quantity);
    $('reactivity-about').replaceChildren(
      ...listItems([
        t('reactivity.formula', { formula: t(`reactivity.formula.${quantity}`) }),
        t('reactivity.unit', { unit: t(`reactivity.unit.${kind}`) }),
        t('reactivity.source', { source: t(`reactivity.source.${kind}`) }),
      ]),
    );
    $('reactivity-waiting').hidden = reactivity.complete;
    const notes = INDICES.filter((q) => reactivity.indices[q]?.values === null).map((q) =>
      reasonSentence(q, reactivity.indices[q], t),
    );
    const index = reactivity.indices[quantity];
    if (index?.values?.includes(null))
      notes.push(t('reactivity.someAtoms', { name: t(`reactivity.name.${quantity}`) }));
    $('reactivity-notes').replaceChildren(...listItems(notes));
    const name = t(`reactivity.name.${quantity}`);
    if (index === undefined) {
      $('reactivity-site').textContent = t('reactivity.computing');
      $('reactivity-drawing').replaceChildren();
    } else if (index.values === null) {
      $('reactivity-site').textContent = reasonSentence(quantity, index, t);
      $('reactivity-drawing').replaceChildren();
    } else {
      const hydrogens = structureOf(state)?.map((atom) => atom.hydrogens > 0) ?? null;
      const sites = reactiveSites(index.values, largestMarks(quantity), analysis.molecule, hydrogens);
      $('reactivity-site').textContent =
        sites.length === 0
          ? t('reactivity.noSite', { name })
          : t(largestMarks(quantity) ? 'reactivity.siteLargest' : 'reactivity.siteSmallest', {
              name,
              atoms: t(sites.length === 1 ? 'reactivity.oneAtom' : 'reactivity.manyAtoms', {
                atoms: sites.map((r) => r + 1).join(', '),
              }),
              value: index.values[sites[0]].toFixed(4),
              unit: t(`reactivity.unit.${kind}`),
            });
      $('reactivity-drawing').replaceChildren(
        ...(layout === null
          ? []
          : [drawSvg(indexScene(index.values, sites, analysis.molecule, layout, t('reactivity.drawing', { name })))]),
      );
    }
    const { polarisability } = reactivity;
    $('polarisability-readout').textContent = '';
    $('polarisability-matrix').replaceChildren(
      polarisability.matrix === null
        ? Object.assign(document.createElement('p'), { textContent: t('reactivity.polarisability.openShell') })
        : polarisabilityTable(polarisability, t, (text) => {
            $('polarisability-readout').textContent = text;
          }),
    );
  }

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
    if (!drawable(state)) return;
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
    if (!drawable(state)) return;
    if (fields.has('analysis')) {
      changed = null;
      const { analysis } = state;
      reactivity = { ...orbitalReactivity(analysis), complete: false };
      reactivityFor(analysis, state.module)
        .then((computed) => {
          if (session.state.analysis !== analysis) return;
          reactivity = { ...computed, complete: true };
          drawIndex(session.state);
        })
        .catch((error) => console.error(error));
      fillTargets(state);
      resetValue(state);
      runChange();
    } else if (fields.has('language')) {
      fillTargets(state);
      drawChange(state);
    }
    if (['analysis', 'layout', 'language'].some((name) => fields.has(name))) drawIndex(state);
  });

  $('reactivity-index').addEventListener('change', () => drawIndex(session.state));
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
