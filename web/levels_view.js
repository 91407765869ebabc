// The level diagram of the last run, or the sentence that says why there
// is none; choosing a level selects its orbital.

import { onLanguageChange, t } from './i18n.js';
import { levelsScene } from './levels_scene.js';
import { save, savePng } from './save.js';
import { drawCanvas, drawSvg, svgFile } from './scene.js';
import { state, subscribe, update } from './state.js';

const $ = (id) => document.getElementById(id);

function sceneOf(analysis) {
  return levelsScene(analysis.occupied, state.selected, t);
}

function draw() {
  const { analysis } = state;
  const section = $('pictures');
  section.hidden = analysis === null;
  if (analysis === null) return;
  const problem = $('pictures-problem');
  problem.hidden = analysis.problem === null;
  $('pictures-body').hidden = analysis.problem !== null;
  if (analysis.problem !== null) {
    problem.textContent = t(`problem.${analysis.problem.problem}`, { ...analysis.problem, atoms: analysis.solution.n });
    return;
  }
  const focused = document.activeElement?.closest?.('#levels-drawing [data-orbital]')?.dataset.orbital;
  const svg = drawSvg(sceneOf(analysis), (orbital) => update({ selected: orbital }));
  svg.addEventListener('keydown', stepByArrows);
  $('levels-drawing').replaceChildren(svg);
  if (focused !== undefined) svg.querySelector(`[data-orbital="${state.selected}"]`)?.focus();
  const { occupied } = analysis;
  const note = $('levels-note');
  note.hidden = !occupied.partlyFilled;
  note.textContent = occupied.partlyFilled ? t('levels.partlyFilled', { mark: t(occupied.somo ? 'levels.somo' : 'levels.homo') }) : '';
}

// Up and down step to the next level up or down the diagram.
function stepByArrows(event) {
  const step = { ArrowUp: 1, ArrowDown: -1 }[event.key];
  if (step === undefined) return;
  event.preventDefault();
  const next = state.selected + step;
  if (next >= 0 && next < state.analysis.solution.n) update({ selected: next });
}

export function connectLevels() {
  subscribe((changed) => {
    if (changed.has('analysis') || changed.has('selected')) draw();
  });
  onLanguageChange(draw);
  $('save-levels-svg').addEventListener('click', () =>
    save(svgFile($('levels-drawing').querySelector('svg')), `${state.name}-levels.svg`, 'image/svg+xml'));
  $('save-levels-png').addEventListener('click', () =>
    savePng(drawCanvas(sceneOf(state.analysis)), `${state.name}-levels.png`));
}
