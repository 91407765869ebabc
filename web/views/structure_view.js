// The structure panel: a SMILES box and a drawing editor give one molecule,
// and answersFor turns it into the answers the program reads, shown
// editable before they run; the user may renumber its π atoms on the
// page's drawing. Whatever stops that is said in a sentence beside the
// input. The panel runs nothing itself: it hands answer bytes to `run`,
// the same path as an answer file opened from the disk.

import { DEFAULT_TABLE, TABLE_IDS } from '../chemistry/hetero_tables.js';
import { answersFragment, structureFragment } from '../chemistry/link_codec.js';
import { answersFor } from '../chemistry/structure.js';
import { EncodeError } from '../program/cp932.js';
import { translator } from '../i18n/i18n.js';
import { finder, listItems } from './dom.js';
import { medianBond } from './drawing.js';
import { drawPiSystem } from './pi_drawing.js';

// Words for a refusal code and its details.
function refusalSentence(refusal, t) {
  const params = { ...refusal };
  if (refusal.kind) params.kind = t(`structure.kind.${refusal.kind}`);
  if (refusal.kinds) [params.first, params.second] = refusal.kinds.map((kind) => t(`structure.kind.${kind}`));
  if (refusal.numbers) [params.i, params.j] = refusal.numbers;
  if (TABLE_IDS.includes(refusal.table)) params.table = t(`structure.table.${refusal.table}`);
  if (refusal.group) params.group = t(`structure.group.${refusal.group}`);
  if (refusal.atom !== undefined) params.index = refusal.atom + 1;
  if (refusal.code === 'smiles-unreadable') {
    if (refusal.position === null) return t('structure.refusal.smiles-unreadable-somewhere');
    params.position = refusal.position + 1;
  }
  return t(`structure.refusal.${refusal.code}`, params);
}

function noteSentence({ note, ...params }, t) {
  const sources = (list) => list.map((s) => t(`structure.source.${s}`)).join('; ');
  if (note === 'atom') {
    return t('structure.note.atom', { ...params, kind: t(`structure.kind.${params.kind}`),
                                      sources: sources(params.sources) || t('structure.source.carbon') });
  }
  if (note === 'bond') return t('structure.note.bond', { ...params, sources: sources(params.sources) });
  if (note === 'left') return t(`structure.note.left.${params.reason}`, params);
  return t(`structure.note.${note}`, params);
}

// The π atoms' places on the molecule as drawn, by their numbers, the
// typical bond 1 long.
function piPoints({ graph, system }) {
  const points = system.atoms.map(({ atom }) => graph.atoms[atom]);
  const scale = 1 / (medianBond(points, system.bonds) ?? 1);
  return points.map(({ x, y }) => ({ x: x * scale, y: y * scale }));
}

