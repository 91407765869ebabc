// The level diagram of the last run, or the sentence that says why there
// is none; choosing a level selects its orbital.

import { translator } from '../i18n/i18n.js';
import { problemSentence } from '../i18n/run_sentences.js';
import { finder } from './dom.js';
import { levelsScene } from './levels_scene.js';
import { save, savePng } from './save.js';
import { drawCanvas, drawSvg, svgFile } from './scene.js';

const sceneOf = (state) => levelsScene(state.analysis.occupied, state.selected, translator(state.language));

export function connectLevels(root, session) {
  const $ = finder(root);
  const choose = (orbital) => session.update({ selected: orbital });

  // Up and down step to the next level up or down the diagram.
  function stepByArrows(event) {
    const step = { ArrowUp: 1, ArrowDown: -1 }[event.key];
    if (step === undefined) return;
    event.preventDefault();
    const next = session.state.selected + step;
    if (next >= 0 && next < session.state.analysis.solution.n) choose(next);
  }

  function draw(state) {
    const { analysis } = state;
    const t = translator(state.language);
    $('pictures').hidden = analysis === null;
    if (analysis === null) return;
    const problem = $('pictures-problem');
    problem.hidden = analysis.problem === null;
    $('pictures-body').hidden = analysis.problem !== null;
    if (analysis.problem !== null) {
      problem.textContent = problemSentence(analysis.problem, analysis.solution.n, t);
      return;
    }
    const focused = root.activeElement?.closest?.('#levels-drawing [data-orbital]');
    const svg = drawSvg(sceneOf(state), choose);
    svg.addEventListener('keydown', stepByArrows);
    $('levels-drawing').replaceChildren(svg);
    if (focused) svg.querySelector(`[data-orbital="${state.selected}"]`)?.focus();
    const { occupied } = analysis;
    const note = $('levels-note');
    note.hidden = !occupied.partlyFilled;
    note.textContent = occupied.partlyFilled
      ? t('levels.partlyFilled', { mark: t(occupied.somo ? 'levels.somo' : 'levels.homo') })
      : '';
  }

  session.connect((state, changed) => {
    if (changed.has('analysis') || changed.has('selected') || changed.has('language')) draw(state);
  });
  const { state } = session;
  $('save-levels-svg').addEventListener('click', () =>
    save(svgFile($('levels-drawing').querySelector('svg')), `${state.name}-levels.svg`, 'image/svg+xml'),
  );
  $('save-levels-png').addEventListener('click', () => savePng(drawCanvas(sceneOf(state)), `${state.name}-levels.png`));
}
