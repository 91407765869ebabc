// The structure panel: a SMILES box and a drawing editor give one molecule;
// its π system is found, numbered (in the molecule's own order, or in the
// order the user chooses on the page's drawing) and written as the answers
// the program reads, shown editable before they run. Whatever stops that
// is said in a sentence beside the input. The panel runs nothing itself:
// it hands answer bytes to `run`, the same path as an answer file opened
// from the disk.

import { writeAnswers } from './answers_writer.js';
import { EncodeError } from './cp932.js';
import { DEFAULT_TABLE, parametersFor, TABLE_IDS } from './hetero_tables.js';
import { onLanguageChange, t } from './i18n.js';
import { answersFragment, structureFragment } from './link_codec.js';
import { moleculeToGraph, readSmiles } from './molecule_graph.js';
import { drawPiSystem } from './pi_drawing.js';
import { findPiSystem, renumber } from './pi_system.js';

// Words for a refusal code and its details.
function refusalSentence(refusal) {
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

export function createStructureView(root, { cp932, run, save, loadLibrary }) {
  const $ = (id) => root.querySelector(`#${id}`);
  const state = {
    library: null,
    editor: null,
    graph: null,
    found: null, // the π system in the molecule's order
    system: null, // as numbered for the answers
    order: null, // the user's numbering: graph atoms in the order of their numbers
    chosen: null, // while renumbering, the atoms chosen so far
    smiles: null, // the SMILES the molecule was read from, while it is unchanged
    written: null, // the answers as written, to tell whether they were edited
    marked: null, // the atom a refusal names, while the molecule is refused
  };

  // Says why nothing can run (a refusal from refusalSentence's codes), or
  // clears the sentence; it is said again when the language changes.
  let refusal = null;
  function say(said) {
    refusal = said;
    const element = $('structure-refusal');
    element.textContent = said ? refusalSentence(said) : '';
    element.hidden = !said;
  }

  async function library() {
    if (state.library) return state.library;
    const OCL = await loadLibrary();
    if (!state.library) {
      state.library = OCL;
      state.editor = new OCL.CanvasEditor($('structure-editor'), { initialMode: 'molecule' });
      state.editor.setOnChangeListener(({ type, isUserEvent }) => {
        if (type === 'molecule' && isUserEvent) fromDrawing();
      });
    }
    return OCL;
  }

  function tableId() {
    return $('structure-table').value || DEFAULT_TABLE;
  }

  function name() {
    return $('structure-name').value || $('smiles').value.trim() || 'orbcalc';
  }

  function fromDrawing() {
    const molecule = state.editor.getMolecule();
    state.smiles = null;
    $('smiles').value = molecule.getAllAtoms() > 0 ? molecule.toIsomericSmiles() : '';
    take(molecule);
  }

  async function fromSmiles() {
    const OCL = await library();
    const smiles = $('smiles').value.trim();
    if (smiles === '') return false;
    const read = readSmiles(OCL, smiles);
    if (read.refusal) {
      clear();
      say(read.refusal);
      return false;
    }
    read.molecule.inventCoordinates({ skipDefaultTemplates: true });
    state.editor.setMolecule(read.molecule);
    state.smiles = smiles;
    take(read.molecule);
    return true;
  }

  function clear() {
    state.graph = state.found = state.system = state.written = null;
    $('structure-answers').value = '';
    $('structure-drawing').replaceChildren();
    $('structure-notes').replaceChildren();
    update();
  }

  // A new molecule: its π system in the molecule's order.
  function take(molecule) {
    state.order = null;
    state.chosen = null;
    const graph = moleculeToGraph(molecule, state.library.Molecule);
    const found = findPiSystem(graph);
    if (found.refusal) {
      clear();
      say(found.refusal);
      // The molecule is still drawn, the refused atom marked with the
      // number the sentence gives it.
      state.graph = graph;
      state.marked = found.refusal.atom ?? null;
      draw();
      return;
    }
    state.graph = graph;
    state.found = found;
    state.marked = null;
    write();
  }

  // Numbers, parameters and answers for the current molecule and table.
  function write() {
    if (!state.found) return;
    state.system = state.order ? renumber(state.found, state.graph, state.order) : state.found;
    const parameters = parametersFor(state.system, tableId());
    const written = parameters.refusal ? parameters : writeAnswers({ name: name(), system: state.system, parameters }, cp932);
    if (written.refusal) {
      state.written = null;
      $('structure-answers').value = '';
      say(written.refusal);
    } else {
      state.written = written.text;
      $('structure-answers').value = written.text;
      say(null);
    }
    notes(parameters.refusal ? null : parameters);
    draw();
    update();
  }

  function notes(parameters) {
    const list = $('structure-notes');
    const items = [];
    const { system } = state;
    items.push(t('structure.note.system', { atoms: system.atoms.length, bonds: system.bonds.length, electrons: system.electrons }));
    if (parameters) {
      system.atoms.forEach((atom, p) => {
        if (atom.kind === 'carbon') return;
        const { h, sources } = parameters.atoms[p];
        items.push(t('structure.note.atom', {
          number: p + 1, kind: t(`structure.kind.${atom.kind}`), electrons: atom.electrons, h,
          sources: sources.map((s) => t(`structure.source.${s}`)).join('; ') || t('structure.source.carbon'),
        }));
      });
      system.bonds.forEach(({ ends: [p, q] }, b) => {
        const { k, sources } = parameters.bonds[b];
        if (k === 1) return;
        items.push(t('structure.note.bond', { i: p + 1, j: q + 1, k, sources: sources.map((s) => t(`structure.source.${s}`)).join('; ') }));
      });
    }
    const left = new Map();
    for (const { reason } of system.leftOut) left.set(reason, (left.get(reason) ?? 0) + 1);
    for (const [reason, count] of left) items.push(t(`structure.note.left.${reason}`, { count }));
    if (system.hydrogens > 0) items.push(t('structure.note.hydrogens', { count: system.hydrogens }));
    if (system.components > 1) items.push(t('structure.note.components', { count: system.components }));
    list.replaceChildren(...items.map((text) => {
      const item = document.createElement('li');
      item.textContent = text;
      return item;
    }));
  }

  function draw() {
    const svg = $('structure-drawing');
    if (!state.graph) return;
    const numbers = new Map();
    if (state.chosen) state.chosen.forEach((atom, i) => numbers.set(atom, i + 1));
    else if (state.system) state.system.atoms.forEach(({ atom }, i) => numbers.set(atom, i + 1));
    drawPiSystem(svg, {
      graph: state.graph,
      system: state.found,
      marked: state.found ? null : state.marked,
      numbers,
      choosing: state.chosen !== null,
      onChoose: choose,
    });
  }

  function choose(atom) {
    if (!state.chosen || state.chosen.includes(atom)) return;
    state.chosen.push(atom);
    if (state.chosen.length === state.found.atoms.length) {
      state.order = state.chosen;
      state.chosen = null;
      write();
    } else {
      draw();
      update();
    }
    const next = root.querySelector('.pi-atom.unchosen');
    (next ?? $('renumber')).focus();
  }

  function update() {
    const choosing = state.chosen !== null;
    $('renumber').disabled = !state.found;
    $('renumber').textContent = t(choosing ? 'structure.renumberCancel' : 'structure.renumber');
    $('renumber-hint').hidden = !choosing;
    if (choosing) $('renumber-hint').textContent = t('structure.renumberHint', { next: state.chosen.length + 1, count: state.found.atoms.length });
    $('structure-run').disabled = $('structure-answers').value === '';
    $('structure-save').disabled = $('structure-answers').value === '';
    $('copy-link').disabled = $('structure-answers').value === '';
  }

  // The answers in the text box as the program reads them, or null after
  // saying why they cannot be.
  function answerBytes() {
    const text = $('structure-answers').value.replace(/\r\n?/g, '\n');
    try {
      return cp932.encode(text.endsWith('\n') ? text : `${text}\n`);
    } catch (error) {
      if (!(error instanceof EncodeError)) throw error;
      say({ code: 'answers-unencodable', character: error.character });
      return null;
    }
  }

  // The π atoms' places on the molecule as shown, by their numbers, the
  // typical bond 1 long; none once the answers were edited.
  function drawing() {
    if (!state.system || $('structure-answers').value !== state.written) return null;
    const { atoms } = state.graph;
    const lengths = state.system.bonds.map(({ ends: [p, q] }) => {
      const [a, b] = [atoms[state.system.atoms[p].atom], atoms[state.system.atoms[q].atom]];
      return Math.hypot(a.x - b.x, a.y - b.y);
    }).filter((d) => d > 0).sort((x, y) => x - y);
    const scale = lengths.length > 0 ? 1 / lengths[Math.floor(lengths.length / 2)] : 1;
    return state.system.atoms.map(({ atom }) => ({ x: atoms[atom].x * scale, y: atoms[atom].y * scale }));
  }

  function runAnswers() {
    const bytes = answerBytes();
    if (bytes) run(bytes, name(), drawing());
  }

  function link() {
    const edited = $('structure-answers').value !== state.written;
    let made;
    if (state.smiles && !edited) {
      made = structureFragment({ smiles: state.smiles, table: tableId(), name: $('structure-name').value, order: state.order });
    } else {
      const bytes = answerBytes();
      if (!bytes) return;
      made = answersFragment(bytes);
    }
    if (made.refusal) {
      say(made.refusal);
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
  $('structure-table').addEventListener('change', write);
  $('structure-name').addEventListener('change', write);
  $('structure-answers').addEventListener('input', update);
  $('structure-run').addEventListener('click', runAnswers);
  $('structure-save').addEventListener('click', () => {
    const bytes = answerBytes();
    if (bytes) save(bytes, `${name()}.txt`);
  });
  $('copy-link').addEventListener('click', link);
  $('renumber').addEventListener('click', () => {
    state.chosen = state.chosen ? null : [];
    draw();
    update();
    if (state.chosen) root.querySelector('.pi-atom')?.focus();
  });
  // Escape stops renumbering; the numbers stay as they were.
  $('structure-drawing').addEventListener('keydown', (event) => {
    if (event.key !== 'Escape' || !state.chosen) return;
    state.chosen = null;
    draw();
    update();
    $('renumber').focus();
  });
  root.addEventListener('toggle', () => {
    if (root.open) library();
  });
  // The words change, the answers (perhaps edited) stay.
  onLanguageChange(() => {
    say(refusal);
    if (state.system) {
      const parameters = parametersFor(state.system, tableId());
      notes(parameters.refusal ? null : parameters);
    }
    draw();
    update();
  });
  update();

  // Opens what a link carries (link_codec.js readFragment) and runs it.
  async function open(link) {
    if (link.kind === 'none') return;
    root.open = true;
    if (link.kind === 'refused') {
      say(link.refusal);
      return;
    }
    if (link.kind === 'answers') {
      $('structure-answers').value = cp932.decodeToString(link.bytes);
      state.written = null;
      update();
      run(link.bytes, 'orbcalc', null);
      return;
    }
    $('smiles').value = link.smiles;
    $('structure-table').value = link.table ?? DEFAULT_TABLE;
    $('structure-name').value = link.name;
    if (!(await fromSmiles())) return;
    if (link.order) {
      if (!state.found || !renumber(state.found, state.graph, link.order)) {
        say({ code: 'link-order' });
        return;
      }
      state.order = link.order;
      write();
    }
    if (state.written !== null) runAnswers();
  }

  return { open };
}
