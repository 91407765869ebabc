// What every drawing of the page shares: SVG elements, choice by pointer
// or keyboard, points fitted into a box, and the room a text needs.

const SVG = 'http://www.w3.org/2000/svg';

// An SVG element with these attributes (undefined ones left out).
export function svgElement(name, attributes = {}) {
  const node = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) {
    if (value !== undefined) node.setAttribute(key, String(value));
  }
  return node;
}

// Calls `handler` when `node` is clicked, or chosen with Enter or Space.
export function onActivate(node, handler) {
  node.addEventListener('click', handler);
  node.addEventListener('keydown', (event) => {
    if (event.key !== 'Enter' && event.key !== ' ') return;
    event.preventDefault();
    handler();
  });
}

// `points` ([{ x, y }]) scaled by `scale` and moved so that they start at
// `margin` from the top left: the moved points and the size of the box.
export function fitToBox(points, scale, margin) {
  if (points.length === 0) return { points: [], width: 2 * margin, height: 2 * margin };
  const left = Math.min(...points.map((p) => p.x));
  const top = Math.min(...points.map((p) => p.y));
  const moved = points.map((p) => ({ x: margin + (p.x - left) * scale, y: margin + (p.y - top) * scale }));
  return {
    points: moved,
    width: Math.max(...moved.map((p) => p.x)) + margin,
    height: Math.max(...moved.map((p) => p.y)) + margin,
  };
}

// The median length of `bonds` ({ i, j }) between `points`, leaving out
// bonds of no length; null when there is none.
export function medianBond(points, bonds) {
  const lengths = bonds
    .map(({ i, j }) => Math.hypot(points[i].x - points[j].x, points[i].y - points[j].y))
    .filter((d) => d > 0)
    .sort((p, q) => p - q);
  return lengths.length > 0 ? lengths[Math.floor(lengths.length / 2)] : null;
}

// The width `text` takes, roughly, in a font whose narrow characters are
// `narrow` wide and whose full-width (Japanese) ones are `wide`.
export function textWidth(text, narrow, wide) {
  return Array.from(text).reduce((sum, c) => sum + (c.codePointAt(0) >= 0x2e80 ? wide : narrow), 0);
}
