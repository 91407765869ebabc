// The π properties of the last run as a table, on a drawing of the
// molecule, and as a CSV file.

import { netChargeRows, propertiesCsv } from '../chemistry/properties.js';
import { reactivityRows } from '../chemistry/reactivity.js';
import { translator } from '../i18n/i18n.js';
import { finder, listItems } from './dom.js';
import { propertiesScene } from './molecule_scene.js';
import { reactivityFor, structureOf } from './reactivity_runs.js';
import { save } from './save.js';
import { drawSvg } from './scene.js';

function row(quantity, atoms, value, unit) {
  const tr = document.createElement('tr');
  const th = document.createElement('th');
  th.scope = 'row';
  th.textContent = quantity;
  tr.append(th);
  for (const [text, className] of [
    [atoms, 'atoms'],
    [value, 'number'],
    [unit, 'unit'],
  ]) {
    const td = document.createElement('td');
    td.className = className;
    td.textContent = text;
    tr.append(td);
  }
  return tr;
}

function rows(p, t) {
  const list = [
    row(
      t('properties.piEnergy'),
      '',
      t('properties.piEnergyValue', { electrons: p.electrons, beta: p.piEnergy.toFixed(4) }),
      t('properties.unitBeta'),
    ),
  ];
  if (p.delocalisation !== null) {
    list.push(row(t('properties.delocalisation'), '', p.delocalisation.toFixed(4), t('properties.unitBeta')));
  }
  if (p.gap !== null) list.push(row(t('properties.gap'), '', p.gap.toFixed(4), t('properties.unitAbsBeta')));
  p.density.forEach((q, r) =>
    list.push(row(t('properties.density'), String(r + 1), q.toFixed(4), t('properties.unitElectrons'))),
  );
  for (const { i, j, order } of p.bondOrders) {
    list.push(
      row(
        t('properties.bondOrder'),
        t('properties.bondAtoms', { i: i + 1, j: j + 1 }),
        order.toFixed(4),
        t('properties.unitNone'),
      ),
    );
  }
  p.freeValence.forEach((f, r) => {
    if (f !== null) list.push(row(t('properties.freeValence'), String(r + 1), f.toFixed(4), t('properties.unitNone')));
  });
  return list;
}

// The net π charge of each atom, the π electrons it brings less its
// density, when the answers came from a structure that says what each
// brings; else null.
function netCharges(state) {
  const structure = structureOf(state);
  return (
    structure &&
    netChargeRows(
      state.analysis.properties,
      structure.map(({ electrons }) => electrons),
    )
  );
}

export function connectProperties(root, session) {
  const $ = finder(root);

  function draw(state) {
    const { analysis, layout, language } = state;
    if (analysis === null || analysis.problem !== null) return;
    const t = translator(language);
    const p = analysis.properties;
    const charges = netCharges(state);
    $('properties-rows').replaceChildren(
      ...rows(p, t),
      ...(charges ?? []).map(({ i, value }) =>
        row(t('properties.netCharge'), String(i), value.toFixed(4), t('properties.unitCharge')),
      ),
    );
    const notes = [];
    if (p.delocalisation === null) notes.push(t('properties.noDelocalisation'));
    if (p.gap === null) notes.push(t('properties.noGap'));
    notes.push(t('properties.shared'));
    $('properties-notes').replaceChildren(...listItems(notes));
    $('properties-drawing').replaceChildren(
      ...(layout === null ? [] : [drawSvg(propertiesScene(p, analysis.molecule, layout, t('properties.drawing'), t))]),
    );
  }

  session.connect((state, changed) => {
    if (['analysis', 'layout', 'language'].some((name) => changed.has(name))) draw(state);
  });
  const { state } = session;
  // The reactivity indices follow the properties, once their runs are done.
  $('save-properties').addEventListener('click', async () => {
    const { analysis, module, name } = state;
    const more = [...(netCharges(state) ?? []), ...reactivityRows(await reactivityFor(analysis, module))];
    save(propertiesCsv(analysis.properties, more), `${name}-properties.csv`, 'text/csv');
  });
}
