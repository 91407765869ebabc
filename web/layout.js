// Two-dimensional coordinates for the rebuilt molecule's bond graph, from
// the chemistry library, loaded the first time a table is finished (never
// at page load: it is most of the page's bytes). The atoms keep their
// order; atoms without bonds are placed apart by the library.

let library = null;

export function loadLibrary() {
  library ??= import('./vendor/openchemlib.js');
  return library;
}

// Whether the library has been asked for.
export const libraryRequested = () => library !== null;

// Coordinates [{ x, y }] of `n` atoms joined by `bonds` ({ i, j }, 0-based),
// y pointing down, bond length about 1.
export async function layOut(n, bonds) {
  const { Molecule } = await loadLibrary();
  const molecule = new Molecule(n, bonds.length);
  for (let i = 0; i < n; i++) molecule.addAtom(6);
  for (const { i, j } of bonds) molecule.addBond(i, j);
  molecule.ensureHelperArrays(Molecule.cHelperNeighbours);
  // The default templates cost about a second on the first call, and
  // regular rings need none of them.
  molecule.inventCoordinates({ skipDefaultTemplates: true });
  return Array.from({ length: n }, (_, a) => ({ x: molecule.getAtomX(a), y: molecule.getAtomY(a) }));
}
