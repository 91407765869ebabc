// The pictures as data: what the level diagram, the orbital and the π
// properties scenes hold for molecules whose orbitals are known in closed
// form (chains and rings), before anything is drawn.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { hasKekuleStructure, rebuildMolecule } from '../../../web/chemistry/molecule.js';
import { occupy } from '../../../web/chemistry/occupation.js';
import { piProperties } from '../../../web/chemistry/properties.js';
import { translator } from '../../../web/i18n/i18n.js';
import { levelsScene } from '../../../web/views/levels_scene.js';
import { orbitalScene, propertiesScene } from '../../../web/views/molecule_scene.js';

// A chain of n atoms: x_j = 2 cos(jπ/(n+1)), c_rj = √(2/(n+1)) sin(rjπ/(n+1)).
function chain(n, electrons) {
  const angle = Math.PI / (n + 1);
  const orbitals = Array.from({ length: n }, (_, j) => j + 1);
  return {
    n,
    electrons,
    finite: true,
    converged: true,
    roots: orbitals.map((j) => 2 * Math.cos(j * angle)),
    vectors: orbitals.map((j) =>
      Array.from({ length: n }, (_, r) => Math.sqrt(2 / (n + 1)) * Math.sin((r + 1) * j * angle)),
    ),
  };
}

// A ring of n atoms (n even): the real pairs cos and sin of each degenerate level.
function ring(n, electrons) {
  const wave = (k, f) => Array.from({ length: n }, (_, r) => f((2 * Math.PI * k * r) / n));
  const orbitals = [{ x: 2, c: wave(0, () => 1 / Math.sqrt(n)) }];
  for (let k = 1; k < n / 2; k++) {
    const x = 2 * Math.cos((2 * Math.PI * k) / n);
    orbitals.push(
      { x, c: wave(k, (a) => Math.sqrt(2 / n) * Math.cos(a)) },
      { x, c: wave(k, (a) => Math.sqrt(2 / n) * Math.sin(a)) },
    );
  }
  orbitals.push({ x: -2, c: wave(n / 2, (a) => Math.cos(a) / Math.sqrt(n)) });
  return {
    n,
    electrons,
    finite: true,
    converged: true,
    roots: orbitals.map((o) => o.x),
    vectors: orbitals.map((o) => o.c),
  };
}

const t = translator('en');
const texts = (scene, className) => scene.items.filter((item) => item.className === className).map((item) => item.text);
const arrows = (scene) =>
  scene.items
    .filter((item) => item.type === 'group')
    .flatMap((group) => group.children.filter((child) => child.className === 'electron'));
// Atoms on a circle, as the page lays out a ring.
const circle = (n) =>
  Array.from({ length: n }, (_, r) => ({ x: Math.cos((2 * Math.PI * r) / n), y: Math.sin((2 * Math.PI * r) / n) }));

test('the level diagram: a level per orbital, an arrow per electron, the frontier marks and the gap', () => {
  const cases = [
    // name, solution, levels side by side at one height, marks, gap shown
    ['butadiene', chain(4, 4), [1, 1, 1, 1], ['HOMO', 'LUMO'], '1.2361'],
    ['benzene', ring(6, 6), [1, 2, 2, 1], ['HOMO', 'LUMO'], '2.0000'],
    ['allyl radical', chain(3, 3), [1, 1, 1], ['SOMO'], null], // its own set has room: no LUMO mark
    ['benzene dication', ring(6, 4), [1, 2, 2, 1], ['SOMO'], null], // Hund's rule in the half-filled pair
  ];
  for (const [name, solution, sets, marks, gap] of cases) {
    const occupied = occupy(solution);
    const scene = levelsScene(occupied, 0, t);
    const groups = scene.items.filter((item) => item.type === 'group');
    assert.equal(groups.length, solution.n, name);
    assert.deepEqual(
      occupied.sets.map((set) => set.orbitals.length),
      sets,
      name,
    );
    assert.equal(arrows(scene).length, solution.electrons, name);
    assert.deepEqual(texts(scene, 'level-mark'), marks, name);
    assert.equal(texts(scene, 'level-label').length, sets.length + (gap === null ? 0 : 1), name);
    if (gap !== null) assert.ok(texts(scene, 'level-label').at(-1).includes(gap), name);
    // Degenerate orbitals stand side by side at one height; every label fits.
    for (const group of groups)
      assert.ok(group.children.every((child) => child.x1 === undefined || child.x2 <= scene.width));
    assert.ok(groups.filter((g) => g.selected).length === 1, name);
  }
});

test('the orbital on the molecule: a lobe per atom with a coefficient, signs filled or hollow, every atom numbered', () => {
  const cases = [
    // name, solution, orbital, positive and negative lobes
    ['butadiene HOMO', chain(4, 4), 1, 2, 2],
    ['butadiene lowest', chain(4, 4), 0, 4, 0],
    ['allyl middle', chain(3, 3), 1, 1, 1], // the node at atom 2 has no lobe
    ['benzene lowest', ring(6, 6), 0, 6, 0],
  ];
  for (const [name, solution, j, positive, negative] of cases) {
    const molecule = rebuildMolecule(solution);
    const scene = orbitalScene(solution, molecule, circle(solution.n), j, name, t);
    const lobes = (className) => scene.items.filter((item) => item.className === className).length;
    assert.deepEqual([lobes('lobe positive'), lobes('lobe negative')], [positive, negative], name);
    assert.deepEqual(
      texts(scene, 'atom-number'),
      Array.from({ length: solution.n }, (_, r) => String(r + 1)),
      name,
    );
    assert.equal(scene.items.filter((item) => item.className === 'bond').length, molecule.bonds.length, name);
    assert.equal(scene.label, name);
    assert.ok(
      scene.items.every((item) => item.cy === undefined || (item.cy > 0 && item.cy < scene.height)),
      name,
    );
  }
});

test('the π properties on the molecule: a density per atom and an order per bond, as in the table', () => {
  for (const [name, solution] of [
    ['butadiene', chain(4, 4)],
    ['benzene', ring(6, 6)],
  ]) {
    const occupied = occupy(solution);
    const molecule = rebuildMolecule(solution);
    const properties = piProperties(
      solution,
      occupied.shared,
      molecule,
      occupied.gap,
      hasKekuleStructure(solution.n, molecule.neighbours),
    );
    const scene = propertiesScene(properties, molecule, circle(solution.n), name, t);
    assert.deepEqual(
      texts(scene, 'density'),
      properties.density.map((q) => q.toFixed(3)),
      name,
    );
    assert.deepEqual(
      texts(scene, 'bond-order'),
      properties.bondOrders.map(({ order }) => order.toFixed(3)),
      name,
    );
    assert.equal(scene.items.filter((item) => item.className === 'atom-ring').length, solution.n, name);
  }
});

test('a heading in Japanese widens the picture to hold it', () => {
  const solution = chain(2, 2);
  const molecule = rebuildMolecule(solution);
  const narrow = orbitalScene(solution, molecule, circle(2), 0, 'x', t);
  const wide = orbitalScene(solution, molecule, circle(2), 0, '軌道'.repeat(20), t);
  assert.ok(wide.width > narrow.width && wide.width >= 16 + 40 * 14.5);
});
