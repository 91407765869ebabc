// Reactivity as scenes (plain shapes that scene.js draws):
// - an index on the molecule: a circle at each atom whose area goes with
//   the value's size (filled where it is positive, hollow where negative),
//   the value beside the atom, and a dashed ring round each most reactive
//   atom;
// - the levels before and after a change of h or k, joined level to level
//   in the order the runs give them, with each new level's first-order
//   estimate as a short dashed mark and a label.

import { BOND, fit, headingWidth, outward, shift, skeleton } from './molecule_scene.js';

const MARK_RADIUS = 0.3 * BOND; // the circle of the largest value
const SITE_RADIUS = 15;
const VALUE_ROOM = 20;

// `values` by atom (null where not defined), `sites` the marked atoms.
export function indexScene(values, sites, molecule, layout, heading) {
  const { points, width, height } = fit(layout);
  const largest = Math.max(1e-12, ...values.filter((v) => v !== null).map(Math.abs));
  const marks = points.flatMap((p, r) => {
    const value = values[r];
    if (value === null || Math.abs(value) < 1e-9) return [];
    return [
      {
        type: 'circle',
        cx: p.x,
        cy: p.y,
        r: MARK_RADIUS * Math.sqrt(Math.abs(value) / largest),
        className: value > 0 ? 'index-mark' : 'index-mark negative',
      },
    ];
  });
  const rings = sites.map((r) => ({
    type: 'circle',
    cx: points[r].x,
    cy: points[r].y,
    r: SITE_RADIUS,
    className: 'site-mark',
  }));
  const atoms = points.flatMap((p, r) => [
    { type: 'circle', cx: p.x, cy: p.y, r: 9, className: molecule.atoms[r].hetero ? 'atom-ring hetero' : 'atom-ring' },
    { type: 'text', x: p.x, y: p.y + 4, text: String(r + 1), className: 'atom-number', anchor: 'middle' },
  ]);
  const texts = points.map((p, r) => {
    const away = outward(
      p,
      molecule.neighbours[r].map((s) => points[s]),
    );
    return {
      type: 'text',
      x: p.x + 40 * away.x,
      y: p.y + 40 * away.y + 4,
      text: values[r] === null ? '—' : values[r].toFixed(4),
      className: 'density',
      anchor: 'middle',
    };
  });
  // Room on either side for the values beside the outermost atoms.
  const across = (item) => ({
    ...item,
    ...('x' in item ? { x: item.x + VALUE_ROOM } : {}),
    ...('cx' in item ? { cx: item.cx + VALUE_ROOM } : {}),
    ...('x1' in item ? { x1: item.x1 + VALUE_ROOM, x2: item.x2 + VALUE_ROOM } : {}),
  });
  return {
    width: Math.max(width + 2 * VALUE_ROOM, headingWidth(heading)),
    height: height + 24,
    label: heading,
    items: [
      { type: 'text', x: 8, y: 18, text: heading, className: 'picture-heading' },
      ...shift([...skeleton(molecule, points), ...marks, ...rings, ...atoms, ...texts], 24).map(across),
    ],
  };
}

const TOP = 44;
const PLOT = 360;
const OLD_X = [70, 150];
const NEW_X = [250, 330];
const LABEL_X = 372;

// `before` and `after` the roots (descending) of the two runs, `estimates`
// the first-order estimate of each new level (null where there is none),
// `words` { before, after, alpha, heading, label(j, x, estimate) }.
export function correlationScene(before, after, estimates, words) {
  const all = [...before, ...after, ...estimates.filter((x) => x !== null), 0];
  const high = Math.max(...all);
  const low = Math.min(...all);
  // E = α + xβ with β < 0: the most bonding level (largest x) lowest.
  const yOf = (x) => (high === low ? TOP + PLOT / 2 : TOP + ((x - low) / (high - low)) * PLOT);
  const items = [
    { type: 'text', x: 8, y: 18, text: words.heading, className: 'picture-heading' },
    {
      type: 'text',
      x: (OLD_X[0] + OLD_X[1]) / 2,
      y: TOP - 12,
      text: words.before,
      className: 'level-label',
      anchor: 'middle',
    },
    {
      type: 'text',
      x: (NEW_X[0] + NEW_X[1]) / 2,
      y: TOP - 12,
      text: words.after,
      className: 'level-label',
      anchor: 'middle',
    },
    { type: 'line', x1: OLD_X[0] - 30, y1: yOf(0), x2: NEW_X[1] + 10, y2: yOf(0), className: 'alpha-line' },
    { type: 'text', x: OLD_X[0] - 30, y: yOf(0) - 4, text: words.alpha, className: 'alpha-label' },
  ];
  let lastLabel = Infinity;
  let widest = 0;
  before.forEach((x, j) => {
    const y0 = yOf(x);
    const y1 = yOf(after[j]);
    items.push(
      { type: 'line', x1: OLD_X[0], y1: y0, x2: OLD_X[1], y2: y0, className: 'level' },
      { type: 'line', x1: OLD_X[1], y1: y0, x2: NEW_X[0], y2: y1, className: 'alpha-line' },
      { type: 'line', x1: NEW_X[0], y1, x2: NEW_X[1], y2: y1, className: 'level' },
    );
    if (estimates[j] !== null) {
      const ye = yOf(estimates[j]);
      items.push({ type: 'line', x1: NEW_X[1] + 4, y1: ye, x2: NEW_X[1] + 30, y2: ye, className: 'estimate' });
    }
    // Labels too close to the one below move up.
    const labelY = Math.min(y1 + 4, lastLabel - 14);
    lastLabel = labelY;
    const text = words.label(j, after[j], estimates[j]);
    widest = Math.max(widest, 7.3 * text.length);
    items.push({ type: 'text', x: LABEL_X, y: labelY, text, className: 'level-label' });
  });
  const top = Math.min(0, lastLabel - 14);
  const moved = top < 0 ? shift(items, -top) : items;
  return {
    width: Math.max(LABEL_X + widest + 10, headingWidth(words.heading)),
    height: TOP + PLOT + 30 - top,
    label: words.heading,
    items: moved,
  };
}
