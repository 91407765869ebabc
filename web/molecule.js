// The molecule rebuilt from a solution: A = V diag(x) V^T, in double
// precision, gives back the Hückel matrix that was solved. Its off-diagonal
// elements are the bonds with their k (including those set by hetero
// parameters and those past the bond list's 30 entries), its diagonal the
// h of each atom.

// Elements smaller than this, relative to the largest root (at least 1),
// are taken as zero. The rebuilt matrix matches the solved one to a few
// units in the seventh digit of that scale, so 1e-4 keeps every k and h
// that a user can mean and none of the rounding noise.
export const ZERO_BELOW = 1e-4;

// The rebuilt molecule of `solution` ({ n, roots, vectors }): `atoms` (h of
// each, `hetero` when h is not zero), `bonds` ({ i, j, k }, 0-based, i < j,
// in order), `neighbours` of each atom.
export function rebuildMolecule({ n, roots, vectors }) {
  const scale = Math.max(1, ...roots.map(Math.abs));
  const limit = ZERO_BELOW * scale;
  const a = (i, j) => {
    let sum = 0;
    for (let m = 0; m < n; m++) sum += vectors[m][i] * roots[m] * vectors[m][j];
    return sum;
  };
  const clean = (value) => (Math.abs(value) < limit ? 0 : value);
  const atoms = Array.from({ length: n }, (_, i) => {
    const h = clean(a(i, i));
    return { h, hetero: h !== 0 };
  });
  const bonds = [];
  const neighbours = atoms.map(() => []);
  for (let i = 0; i < n; i++) {
    for (let j = i + 1; j < n; j++) {
      const k = clean(a(i, j));
      if (k === 0) continue;
      bonds.push({ i, j, k });
      neighbours[i].push(j);
      neighbours[j].push(i);
    }
  }
  return { atoms, bonds, neighbours };
}

// Whether the bond graph has a Kekulé structure: a set of bonds that holds
// every atom exactly once.
export function hasKekuleStructure(n, neighbours) {
  const seen = new Set();
  const match = (free) => {
    if (free === 0n) return true;
    if (seen.has(free)) return false;
    let first = 0;
    while (!(free & (1n << BigInt(first)))) first++;
    const rest = free & ~(1n << BigInt(first));
    for (const other of neighbours[first]) {
      if ((rest & (1n << BigInt(other))) && match(rest & ~(1n << BigInt(other)))) return true;
    }
    seen.add(free);
    return false;
  };
  return n % 2 === 0 && match((1n << BigInt(n)) - 1n);
}