// `root` the panel; `session` the page's state (for the code page and the
// language); `run(bytes, name, points)` runs answers; `save(bytes, name)`
// saves them; `loadLibrary()` gives the chemistry library.
export function connectStructure(root, session, { run, save, loadLibrary }) {
  const $ = finder(root);
  const panel = {
    library: null,
    editor: null,
    made: null, // what answersFor made of the molecule
    order: null, // the user's numbering: graph atoms in the order of their numbers
    chosen: null, // while renumbering, the atoms chosen so far
    smiles: null, // the SMILES the molecule was read from, while it is unchanged
    written: null, // the answers as written, to tell whether they were edited
    refusal: null, // why nothing can run, while it cannot
  };
  const t = () => translator(session.state.language);
  const codePage = () => session.state.cp932;

  async function library() {
    if (panel.library) return panel.library;
    const OCL = await loadLibrary();
    if (!panel.library) {
      panel.library = OCL;
      panel.editor = new OCL.CanvasEditor($('structure-editor'), { initialMode: 'molecule' });
      panel.editor.setOnChangeListener(({ type, isUserEvent }) => {
        if (type === 'molecule' && isUserEvent) fromDrawing();
      });
    }
    return OCL;
  }

  const tableId = () => $('structure-table').value || DEFAULT_TABLE;
  const name = () => $('structure-name').value || $('smiles').value.trim() || 'orbcalc';

  function fromDrawing() {
    const molecule = panel.editor.getMolecule();
    panel.smiles = null;
    $('smiles').value = molecule.getAllAtoms() > 0 ? molecule.toIsomericSmiles() : '';
    panel.order = null;
    write(molecule);
  }

  async function fromSmiles() {
    await library();
    const smiles = $('smiles').value.trim();
    if (smiles === '') return false;
    panel.order = null;
    write(smiles);
    if (panel.made.molecule) panel.editor.setMolecule(panel.made.molecule);
    panel.smiles = panel.made.molecule ? smiles : null;
    return panel.made.molecule !== undefined;
  }

  // The answers for `input` (a SMILES or the library's molecule; by
  // default the molecule already read) in the chosen table and numbering.
  function write(input = panel.made?.molecule) {
    if (!input) return;
    panel.chosen = null;
    panel.made = answersFor(input, { library: panel.library, codePage: codePage(), table: tableId(), order: panel.order,
                                     name: name() });
    panel.refusal = panel.made.refusal ?? null;
    panel.written = panel.made.answers?.text ?? null;
    $('structure-answers').value = panel.written ?? '';
    draw();
  }

  // Everything the panel shows but the answers' text, from `panel`.
  function draw() {
    const words = t();
    const refusal = $('structure-refusal');
    refusal.textContent = panel.refusal ? refusalSentence(panel.refusal, words) : '';
    refusal.hidden = !panel.refusal;
    $('structure-notes').replaceChildren(...listItems((panel.made?.notes ?? []).map((note) => noteSentence(note, words))));
    drawMolecule(words);
    const found = panel.made?.found;
    const choosing = panel.chosen !== null;
    $('renumber').disabled = !found;
    $('renumber').textContent = words(choosing ? 'structure.renumberCancel' : 'structure.renumber');
    $('renumber-hint').hidden = !choosing;
    if (choosing) $('renumber-hint').textContent = words('structure.renumberHint', { next: panel.chosen.length + 1, count: found.atoms.length });
    const empty = $('structure-answers').value === '';
    for (const id of ['structure-run', 'structure-save', 'copy-link']) $(id).disabled = empty;
  }

  function drawMolecule(words) {
    const svg = $('structure-drawing');
    const { graph, found, system } = panel.made ?? {};
    if (!graph) {
      svg.replaceChildren();
      return;
    }
    const numbers = new Map();
    if (panel.chosen) panel.chosen.forEach((atom, i) => numbers.set(atom, i + 1));
    else if (system) system.atoms.forEach(({ atom }, i) => numbers.set(atom, i + 1));
    // A refused molecule is still drawn, the atom the sentence names
    // ringed with its number.
    drawPiSystem(svg, { graph, system: found ?? null, marked: found ? null : panel.refusal?.atom ?? null,
                        numbers, choosing: panel.chosen !== null, onChoose: choose }, words);
  }

  function choose(atom) {
    if (!panel.chosen || panel.chosen.includes(atom)) return;
    panel.chosen.push(atom);
    if (panel.chosen.length === panel.made.found.atoms.length) {
      panel.order = panel.chosen;
      write();
    } else {
      draw();
    }
    const next = root.querySelector('.pi-atom.unchosen');
    (next ?? $('renumber')).focus();
  }

  // The answers in the text box as the program reads them, or null after
  // saying why they cannot be.
  function answerBytes() {
    const text = $('structure-answers').value.replace(/\r\n?/g, '\n');
    try {
      return codePage().encode(text.endsWith('\n') ? text : `${text}\n`);
    } catch (error) {
      if (!(error instanceof EncodeError)) throw error;
      panel.refusal = { code: 'answers-unencodable', character: error.character };
      draw();
      return null;
    }
  }

  const edited = () => $('structure-answers').value !== panel.written;

  function runAnswers() {
    const bytes = answerBytes();
    // The pictures are drawn on the molecule as shown, unless the answers
    // were edited.
    if (bytes) run(bytes, name(), panel.made?.answers && !edited() ? piPoints(panel.made) : null);
  }

  function link() {
    let made;
    if (panel.smiles && !edited()) {
      made = structureFragment({ smiles: panel.smiles, table: tableId(), name: $('structure-name').value, order: panel.order });
    } else {
      const bytes = answerBytes();
      if (!bytes) return;
      made = answersFragment(bytes);
    }
    if (made.refusal) {
      panel.refusal = made.refusal;
      draw();
      return;
    }
    const address = `${location.href.split('#')[0]}#${made.fragment}`;
    $('link').value = address;
    $('link').hidden = false;
    $('link').select();
    navigator.clipboard?.writeText(address).catch(() => {});
  }

  $('structure-form').addEventListener('submit', (event) => {
    event.preventDefault();
    fromSmiles();
  });
  $('structure-table').addEventListener('change', () => write());
  $('structure-name').addEventListener('change', () => write());
  $('structure-answers').addEventListener('input', draw);
  $('structure-run').addEventListener('click', runAnswers);
  $('structure-save').addEventListener('click', () => {
    const bytes = answerBytes();
    if (bytes) save(bytes, `${name()}.txt`);
  });
  $('copy-link').addEventListener('click', link);
  $('renumber').addEventListener('click', () => {
    panel.chosen = panel.chosen ? null : [];
    draw();
    if (panel.chosen) root.querySelector('.pi-atom')?.focus();
  });
  // Escape stops renumbering; the numbers stay as they were.
  $('structure-drawing').addEventListener('keydown', (event) => {
    if (event.key !== 'Escape' || !panel.chosen) return;
    panel.chosen = null;
    draw();
    $('renumber').focus();
  });
  root.addEventListener('toggle', () => {
    if (root.open) library();
  });
  // The words change, the answers (perhaps edited) stay.
  session.connect((state, changed) => {
    if (changed.has('language')) draw();
  });
  draw();

  // Opens what a link carries (link_codec.js readFragment) and runs it.
  return async function open(link) {
    if (link.kind === 'none') return;
    root.open = true;
    if (link.kind === 'refused') {
      panel.refusal = link.refusal;
      draw();
      return;
    }
    if (link.kind === 'answers') {
      $('structure-answers').value = codePage().decodeToString(link.bytes);
      panel.written = null;
      draw();
      run(link.bytes, 'orbcalc', null);
      return;
    }
    $('smiles').value = link.smiles;
    $('structure-table').value = link.table ?? DEFAULT_TABLE;
    $('structure-name').value = link.name;
    if (!(await fromSmiles())) return;
    if (link.order) {
      if (!panel.made.found) {
        panel.refusal = { code: 'link-order' };
        draw();
        return;
      }
      panel.order = link.order;
      write();
    }
    if (panel.written !== null) runAnswers();
  };
}
