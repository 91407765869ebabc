// The chosen orbital drawn on the molecule, keys to step through the
// orbitals, and all orbitals at once as small pictures.

import { translator } from '../i18n/i18n.js';
import { finder } from './dom.js';
import { orbitalScene } from './molecule_scene.js';
import { save, savePng } from './save.js';
import { drawCanvas, drawSvg, svgFile } from './scene.js';
import { hasPictures } from './session.js';

function heading({ solution, occupied }, j, t) {
  const x = solution.roots[j];
  const energy = t(x < 0 ? 'orbital.energyMinus' : 'orbital.energyPlus', { x: Math.abs(x).toFixed(4) });
  return t('orbital.heading', { number: j + 1, energy, electrons: occupied.occupation[j] });
}

function sceneOf({ analysis, layout, language }, j) {
  const t = translator(language);
  return orbitalScene(analysis.solution, analysis.molecule, layout, j, heading(analysis, j, t), t);
}

export function connectOrbital(root, session) {
  const $ = finder(root);
  const choose = (j) => session.update({ selected: j });

  function draw(state) {
    if (!hasPictures(state)) return;
    const ready = state.layout !== null;
    $('orbital-waiting').hidden = ready;
    const { n } = state.analysis.solution;
    $('orbital-previous').disabled = !ready || state.selected === 0;
    $('orbital-next').disabled = !ready || state.selected === n - 1;
    $('save-orbital-svg').disabled = !ready;
    $('save-orbital-png').disabled = !ready;
    if (!ready) {
      $('orbital-drawing').replaceChildren();
      $('orbital-grid').replaceChildren();
      return;
    }
    $('orbital-drawing').replaceChildren(drawSvg(sceneOf(state, state.selected)));
    $('orbital-grid').replaceChildren(
      ...Array.from({ length: n }, (_, j) => {
        const scene = sceneOf(state, j);
        // The choice lies over the picture, a transparent button as large as
        // it: its name is then its label alone, not the label followed by the
        // atom numbers drawn beneath, and its focus and pressed marks go round
        // the whole picture.
        const hit = { type: 'rect', x: 0, y: 0, width: scene.width, height: scene.height, className: 'hit' };
        const item = { type: 'group', orbital: j, selected: j === state.selected, label: scene.label, children: [hit] };
        const svg = drawSvg({ ...scene, items: [...scene.items, item] }, choose);
        svg.classList.add('small');
        return svg;
      }),
    );
  }

  function step(by) {
    const { state } = session;
    const next = state.selected + by;
    if (hasPictures(state) && next >= 0 && next < state.analysis.solution.n) choose(next);
  }

  session.connect((state, changed) => {
    if (['analysis', 'layout', 'selected', 'language'].some((name) => changed.has(name))) draw(state);
  });
  const { state } = session;
  $('orbital-previous').addEventListener('click', () => step(-1));
  $('orbital-next').addEventListener('click', () => step(1));
  $('save-orbital-svg').addEventListener('click', () =>
    save(
      svgFile($('orbital-drawing').querySelector('svg')),
      `${state.name}-orbital${state.selected + 1}.svg`,
      'image/svg+xml',
    ),
  );
  $('save-orbital-png').addEventListener('click', () =>
    savePng(drawCanvas(sceneOf(state, state.selected)), `${state.name}-orbital${state.selected + 1}.png`),
  );
}
