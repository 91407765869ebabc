// A chemistry library's molecule turned into plain data that the π-system
// finder can read without the library: atoms with their element, charge,
// radical, aromaticity, implicit hydrogens, neighbours and drawing
// position, bonds { i, j } with their order. Indices are the library's own atom and bond indices, so a finding
// about atom 3 can be shown on the library's drawing of atom 3.

// The library's codes for an atom's radical state.
const RADICALS = new Map([
  [0, 'none'],
  [0x10, 'singlet'],
  [0x20, 'doublet'],
  [0x30, 'triplet'],
]);

// `molecule` is an OpenChemLib Molecule; `Molecule` is its class, whose
// constants name the helper arrays to compute.
export function moleculeToGraph(molecule, Molecule) {
  molecule.ensureHelperArrays(Molecule.cHelperRings);
  const atoms = [];
  for (let i = 0; i < molecule.getAllAtoms(); i++) {
    atoms.push({
      element: molecule.getAtomicNo(i),
      symbol: molecule.getAtomLabel(i),
      charge: molecule.getAtomCharge(i),
      radical: RADICALS.get(molecule.getAtomRadical(i)) ?? 'other',
      aromatic: molecule.isAromaticAtom(i),
      hydrogens: molecule.getImplicitHydrogens(i),
      neighbours: [],
      x: molecule.getAtomX(i),
      y: molecule.getAtomY(i),
    });
  }
  const bonds = [];
  for (let b = 0; b < molecule.getAllBonds(); b++) {
    const first = molecule.getBondAtom(0, b);
    const second = molecule.getBondAtom(1, b);
    bonds.push({ i: first, j: second, order: molecule.getBondOrder(b), aromatic: molecule.isAromaticBond(b) });
    atoms[first].neighbours.push(second);
    atoms[second].neighbours.push(first);
  }
  return { atoms, bonds };
}

// The refusal for a SMILES the library could not read. Its messages end in
// "position:N" (or "Position:N"), N counting characters from 0.
export function smilesRefusal(error) {
  const match = /position:\s*(\d+)/i.exec(String(error?.message ?? error));
  return { code: 'smiles-unreadable', position: match ? Number(match[1]) : null };
}
