// Draws a molecule with its π system numbered, as SVG the page makes
// itself: the skeleton as lines (double and triple bonds as two and three),
// element symbols on atoms other than carbon, and on each π atom a circle
// with its number. Each π atom is a button: choosing them one after another
// gives them the numbers 1, 2, 3 ... in that order.

import { fitToBox, medianBond, onActivate, svgElement } from './drawing.js';

const BOND = 56; // drawn length of a typical bond
const MARGIN = 32;
const RADIUS = 14;

const element = (name, attributes, classes) => svgElement(name, { ...attributes, class: classes || undefined });

function drawBond(parent, from, to, order, inSystem) {
  const [dx, dy] = [to.x - from.x, to.y - from.y];
  const length = Math.hypot(dx, dy) || 1;
  const [nx, ny] = [(-dy / length) * 4, (dx / length) * 4];
  const offsets = order === 3 ? [-1, 0, 1] : order === 2 ? [-0.5, 0.5] : [0];
  for (const o of offsets) {
    parent.append(
      element(
        'line',
        {
          x1: from.x + nx * o,
          y1: from.y + ny * o,
          x2: to.x + nx * o,
          y2: to.y + ny * o,
        },
        inSystem ? 'bond pi' : 'bond',
      ),
    );
  }
}

// The charge and, for a radical, its dot, as written beside a symbol.
function chargeText({ charge, radical }) {
  const dot = radical === 'doublet' ? '•' : '';
  if (charge === 0) return dot;
  const sign = charge > 0 ? '+' : '−';
  return (Math.abs(charge) === 1 ? sign : `${Math.abs(charge)}${sign}`) + dot;
}

// Draws into `svg`. `numbers` maps a graph atom to the number shown on it
// (missing: not chosen yet, shown empty); `onChoose(atom)` is called when a
// π atom is chosen by pointer or keyboard. `marked`, when not null, is an
// atom a refusal names: ringed, with its number in the molecule. `t` gives
// the page's words.
export function drawPiSystem(svg, { graph, system, marked = null, numbers, choosing, onChoose }, t) {
  svg.replaceChildren();
  const { points, width, height } = fitToBox(
    graph.atoms,
    BOND / (medianBond(graph.atoms, graph.bonds) ?? BOND),
    MARGIN,
  );
  svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
  svg.setAttribute('width', String(Math.ceil(width)));
  svg.setAttribute('height', String(Math.ceil(height)));
  const members = new Set(system ? system.atoms.map((a) => a.atom) : []);
  const shown = (i) => graph.atoms[i].element !== 1;

  const bonds = element('g', {}, 'bonds');
  for (const { i: a, j: b, order } of graph.bonds) {
    if (shown(a) && shown(b)) drawBond(bonds, points[a], points[b], order, members.has(a) && members.has(b));
  }
  svg.append(bonds);

  graph.atoms.forEach((atom, i) => {
    if (!shown(i) || members.has(i)) return;
    const label = atom.symbol === 'C' ? chargeText(atom) : atom.symbol + chargeText(atom);
    if (label === '') return;
    const text = element('text', { x: points[i].x, y: points[i].y }, 'symbol left');
    text.textContent = label;
    svg.append(text);
  });

  if (marked !== null && points[marked]) {
    const { x, y } = points[marked];
    svg.append(element('circle', { cx: x, cy: y, r: RADIUS + 4 }, 'marked'));
    const label = element('text', { x: x - RADIUS - 6, y: y - RADIUS - 2 }, 'symbol marked-number');
    label.textContent = String(marked + 1);
    svg.append(label);
  }

  for (const { atom, symbol } of system ? system.atoms : []) {
    const { x, y } = points[atom];
    const number = numbers.get(atom);
    const charge = chargeText(graph.atoms[atom]);
    const group = element(
      'g',
      { tabindex: 0, role: 'button' },
      `pi-atom${number === undefined ? ' unchosen' : ''}${choosing ? ' choosing' : ''}`,
    );
    group.dataset.atom = String(atom);
    group.setAttribute(
      'aria-label',
      t(number === undefined ? 'structure.atom.unnumbered' : 'structure.atom.numbered', {
        number,
        element: symbol + charge,
      }),
    );
    group.append(element('circle', { cx: x, cy: y, r: RADIUS }));
    const numberText = element('text', { x, y }, 'number');
    numberText.textContent = number === undefined ? '' : String(number);
    group.append(numberText);
    if (symbol !== 'C' || charge !== '') {
      const label = element('text', { x: x + RADIUS + 2, y: y - RADIUS + 2 }, 'symbol');
      label.textContent = (symbol === 'C' ? '' : symbol) + charge;
      group.append(label);
    }
    onActivate(group, () => onChoose(atom));
    svg.append(group);
  }
}
