// The structure panel's links: the address that carries its molecule (or
// its answers), and opening such an address in the panel.

import { DEFAULT_TABLE } from '../chemistry/hetero_tables.js';
import { answersFragment, structureFragment } from '../chemistry/link_codec.js';

// Makes the address that opens the panel as it is (its SMILES, table, name
// and numbering; or, for a drawn molecule or edited answers, the answers
// themselves), shows it and copies it.
export function copyLink(panel) {
  let made;
  if (panel.smiles && !panel.edited()) {
    made = structureFragment({
      smiles: panel.smiles,
      table: panel.tableId(),
      name: panel.$('structure-name').value,
      order: panel.order,
    });
  } else {
    const bytes = panel.answerBytes();
    if (!bytes) return;
    made = answersFragment(bytes);
  }
  if (made.refusal) {
    panel.refuse(made.refusal);
    return;
  }
  const address = `${location.href.split('#')[0]}#${made.fragment}`;
  const field = panel.$('link');
  field.value = address;
  field.hidden = false;
  field.select();
  navigator.clipboard?.writeText(address).catch(() => {});
}

// Opens what a link carries (link_codec.js readFragment) in `panel` and
// runs it.
export async function openLink(panel, link) {
  if (link.kind === 'none') return;
  const { $ } = panel;
  panel.root.open = true;
  if (link.kind === 'refused') {
    panel.refuse(link.refusal);
    return;
  }
  if (link.kind === 'answers') {
    $('structure-answers').value = panel.codePage.decodeToString(link.bytes);
    panel.written = null;
    panel.draw();
    panel.run(link.bytes, 'orbcalc', null);
    return;
  }
  $('smiles').value = link.smiles;
  $('structure-table').value = link.table ?? DEFAULT_TABLE;
  $('structure-name').value = link.name;
  if (!(await panel.fromSmiles())) return;
  if (link.order) {
    if (!panel.made.found) {
      panel.refuse({ code: 'link-order' });
      return;
    }
    panel.order = link.order;
    panel.write();
  }
  if (panel.written !== null) panel.runAnswers();
}
