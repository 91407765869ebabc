// The structure panel: a SMILES box and a drawing editor give one molecule,
// and answersFor turns it into the answers the program reads, shown
// editable before they run; the user may renumber its π atoms on the
// page's drawing. What stops that is said beside the input. The panel
// runs nothing itself: it hands answer bytes to `run`, as a file opened.

import { DEFAULT_TABLE, TABLE_IDS } from '../chemistry/hetero_tables.js';
import { readFragment } from '../chemistry/link_codec.js';
import { answersFor } from '../chemistry/structure.js';
import { EncodeError } from '../program/cp932.js';
import { translator } from '../i18n/i18n.js';
import { finder, listItems } from './dom.js';
import { medianBond } from './drawing.js';
import { drawPiSystem } from './pi_drawing.js';
import { copyLink, openLink } from './structure_links.js';
import { noteSentence, refusalSentence } from '../i18n/structure_sentences.js';

// The π atoms' places on the molecule as drawn, by their numbers, the
// typical bond 1 long, with the hydrogens each carries (implicit or drawn)
// and the π electrons each brings.
function piPoints({ graph, system }) {
  const points = system.atoms.map(({ atom }) => graph.atoms[atom]);
  const scale = 1 / (medianBond(points, system.bonds) ?? 1);
  const hydrogens = ({ hydrogens: implicit, neighbours }) =>
    implicit + neighbours.filter((s) => graph.atoms[s].symbol === 'H').length;
  return points.map(({ x, y }, a) => ({
    x: x * scale,
    y: y * scale,
    hydrogens: hydrogens(points[a]),
    electrons: system.atoms[a].electrons,
  }));
}

// The panel's own state and what it does with it. `root` the panel;
// `session` the page's state (for the code page and the language);
// `run(bytes, name, points)` runs answers; `save(bytes, name)` saves them;
// `loadLibrary()` gives the chemistry library.
class StructurePanel {
  constructor(root, session, { run, save, loadLibrary }) {
    Object.assign(this, { root, session, run, save, loadLibrary });
    this.$ = finder(root);
    this.library = null;
    this.editor = null;
    this.made = null; // what answersFor made of the molecule
    this.order = null; // the user's numbering: graph atoms in the order of their numbers
    this.chosen = null; // while renumbering, the atoms chosen so far
    this.smiles = null; // the SMILES the molecule was read from, while it is unchanged
    this.written = null; // the answers as written, to tell whether they were edited
    this.refusal = null; // why nothing can run, while it cannot
  }

  get codePage() {
    return this.session.state.cp932;
  }

  tableId() {
    return this.$('structure-table').value || DEFAULT_TABLE;
  }

  name() {
    return this.$('structure-name').value || this.$('smiles').value.trim() || 'orbcalc';
  }

  edited() {
    return this.$('structure-answers').value !== this.written;
  }

  async loadEditor() {
    if (this.library) return;
    const OCL = await this.loadLibrary();
    if (this.library) return;
    this.library = OCL;
    this.editor = new OCL.CanvasEditor(this.$('structure-editor'), { initialMode: 'molecule' });
    this.editor.setOnChangeListener(({ type, isUserEvent }) => {
      if (type === 'molecule' && isUserEvent) this.fromDrawing();
    });
  }

  fromDrawing() {
    const molecule = this.editor.getMolecule();
    this.smiles = null;
    this.$('smiles').value = molecule.getAllAtoms() > 0 ? molecule.toIsomericSmiles() : '';
    this.order = null;
    this.write(molecule);
  }

  // Reads the SMILES box; whether it gave a molecule.
  async fromSmiles() {
    await this.loadEditor();
    const smiles = this.$('smiles').value.trim();
    if (smiles === '') return false;
    this.order = null;
    this.write(smiles);
    const { molecule } = this.made;
    if (molecule) this.editor.setMolecule(molecule);
    this.smiles = molecule ? smiles : null;
    return molecule !== undefined;
  }

  // The answers for `input` (a SMILES or the library's molecule; by
  // default the molecule already read) in the chosen table and numbering.
  write(input = this.made?.molecule) {
    if (!input) return;
    this.chosen = null;
    this.made = answersFor(input, {
      library: this.library,
      codePage: this.codePage,
      table: this.tableId(),
      order: this.order,
      name: this.name(),
    });
    this.refusal = this.made.refusal ?? null;
    this.written = this.made.answers?.text ?? null;
    this.$('structure-answers').value = this.written ?? '';
    this.draw();
  }

  refuse(refusal) {
    this.refusal = refusal;
    this.draw();
  }

