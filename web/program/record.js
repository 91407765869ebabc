// The work record of a run, read from the WebAssembly module's memory, and
// the solution it holds once the table is printed. The record is the
// program's own: 30 by 30 matrices of binary32 stored column by column,
// then the bond lists and four signed 32-bit counts, without gaps.

export const MAX_ATOMS = 30; // the record has room for 30 atoms
export const RECORD_BYTES = 7456;
const OFFSETS = { hmat: 0, vmat: 3600, iat: 7200, jat: 7320, natom: 7440, nbond: 7444, nelec: 7448, nhet: 7452 };

// The lines of the two statements after the table: the final question's
// read and the stop. Before the table the diagonal holds h values, not
// roots, and only the statement in progress tells the two apart.
const FINAL_READ_LINE = 36;
const STOP_LINE = 47;

// Whether a run whose statement in progress is at `line` has printed its
// table: it waits at the final question or has ended after it.
export function tableIsPrinted(line) {
  return line === FINAL_READ_LINE || line === STOP_LINE;
}

// The record from its `bytes` (a copy of RECORD_BYTES bytes).
export function readRecord(bytes) {
  const view = new DataView(bytes.buffer, bytes.byteOffset, RECORD_BYTES);
  const floats = (offset) =>
    Float32Array.from({ length: MAX_ATOMS * MAX_ATOMS }, (_, k) => view.getFloat32(offset + 4 * k, true));
  const ints = (offset) => Int32Array.from({ length: MAX_ATOMS }, (_, k) => view.getInt32(offset + 4 * k, true));
  const count = (name) => view.getInt32(OFFSETS[name], true);
  return {
    hmat: floats(OFFSETS.hmat),
    vmat: floats(OFFSETS.vmat),
    iat: ints(OFFSETS.iat),
    jat: ints(OFFSETS.jat),
    natom: count('natom'),
    nbond: count('nbond'),
    nelec: count('nelec'),
    nhet: count('nhet'),
  };
}

// Element (i, j), 0-based, of a matrix stored column by column.
const element = (matrix, i, j) => matrix[j * MAX_ATOMS + i];

// The solution in a record whose table is printed: for the n atoms of the
// solved block, the roots x (descending, as printed) and the coefficient
// columns, orbital j's coefficient on atom r being `vectors[j][r]`.
// `converged` is false when finite values above the solver's bound still
// stand where it measures, below the diagonal (the run warned that it stopped without
// converging); `finite` is false when a root or a coefficient is an
// infinity or not a number.
export function solutionOf(record) {
  const n = Math.min(Math.max(record.natom, 0), MAX_ATOMS);
  const roots = Array.from({ length: n }, (_, j) => element(record.hmat, j, j));
  const vectors = Array.from({ length: n }, (_, j) => Array.from({ length: n }, (_, r) => element(record.vmat, r, j)));
  // The solver's own measure: element (2, 1) always, even for a block
  // of one atom, then every element below the block's diagonal.
  const below = [element(record.hmat, 1, 0)];
  for (let j = 0; j < n; j++) {
    for (let i = j + 1; i < n; i++) below.push(element(record.hmat, i, j));
  }
  const converged = !below.some((value) => Number.isFinite(value) && Math.abs(value) > 1.0e-6);
  const finite = roots.every(Number.isFinite) && vectors.every((v) => v.every(Number.isFinite));
  return { n, electrons: record.nelec, roots, vectors, converged, finite };
}
