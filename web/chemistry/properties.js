// The π properties of a solved molecule, from its coefficients and the
// occupation (the evenly shared one, so that no value depends on the basis
// chosen inside a degenerate set). Energies are in units of β (E = α + xβ),
// with the α part N α left out where it is the same for every structure.

const SQRT3 = Math.sqrt(3);

// `solution` { n, roots, vectors, electrons }; `shared` electrons per
// orbital; `molecule` the rebuilt { atoms, bonds, neighbours }; `occupied`
// the occupation result ({ gap }); `kekule` whether the graph has a Kekulé
// structure.
export function piProperties(solution, shared, molecule, gap, kekule) {
  const { n, roots, vectors, electrons } = solution;
  const piEnergy = roots.reduce((sum, x, j) => sum + shared[j] * x, 0);
  const density = Array.from({ length: n }, (_, r) => vectors.reduce((sum, c, j) => sum + shared[j] * c[r] * c[r], 0));
  const order = (r, s) => vectors.reduce((sum, c, j) => sum + shared[j] * c[r] * c[s], 0);
  const bondOrders = molecule.bonds.map(({ i, j }) => ({ i, j, order: order(i, j) }));
  const bonded = Array.from({ length: n }, () => 0);
  for (const { i, j, order: p } of bondOrders) {
    bonded[i] += p;
    bonded[j] += p;
  }
  const freeValence = molecule.atoms.map((atom, r) => (atom.hetero ? null : SQRT3 - bonded[r]));
  // Against isolated double bonds, which only a hydrocarbon of carbons
  // with one π electron each and standard bonds has.
  const plainHydrocarbon =
    electrons === n &&
    molecule.atoms.every((atom) => !atom.hetero) &&
    molecule.bonds.every(({ k }) => Math.abs(k - 1) < 1e-4);
  const delocalisation = plainHydrocarbon && kekule ? piEnergy - n : null;
  return { electrons, piEnergy, delocalisation, gap, density, bondOrders, freeValence };
}

const number = (value) => {
  const text = value.toFixed(6);
  return text === '-0.000000' ? '0.000000' : text;
};

// The properties as CSV: `quantity,atom_i,atom_j,value`, atoms numbered
// from 1 as in the report, empty where they do not apply; `more` rows
// ({ quantity, i, j, value }, atoms as written) follow.
export function propertiesCsv(p, more = []) {
  const rows = ['quantity,atom_i,atom_j,value', `pi_energy_beta,,,${number(p.piEnergy)}`];
  if (p.delocalisation !== null) rows.push(`delocalisation_beta,,,${number(p.delocalisation)}`);
  if (p.gap !== null) rows.push(`homo_lumo_gap,,,${number(p.gap)}`);
  p.density.forEach((q, r) => rows.push(`density,${r + 1},,${number(q)}`));
  for (const { i, j, order } of p.bondOrders) rows.push(`bond_order,${i + 1},${j + 1},${number(order)}`);
  p.freeValence.forEach((f, r) => {
    if (f !== null) rows.push(`free_valence,${r + 1},,${number(f)}`);
  });
  for (const { quantity, i, j, value } of more) rows.push(`${quantity},${i},${j},${number(value)}`);
  return `${rows.join('\n')}\n`;
}