  // Everything the panel shows but the answers' text.
  draw() {
    const { $ } = this;
    const t = translator(this.session.state.language);
    $('structure-refusal').textContent = this.refusal ? refusalSentence(this.refusal, t) : '';
    $('structure-refusal').hidden = !this.refusal;
    $('structure-notes').replaceChildren(...listItems((this.made?.notes ?? []).map((note) => noteSentence(note, t))));
    this.drawMolecule(t);
    const found = this.made?.found;
    const choosing = this.chosen !== null;
    $('renumber').disabled = !found;
    $('renumber').textContent = t(choosing ? 'structure.renumberCancel' : 'structure.renumber');
    $('renumber-hint').hidden = !choosing;
    if (choosing)
      $('renumber-hint').textContent = t('structure.renumberHint', {
        next: this.chosen.length + 1,
        count: found.atoms.length,
      });
    const empty = $('structure-answers').value === '';
    for (const id of ['structure-run', 'structure-save', 'copy-link']) $(id).disabled = empty;
  }

  drawMolecule(t) {
    const svg = this.$('structure-drawing');
    const { graph, found, system } = this.made ?? {};
    if (!graph) {
      svg.replaceChildren();
      return;
    }
    const numbers = new Map();
    if (this.chosen) this.chosen.forEach((atom, i) => numbers.set(atom, i + 1));
    else if (system) system.atoms.forEach(({ atom }, i) => numbers.set(atom, i + 1));
    // A refused molecule is still drawn, the atom the sentence names
    // ringed with its number.
    drawPiSystem(
      svg,
      {
        graph,
        system: found ?? null,
        marked: found ? null : (this.refusal?.atom ?? null),
        numbers,
        choosing: this.chosen !== null,
        onChoose: (atom) => this.choose(atom),
      },
      t,
    );
  }

  // Renumbering: starts it, or stops it keeping the numbers as they were.
  toggleRenumbering() {
    this.chosen = this.chosen ? null : [];
    this.draw();
    if (this.chosen) this.root.querySelector('.pi-atom')?.focus();
  }

  choose(atom) {
    if (!this.chosen || this.chosen.includes(atom)) return;
    this.chosen.push(atom);
    if (this.chosen.length === this.made.found.atoms.length) {
      this.order = this.chosen;
      this.write();
    } else {
      this.draw();
    }
    const next = this.root.querySelector('.pi-atom.unchosen');
    (next ?? this.$('renumber')).focus();
  }

  // The answers in the text box as the program reads them, or null after
  // saying why they cannot be.
  answerBytes() {
    const text = this.$('structure-answers').value.replace(/\r\n?/g, '\n');
    try {
      return this.codePage.encode(text.endsWith('\n') ? text : `${text}\n`);
    } catch (error) {
      if (!(error instanceof EncodeError)) throw error;
      this.refuse({ code: 'answers-unencodable', character: error.character });
      return null;
    }
  }

  runAnswers() {
    const bytes = this.answerBytes();
    // The pictures are drawn on the molecule as shown, unless the answers
    // were edited.
    if (bytes) this.run(bytes, this.name(), this.made?.answers && !this.edited() ? piPoints(this.made) : null);
  }

  saveAnswers() {
    const bytes = this.answerBytes();
    if (bytes) this.save(bytes, `${this.name()}.txt`);
  }
}

// Connects the panel `root`, at any time: opened already, it loads its
// editor at once. Returns `open(hash)`, which opens the link an address's
// fragment carries.
export function connectStructure(root, session, actions) {
  const panel = new StructurePanel(root, session, actions);
  const { $ } = panel;
  $('structure-form').addEventListener('submit', (event) => {
    event.preventDefault();
    panel.fromSmiles();
  });
  $('structure-table').addEventListener('change', () => panel.write());
  $('structure-name').addEventListener('change', () => panel.write());
  $('structure-answers').addEventListener('input', () => panel.draw());
  $('structure-run').addEventListener('click', () => panel.runAnswers());
  $('structure-save').addEventListener('click', () => panel.saveAnswers());
  $('copy-link').addEventListener('click', () => copyLink(panel));
  $('renumber').addEventListener('click', () => panel.toggleRenumbering());
  // Escape stops renumbering; the numbers stay as they were.
  $('structure-drawing').addEventListener('keydown', (event) => {
    if (event.key !== 'Escape' || !panel.chosen) return;
    panel.toggleRenumbering();
    $('renumber').focus();
  });
  root.addEventListener('toggle', () => {
    if (root.open) panel.loadEditor();
  });
  // The words change, the answers (perhaps edited) stay.
  session.connect((_, changed) => {
    if (changed.has('language')) panel.draw();
  });
  panel.draw();
  if (root.open) panel.loadEditor();
  return (hash) => openLink(panel, readFragment(hash, TABLE_IDS));
}
