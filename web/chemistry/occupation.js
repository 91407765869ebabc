// The electrons of a solution in its orbitals: filled from the most bonding
// level (largest x, since β < 0) two to an orbital, with Hund's rule inside
// a set of degenerate orbitals. Returns data, or the problem that keeps a
// level diagram from being drawn.

// Roots closer than this belong to one degenerate set.
const DEGENERATE_WITHIN = 1e-4;

// The degenerate sets of `roots` (descending): arrays of orbital indices,
// most bonding first.
export function degenerateSets(roots) {
  const sets = [];
  roots.forEach((x, j) => {
    const last = sets[sets.length - 1];
    if (last && Math.abs(roots[last[last.length - 1]] - x) < DEGENERATE_WITHIN) last.push(j);
    else sets.push([j]);
  });
  return sets;
}

// Why `solution` cannot be drawn, as { problem, ...details }, or null.
export function problemOf({ n, electrons, finite, converged }) {
  if (n === 0) return { problem: 'no-atoms' };
  if (!finite) return { problem: 'not-finite' };
  if (!converged) return { problem: 'not-converged' };
  if (electrons < 0 || electrons > 2 * n) return { problem: 'electron-count', electrons, most: 2 * n };
  return null;
}

// The occupation of a drawable `solution`:
// - `sets`: { x, orbitals, electrons } most bonding first, `electrons` per
//   orbital as drawn (Hund's rule);
// - `occupation`: electrons per orbital as drawn; `shared`: the same, but
//   spread evenly over a partly filled degenerate set, so that sums over
//   orbitals do not depend on the arbitrary basis inside the set;
// - `homo`, `lumo`: indices into `sets`, or null; `somo`: whether the HOMO
//   set holds a single electron in an orbital; `partlyFilled`: whether the
//   HOMO set has room left; `gap`: x(HOMO) − x(LUMO) in |β| when the HOMO
//   set is full and a LUMO exists, else null.
export function occupy({ roots, electrons }) {
  const sets = degenerateSets(roots);
  const occupation = roots.map(() => 0);
  const shared = roots.map(() => 0);
  let left = electrons;
  let homo = null;
  const drawn = sets.map((orbitals, s) => {
    const size = orbitals.length;
    const here = Math.min(left, 2 * size);
    left -= here;
    if (here > 0) homo = s;
    const perOrbital = orbitals.map((_, k) => (here >= size ? 1 + (k < here - size ? 1 : 0) : k < here ? 1 : 0));
    orbitals.forEach((j, k) => {
      occupation[j] = perOrbital[k];
      shared[j] = here / size;
    });
    return { x: roots[orbitals[0]], orbitals, electrons: perOrbital };
  });
  const lumoAt = homo === null ? 0 : homo + 1;
  const lumo = lumoAt < sets.length ? lumoAt : null;
  const top = homo === null ? null : drawn[homo];
  const partlyFilled = top !== null && top.electrons.reduce((a, b) => a + b, 0) < 2 * top.orbitals.length;
  const somo = top !== null && top.electrons.includes(1);
  const gap = top !== null && !partlyFilled && lumo !== null ? top.x - drawn[lumo].x : null;
  return { sets: drawn, occupation, shared, homo, lumo: partlyFilled ? null : lumo, somo, partlyFilled, gap };
}
