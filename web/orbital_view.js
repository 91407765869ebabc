// The chosen orbital drawn on the molecule, keys to step through the
// orbitals, and all orbitals at once as small pictures.

import { onLanguageChange, t } from './i18n.js';
import { orbitalScene } from './molecule_scene.js';
import { save, savePng } from './save.js';
import { drawCanvas, drawSvg, svgFile } from './scene.js';
import { state, subscribe, update } from './state.js';

const $ = (id) => document.getElementById(id);

function energy(x) {
  const size = Math.abs(x).toFixed(4);
  return t(x < 0 ? 'orbital.energyMinus' : 'orbital.energyPlus', { x: size });
}

function heading(analysis, j) {
  return t('orbital.heading', { number: j + 1, energy: energy(analysis.solution.roots[j]),
                                electrons: analysis.occupied.occupation[j] });
}

function sceneOf(j) {
  const { analysis, layout } = state;
  return orbitalScene(analysis.solution, analysis.molecule, layout, j, heading(analysis, j), t);
}

const drawable = () => state.analysis !== null && state.analysis.problem === null;

function draw() {
  if (!drawable()) return;
  const ready = state.layout !== null;
  $('orbital-waiting').hidden = ready;
  const n = state.analysis.solution.n;
  $('orbital-previous').disabled = !ready || state.selected === 0;
  $('orbital-next').disabled = !ready || state.selected === n - 1;
  $('save-orbital-svg').disabled = !ready;
  $('save-orbital-png').disabled = !ready;
  if (!ready) {
    $('orbital-drawing').replaceChildren();
    $('orbital-grid').replaceChildren();
    return;
  }
  $('orbital-drawing').replaceChildren(drawSvg(sceneOf(state.selected)));
  const choose = (j) => update({ selected: j });
  $('orbital-grid').replaceChildren(...Array.from({ length: n }, (_, j) => {
    const scene = sceneOf(j);
    // The choice lies over the picture, a transparent button as large as
    // it: its name is then its label alone, not the label followed by the
    // atom numbers drawn beneath, and its focus and pressed marks go round
    // the whole picture.
    const hit = { type: 'rect', x: 0, y: 0, width: scene.width, height: scene.height, className: 'hit' };
    const item = { type: 'group', orbital: j, selected: j === state.selected, label: scene.label, children: [hit] };
    const svg = drawSvg({ ...scene, items: [...scene.items, item] }, choose);
    svg.classList.add('small');
    return svg;
  }));
}

function step(by) {
  const next = state.selected + by;
  if (drawable() && next >= 0 && next < state.analysis.solution.n) update({ selected: next });
}

export function connectOrbital() {
  subscribe((changed) => {
    if (changed.has('analysis') || changed.has('layout') || changed.has('selected')) draw();
  });
  onLanguageChange(draw);
  $('orbital-previous').addEventListener('click', () => step(-1));
  $('orbital-next').addEventListener('click', () => step(1));
  $('save-orbital-svg').addEventListener('click', () =>
    save(svgFile($('orbital-drawing').querySelector('svg')), `${state.name}-orbital${state.selected + 1}.svg`, 'image/svg+xml'));
  $('save-orbital-png').addEventListener('click', () =>
    savePng(drawCanvas(sceneOf(state.selected)), `${state.name}-orbital${state.selected + 1}.png`));
}
