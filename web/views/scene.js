// Draws a scene (plain shapes from levels_scene.js or molecule_scene.js) as
// SVG elements, whose classes style.css paints, or on a canvas for a PNG,
// with the same paints from the table below; and writes a drawn SVG as a
// file of its own, with those paints inside it.

import { onActivate, svgElement as element } from './drawing.js';

const SVG = 'http://www.w3.org/2000/svg';

// The paints of the scene classes, in black on white: the same as
// style.css gives them on the page in a light scheme.
const INK = '#000000';
const PAPER = '#ffffff';
const PAINTS = {
  axis: { stroke: INK, width: 1.5 },
  'axis-head': { fill: INK },
  'axis-label': { fill: INK, font: 'italic 14px serif' },
  'alpha-line': { stroke: INK, width: 1, dash: [4, 4] },
  'alpha-label': { fill: INK, font: 'italic 15px serif' },
  hit: { fill: 'transparent' },
  level: { stroke: INK, width: 2.5 },
  'level selected': { stroke: INK, width: 6 },
  electron: { stroke: INK, width: 1.8 },
  gap: { stroke: INK, width: 1.2 },
  'level-label': { fill: INK, font: '12px monospace' },
  'level-mark': { fill: INK, font: 'bold 12px sans-serif' },
  bond: { stroke: INK, width: 2 },
  atom: { fill: INK },
  'atom hetero': { fill: PAPER, stroke: INK, width: 1.5 },
  'atom-ring': { fill: PAPER, stroke: INK, width: 1.5 },
  'atom-ring hetero': { fill: PAPER, stroke: INK, width: 3 },
  'atom-number': { fill: INK, font: '12px sans-serif', halo: true },
  'lobe positive': { fill: INK, fillOpacity: 0.55, stroke: INK, width: 1.5 },
  'lobe negative': { fill: PAPER, fillOpacity: 0, stroke: INK, width: 2 },
  'bond-order': { fill: INK, font: 'bold 11px sans-serif', halo: true },
  density: { fill: INK, font: 'italic 11px sans-serif', halo: true },
  'picture-heading': { fill: INK, font: 'bold 14px sans-serif' },
};

function shape(item, onSelect) {
  switch (item.type) {
    case 'line':
      return element('line', { x1: item.x1, y1: item.y1, x2: item.x2, y2: item.y2, class: item.className });
    case 'circle':
      return element('circle', { cx: item.cx, cy: item.cy, r: item.r, class: item.className });
    case 'rect':
      return element('rect', { x: item.x, y: item.y, width: item.width, height: item.height, class: item.className });
    case 'path':
      return element('path', { d: item.d, class: item.className });
    case 'text': {
      const text = element('text', { x: item.x, y: item.y, class: item.className, 'text-anchor': item.anchor });
      text.textContent = item.text;
      return text;
    }
    case 'group': {
      const group = element('g', {
        class: 'choice',
        tabindex: 0,
        role: 'button',
        'aria-label': item.label,
        'aria-pressed': String(item.selected),
        'data-orbital': item.orbital,
      });
      for (const child of item.children) group.append(shape(child));
      if (onSelect) onActivate(group, () => onSelect(item.orbital));
      return group;
    }
    default:
      throw new Error(`unknown shape ${item.type}`);
  }
}

// An <svg> of `scene`; `onSelect(orbital)` when a group is chosen.
export function drawSvg(scene, onSelect = null) {
  // A picture with choices in it is a group of buttons, not one image.
  const svg = element('svg', {
    viewBox: `0 0 ${scene.width} ${scene.height}`,
    width: scene.width,
    height: scene.height,
    role: onSelect ? 'group' : 'img',
    'aria-label': scene.label,
    class: 'picture',
  });
  for (const item of scene.items) svg.append(shape(item, onSelect));
  return svg;
}

// The text of a file holding the drawn `svg`, painted as on paper.
export function svgFile(svg) {
  const copy = svg.cloneNode(true);
  copy.setAttribute('xmlns', SVG);
  const rules = [`svg { background: ${PAPER}; }`];
  for (const [name, paint] of Object.entries(PAINTS)) {
    const selector = `.${name.replace(' ', '.')}`;
    const parts = [`fill: ${paint.fill ?? 'none'}`];
    if (paint.fillOpacity !== undefined) parts.push(`fill-opacity: ${paint.fillOpacity}`);
    if (paint.stroke) parts.push(`stroke: ${paint.stroke}`, `stroke-width: ${paint.width}`);
    if (paint.dash) parts.push(`stroke-dasharray: ${paint.dash.join(' ')}`);
    if (paint.font) parts.push(`font: ${paint.font}`);
    if (paint.halo) parts.push(`paint-order: stroke`, `stroke: ${PAPER}`, 'stroke-width: 3');
    rules.push(`${selector} { ${parts.join('; ')}; }`);
  }
  const style = element('style', {});
  style.textContent = rules.join('\n');
  copy.prepend(style);
  return `<?xml version="1.0" encoding="UTF-8"?>\n${new XMLSerializer().serializeToString(copy)}\n`;
}

// Draws `scene` on a canvas at `scale` and returns the canvas.
export function drawCanvas(scene, scale = 2) {
  const canvas = document.createElement('canvas');
  canvas.width = Math.ceil(scene.width * scale);
  canvas.height = Math.ceil(scene.height * scale);
  const context = canvas.getContext('2d');
  context.scale(scale, scale);
  context.fillStyle = PAPER;
  context.fillRect(0, 0, scene.width, scene.height);
  const paintItem = (item) => {
    if (item.type === 'group') {
      item.children.forEach(paintItem);
      return;
    }
    const paint = PAINTS[item.className] ?? {};
    context.save();
    context.setLineDash(paint.dash ?? []);
    context.lineWidth = paint.width ?? 1;
    if (item.type === 'text') {
      context.font = paint.font ?? '12px sans-serif';
      context.textAlign = item.anchor === 'middle' ? 'center' : item.anchor === 'end' ? 'right' : 'left';
      if (paint.halo) {
        context.strokeStyle = PAPER;
        context.lineWidth = 3;
        context.strokeText(item.text, item.x, item.y);
      }
      context.fillStyle = paint.fill ?? INK;
      context.fillText(item.text, item.x, item.y);
      context.restore();
      return;
    }
    const path = new Path2D();
    if (item.type === 'line') {
      path.moveTo(item.x1, item.y1);
      path.lineTo(item.x2, item.y2);
    } else if (item.type === 'circle') {
      path.arc(item.cx, item.cy, item.r, 0, 2 * Math.PI);
    } else if (item.type === 'rect') {
      path.rect(item.x, item.y, item.width, item.height);
    } else {
      path.addPath(new Path2D(item.d));
    }
    if (paint.fill && paint.fill !== 'transparent' && paint.fillOpacity !== 0) {
      context.globalAlpha = paint.fillOpacity ?? 1;
      context.fillStyle = paint.fill;
      context.fill(path);
      context.globalAlpha = 1;
    }
    if (paint.stroke) {
      context.strokeStyle = paint.stroke;
      context.stroke(path);
    }
    context.restore();
  };
  scene.items.forEach(paintItem);
  return canvas;
}
