// The molecule rebuilt from a solution: A = V diag(x) V^T, in double
// precision, gives back the Hückel matrix that was solved. Its off-diagonal
// elements are the bonds with their k (including those set by hetero
// parameters and those past the bond list's 30 entries), its diagonal the
// h of each atom.

// Elements smaller than this, relative to the largest root (at least 1),
// are taken as zero. The rebuilt matrix matches the solved one to a few
// units in the seventh digit of that scale, so 1e-4 keeps every k and h
// that a user can mean and none of the rounding noise.
const ZERO_BELOW = 1e-4;

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
// every atom exactly once (a perfect matching). Tested by Tutte's theorem:
// the graph has one exactly when its Tutte matrix (x_ij above the
// diagonal for each bond, −x_ij below) is not singular. With random x_ij
// modulo a prime a singular answer is wrong with a chance below n/p per
// trial; three trials make it negligible, and the time stays n³ for any
// graph, where a search over matchings can take exponential time.
const PRIME = 67108859; // 2^26 − 5: products of two residues stay exact in a double

export function hasKekuleStructure(n, neighbours) {
  if (n % 2 !== 0) return false;
  if (n === 0) return true;
  let state = 12345; // a fixed start, so that every run decides alike
  const random = () => {
    state = (state * 48271) % 2147483647;
    return 1 + (state % (PRIME - 1));
  };
  for (let trial = 0; trial < 3; trial++) {
    const matrix = Array.from({ length: n }, () => new Array(n).fill(0));
    neighbours.forEach((list, i) => {
      for (const j of list) {
        if (j <= i) continue;
        const x = random();
        matrix[i][j] = x;
        matrix[j][i] = PRIME - x;
      }
    });
    if (determinantMod(matrix) !== 0) return true;
  }
  return false;
}

const multiply = (a, b) => Number((BigInt(a) * BigInt(b)) % BigInt(PRIME));

function inverse(a) {
  let result = 1;
  let base = a;
  for (let e = PRIME - 2; e > 0; e = Math.floor(e / 2)) {
    if (e % 2 === 1) result = multiply(result, base);
    base = multiply(base, base);
  }
  return result;
}

// Whether the determinant of `matrix` modulo PRIME is zero (0) or not (1).
function determinantMod(matrix) {
  const n = matrix.length;
  for (let col = 0; col < n; col++) {
    const pivot = matrix.findIndex((row, r) => r >= col && row[col] !== 0);
    if (pivot < 0) return 0;
    [matrix[col], matrix[pivot]] = [matrix[pivot], matrix[col]];
    const scale = inverse(matrix[col][col]);
    for (let r = col + 1; r < n; r++) {
      const factor = multiply(matrix[r][col], scale);
      if (factor === 0) continue;
      for (let c = col; c < n; c++) {
        matrix[r][c] = (matrix[r][c] - multiply(factor, matrix[col][c]) + PRIME) % PRIME;
      }
    }
  }
  return 1;
}
