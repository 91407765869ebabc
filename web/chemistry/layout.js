// Two-dimensional coordinates for the rebuilt molecule's bond graph, from
// the chemistry library, which is handed in. The atoms keep their order;
// atoms without bonds are placed apart by the library.

// Coordinates [{ x, y }] of `n` atoms joined by `bonds` ({ i, j }, 0-based),
// y pointing down, bond length about 1.
export function layOut(library, n, bonds) {
  const { Molecule } = library;
  const molecule = new Molecule(n, bonds.length);
  for (let i = 0; i < n; i++) molecule.addAtom(6);
  for (const { i, j } of bonds) molecule.addBond(i, j);
  molecule.ensureHelperArrays(Molecule.cHelperNeighbours);
  // The default templates cost about a second on the first call, and
  // regular rings need none of them.
  molecule.inventCoordinates({ skipDefaultTemplates: true });
  return Array.from({ length: n }, (_, a) => ({ x: molecule.getAtomX(a), y: molecule.getAtomY(a) }));
}
