// The molecule as a scene: its bonds from the rebuilt matrix on 2D
// coordinates, its atoms numbered as in the report, and either an orbital
// (a circle on each atom whose area goes with the coefficient squared,
// filled for one sign and hollow for the other) or the π properties
// (densities at the atoms, bond orders on the bonds).

import { fitToBox, textWidth } from './drawing.js';

export const BOND = 80; // the drawn length of a bond of length 1
const MARGIN = 50;

// `layout` turned so that its longest extent lies across, as textbooks
// draw naphthalene and anthracene; a round shape stays as it is.
// A molecule the user drew (`drawn` set) keeps its orientation.
function lieAcross(layout) {
  if (layout.drawn) return layout;
  const n = layout.length;
  const mx = layout.reduce((sum, p) => sum + p.x, 0) / n;
  const my = layout.reduce((sum, p) => sum + p.y, 0) / n;
  let xx = 0,
    yy = 0,
    xy = 0;
  for (const p of layout) {
    xx += (p.x - mx) ** 2;
    yy += (p.y - my) ** 2;
    xy += (p.x - mx) * (p.y - my);
  }
  if (Math.hypot(xx - yy, 2 * xy) < 0.05 * (xx + yy)) return layout;
  const angle = -0.5 * Math.atan2(2 * xy, xx - yy);
  const c = Math.cos(angle),
    s = Math.sin(angle);
  return layout.map((p) => ({ x: c * (p.x - mx) - s * (p.y - my), y: s * (p.x - mx) + c * (p.y - my) }));
}

// Places `layout` ([{ x, y }]) in a box: returns the points and the size.
export const fit = (layout) => fitToBox(lieAcross(layout), BOND, MARGIN);

// The width a heading of `text` needs, roughly, at 14px bold.
export const headingWidth = (text) => 16 + textWidth(text, 8.2, 14.5);

export function skeleton(molecule, points) {
  const items = molecule.bonds.map(({ i, j }) => ({
    type: 'line',
    x1: points[i].x,
    y1: points[i].y,
    x2: points[j].x,
    y2: points[j].y,
    className: 'bond',
  }));
  return items;
}

// Each atom's number stands beside it, away from its bonds.
function atomLabels(molecule, points, word) {
  const away = points.map((p, r) =>
    outward(
      p,
      molecule.neighbours[r].map((s) => points[s]),
    ),
  );
  return points.flatMap((p, r) => {
    const atom = molecule.atoms[r];
    const text = atom.hetero ? word('molecule.heteroAtom', { number: r + 1, h: atom.h.toFixed(2) }) : String(r + 1);
    return [
      { type: 'circle', cx: p.x, cy: p.y, r: 2.5, className: atom.hetero ? 'atom hetero' : 'atom' },
      {
        type: 'text',
        x: p.x + 14 * away[r].x,
        y: p.y + 14 * away[r].y + 4,
        text,
        className: 'atom-number',
        anchor: 'middle',
      },
    ];
  });
}

// Orbital `j` of `solution` on the molecule. A coefficient of 0.5 has a
// circle of radius 0.375 bond, so neighbours' circles seldom cover atoms.
export function orbitalScene(solution, molecule, layout, j, heading, word) {
  const { points, width, height } = fit(layout);
  const lobes = points
    .map((p, r) => {
      const c = solution.vectors[j][r];
      return {
        type: 'circle',
        cx: p.x,
        cy: p.y,
        r: 0.75 * BOND * Math.abs(c),
        className: c >= 0 ? 'lobe positive' : 'lobe negative',
      };
    })
    .filter((lobe) => lobe.r > 0.5);
  return headed(heading, width, height, [
    ...skeleton(molecule, points),
    ...lobes,
    ...atomLabels(molecule, points, word),
  ]);
}

// The π properties on the molecule: q at each atom, p on each bond.
export function propertiesScene(properties, molecule, layout, heading, word) {
  const { points, width, height } = fit(layout);
  const orders = properties.bondOrders.map(({ i, j, order }) => ({
    type: 'text',
    x: (points[i].x + points[j].x) / 2,
    y: (points[i].y + points[j].y) / 2 + 4,
    text: order.toFixed(3),
    className: 'bond-order',
    anchor: 'middle',
  }));
  // Each density stands outside the atom, away from its bonds.
  const densities = points.map((p, r) => {
    const away = outward(
      p,
      molecule.neighbours[r].map((s) => points[s]),
    );
    return {
      type: 'text',
      x: p.x + 32 * away.x,
      y: p.y + 32 * away.y + 4,
      text: properties.density[r].toFixed(3),
      className: 'density',
      anchor: 'middle',
    };
  });
  // The atoms as numbered rings, so that the numbers stay clear of the
  // densities beside them.
  const atoms = points.flatMap((p, r) => [
    { type: 'circle', cx: p.x, cy: p.y, r: 9, className: molecule.atoms[r].hetero ? 'atom-ring hetero' : 'atom-ring' },
    { type: 'text', x: p.x, y: p.y + 4, text: String(r + 1), className: 'atom-number', anchor: 'middle' },
  ]);
  // A heteroatom's h stands on the inner side, the density on the outer.
  const hetero = points.flatMap((p, r) => {
    if (!molecule.atoms[r].hetero) return [];
    const away = outward(
      p,
      molecule.neighbours[r].map((q) => points[q]),
    );
    return [
      {
        type: 'text',
        x: p.x - 30 * away.x,
        y: p.y - 30 * away.y + 4,
        text: word('molecule.heteroH', { h: molecule.atoms[r].h.toFixed(2) }),
        className: 'atom-number',
        anchor: 'middle',
      },
    ];
  });
  return headed(heading, width, height, [...skeleton(molecule, points), ...orders, ...atoms, ...hetero, ...densities]);
}

// The unit vector from the mean of `others` to `p` (straight down when
// there are none or they balance out).
export function outward(p, others) {
  if (others.length === 0) return { x: 0, y: 1 };
  const dx = p.x - others.reduce((sum, o) => sum + o.x, 0) / others.length;
  const dy = p.y - others.reduce((sum, o) => sum + o.y, 0) / others.length;
  const length = Math.hypot(dx, dy);
  return length < 1e-6 ? { x: 0, y: 1 } : { x: dx / length, y: dy / length };
}

export function shift(items, dy) {
  return items.map((item) => {
    const moved = { ...item };
    for (const key of ['y', 'y1', 'y2', 'cy']) if (key in moved) moved[key] += dy;
    return moved;
  });
}

// A scene of `items` drawn in a box of `width` by `height`, with `heading`
// above them, wide enough to hold it.
function headed(heading, width, height, items) {
  return {
    width: Math.max(width, headingWidth(heading)),
    height: height + 24,
    label: heading,
    items: [{ type: 'text', x: 8, y: 18, text: heading, className: 'picture-heading' }, ...shift(items, 24)],
  };
}
