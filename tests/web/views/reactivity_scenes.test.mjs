// The reactivity pictures as data: an index on the molecule and the
// correlation diagram of a change, before anything is drawn.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { correlationScene, indexScene } from '../../../web/views/reactivity_scene.js';

// A ring of n atoms on a circle.
const ring = (n) => ({
  atoms: Array.from({ length: n }, () => ({ h: 0, hetero: false })),
  bonds: Array.from({ length: n }, (_, r) => ({ i: Math.min(r, (r + 1) % n), j: Math.max(r, (r + 1) % n), k: 1 })),
  neighbours: Array.from({ length: n }, (_, r) => [(r + n - 1) % n, (r + 1) % n]),
});
const circle = (n) =>
  Array.from({ length: n }, (_, r) => ({ x: Math.cos((2 * Math.PI * r) / n), y: Math.sin((2 * Math.PI * r) / n) }));
const of = (scene, className) => scene.items.filter((item) => item.className === className);
const inside = (scene) =>
  scene.items.every(
    (item) =>
      ['x', 'cx', 'x1', 'x2'].every((key) => item[key] === undefined || (item[key] >= 0 && item[key] <= scene.width)) &&
      ['y', 'cy', 'y1', 'y2'].every((key) => item[key] === undefined || (item[key] >= 0 && item[key] <= scene.height)),
  );

test('an index on the molecule: a mark by value, hollow when negative, none where not defined, rings at the sites', () => {
  const values = [0.5, -0.25, null, 0, 0.5, 0.125];
  const scene = indexScene(values, [0, 4], ring(6), circle(6), 'heading');
  const marks = [...of(scene, 'index-mark'), ...of(scene, 'index-mark negative')];
  assert.equal(marks.length, 4);
  assert.equal(of(scene, 'index-mark negative').length, 1);
  // The area goes with the size: a quarter of the value, half the radius.
  const radius = Math.max(...marks.map((mark) => mark.r));
  assert.ok(Math.abs(of(scene, 'index-mark negative')[0].r - radius / Math.SQRT2) < 1e-9);
  assert.equal(of(scene, 'site-mark').length, 2);
  assert.deepEqual(
    of(scene, 'density').map((item) => item.text),
    ['0.5000', '-0.2500', '—', '0.0000', '0.5000', '0.1250'],
  );
  assert.ok(inside(scene));
});

test('the correlation diagram: each old level joined to its new one, estimates only where given, labels apart', () => {
  const before = [2, 1, 1, -1, -1, -2];
  const after = [2.3, 1.2, 1, -0.9, -1, -2];
  const estimates = [2.25, null, null, null, null, -2];
  const label = (_, x, estimate) => `${x}:${estimate}`;
  const scene = correlationScene(before, after, estimates, {
    before: 'b',
    after: 'a',
    alpha: 'α',
    heading: 'h',
    label,
  });
  const levels = of(scene, 'level');
  assert.equal(levels.length, 12);
  assert.equal(of(scene, 'estimate').length, 2);
  // β < 0: the most bonding level stands lowest, on both sides.
  const ys = levels.map((line) => line.y1);
  assert.ok(ys[0] > ys[2] && ys[1] > ys[3]);
  const labels = of(scene, 'level-label')
    .filter((item) => item.text.includes(':'))
    .map((item) => item.y);
  assert.equal(labels.length, 6);
  labels.slice(1).forEach((y, j) => assert.ok(labels[j] - y >= 14, `labels ${j + 1} and ${j + 2} apart`));
  assert.ok(inside(scene));
});
