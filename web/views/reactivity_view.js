// Where the molecule reacts: a chosen reactivity index on the molecule,
// with its name, formula, unit and source, the most reactive atoms marked
// and named, and the atom–atom polarisabilities as a shaded matrix.

import { INDICES, orbitalReactivity, reactiveSites } from '../chemistry/reactivity.js';
import { translator } from '../i18n/i18n.js';
import { finder, listItems, option } from './dom.js';
import { indexScene } from './reactivity_scene.js';
import { reactivityFor, structureOf } from './reactivity_runs.js';
import { drawSvg } from './scene.js';
import { hasPictures } from './session.js';

const family = (quantity) => quantity.split('_')[0];
// The most reactive atom has the largest f or S, the smallest L.
const largestMarks = (quantity) => family(quantity) !== 'localisation';

// Why an index is not defined, as a sentence.
function reasonSentence(quantity, { reason }, t) {
  const name = t(`reactivity.name.${quantity}`);
  return t(`reactivity.reason.${reason.code}`, { name, orbitals: (reason.orbitals ?? []).join(', ') });
}

function polarisabilityTable({ matrix }, t, show) {
  const largest = Math.max(1e-12, ...matrix.flat().map(Math.abs));
  const table = document.createElement('table');
  const head = document.createElement('tr');
  // The corner names nothing: a plain cell, not an empty header.
  head.append(
    document.createElement('td'),
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

export function connectReactivity(root, session) {
  const $ = finder(root);
  // The indices of the analysis shown: those of its orbitals at once, the
  // localisation energies when their runs are done (`complete`).
  let reactivity = null;
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

  session.connect((state, fields) => {
    if (!hasPictures(state)) return;
    if (fields.has('analysis')) {
      const { analysis } = state;
      reactivity = { ...orbitalReactivity(analysis), complete: false };
      reactivityFor(analysis, state.module)
        .then((computed) => {
          if (session.state.analysis !== analysis) return;
          reactivity = { ...computed, complete: true };
          drawIndex(session.state);
        })
        .catch((error) => console.error(error));
    }
    if (['analysis', 'layout', 'language'].some((name) => fields.has(name))) drawIndex(state);
  });
  $('reactivity-index').addEventListener('change', () => drawIndex(session.state));
}
