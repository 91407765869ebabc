// The level diagram as a scene: plain shapes (scene.js draws them as SVG
// or on a canvas). One line per orbital at its energy α + xβ with β < 0,
// so the most bonding level is at the bottom; degenerate orbitals side by
// side; electrons as arrows; the α line, HOMO, LUMO or SOMO marked; each
// level labelled with its x.

import { textWidth } from './drawing.js';

const ORBITAL_WIDTH = 56;
const ORBITAL_GAP = 12;
const LABEL_HEIGHT = 16;
const LEFT = 92; // room for the energy axis and HOMO/LUMO marks
const TOP = 40;

// `occupied` from occupation.js; `selected` the orbital shown; `word(key,
// params)` the page's words. Returns { width, height, items, label }.
export function levelsScene(occupied, selected, word) {
  const { sets } = occupied;
  const widest = Math.max(...sets.map((s) => s.orbitals.length));
  const columnWidth = widest * (ORBITAL_WIDTH + ORBITAL_GAP);
  const xs = sets.map((s) => s.x);
  const high = Math.max(...xs, 0);
  const low = Math.min(...xs, 0);
  // Tall enough that the closest two levels stand 28 units apart, within
  // bounds; the arrows shrink where levels still crowd.
  const closest = Math.min(...xs.slice(1).map((x, s) => xs[s] - x), high - low);
  const plot = high === low ? 340 : Math.min(1000, Math.max(340, (28 * (high - low)) / closest));
  const spacing = high === low ? 28 : (plot * closest) / (high - low);
  const arrowHalf = Math.min(11, Math.max(5, 0.42 * spacing));
  const yOf = (x) => (high === low ? TOP + plot / 2 : TOP + ((x - low) / (high - low)) * plot);
  const centre = LEFT + columnWidth / 2;
  const labelX = LEFT + columnWidth + 14;
  const gapX = labelX + 96;
  // Wide enough for the gap's label in the reader's language (12px
  // monospace; a full-width character takes about two columns).
  const gapText = occupied.gap === null ? '' : word('levels.gap', { gap: occupied.gap.toFixed(4) });
  const gapWidth = textWidth(gapText, 7.3, 14.5);
  const width = occupied.gap === null ? labelX + 100 : Math.max(gapX + 110, gapX + 12 + gapWidth);
  const height = TOP + plot + 30;
  const items = [];

  // The energy axis, pointing up, and the α line.
  items.push({ type: 'line', x1: 24, y1: TOP + plot + 10, x2: 24, y2: TOP - 24, className: 'axis' });
  items.push({ type: 'path', d: `M 19 ${TOP - 16} L 24 ${TOP - 26} L 29 ${TOP - 16} Z`, className: 'axis-head' });
  items.push({ type: 'text', x: 32, y: TOP - 18, text: word('levels.energy'), className: 'axis-label' });
  const alpha = yOf(0);
  items.push({ type: 'line', x1: 30, y1: alpha, x2: labelX - 6, y2: alpha, className: 'alpha-line' });
  items.push({ type: 'text', x: 34, y: alpha - 4, text: word('levels.alpha'), className: 'alpha-label' });

  // Labels of levels too close to each other move up, one above the next.
  let lastLabel = Infinity;
  sets.forEach((set, s) => {
    const y = yOf(set.x);
    const count = set.orbitals.length;
    const start = centre - (count * (ORBITAL_WIDTH + ORBITAL_GAP) - ORBITAL_GAP) / 2;
    set.orbitals.forEach((j, k) => {
      const x1 = start + k * (ORBITAL_WIDTH + ORBITAL_GAP);
      const children = [
        { type: 'rect', x: x1 - 3, y: y - 12, width: ORBITAL_WIDTH + 6, height: 24, className: 'hit' },
        {
          type: 'line',
          x1,
          y1: y,
          x2: x1 + ORBITAL_WIDTH,
          y2: y,
          className: j === selected ? 'level selected' : 'level',
        },
        ...electrons(set.electrons[k], x1 + ORBITAL_WIDTH / 2, y, arrowHalf),
      ];
      const params = { number: j + 1, x: set.x.toFixed(4), electrons: set.electrons[k] };
      items.push({
        type: 'group',
        orbital: j,
        selected: j === selected,
        label: word('levels.orbitalLabel', params),
        children,
      });
    });
    const labelY = Math.min(y + 4, lastLabel - LABEL_HEIGHT + 2);
    lastLabel = labelY;
    items.push({
      type: 'text',
      x: labelX,
      y: labelY,
      text: word('levels.x', { x: set.x.toFixed(4) }),
      className: 'level-label',
    });
    const mark =
      s === occupied.homo
        ? word(occupied.somo ? 'levels.somo' : 'levels.homo')
        : s === occupied.lumo
          ? word('levels.lumo')
          : null;
    if (mark !== null)
      items.push({ type: 'text', x: start - 8, y: y + 4, text: mark, className: 'level-mark', anchor: 'end' });
  });
  // The HOMO–LUMO gap as a double arrow between the two levels.
  if (occupied.gap !== null) {
    const bottom = yOf(sets[occupied.homo].x);
    const top = yOf(sets[occupied.lumo].x);
    items.push({
      type: 'path',
      className: 'gap',
      d:
        `M ${gapX} ${bottom} L ${gapX} ${top} M ${gapX - 4} ${top + 6} L ${gapX} ${top} L ${gapX + 4} ${top + 6} ` +
        `M ${gapX - 4} ${bottom - 6} L ${gapX} ${bottom} L ${gapX + 4} ${bottom - 6}`,
    });
    items.push({ type: 'text', x: gapX + 6, y: (top + bottom) / 2 + 4, className: 'level-label', text: gapText });
  }
  return { width, height, items, label: word('levels.title') };
}

// Arrows for `count` electrons (0, 1 or 2) on the orbital line centred at
// (x, y), `half` long each way: up, then down beside it.
function electrons(count, x, y, half) {
  const arrow = (cx, up) => {
    const tip = up ? y - half : y + half;
    const tail = up ? y + half : y - half;
    const head = up ? 4 : -4;
    return {
      type: 'path',
      d: `M ${cx} ${tail} L ${cx} ${tip} M ${cx - 4} ${tip + head} L ${cx} ${tip} L ${cx + 4} ${tip + head}`,
      className: 'electron',
    };
  };
  if (count === 1) return [arrow(x, true)];
  if (count === 2) return [arrow(x - 6, true), arrow(x + 6, false)];
  return [];
}
