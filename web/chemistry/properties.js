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

// A value as the saved CSV writes it: six decimals, and no negative zero.
export function csvNumber(value) {
  const text = value.toFixed(6);
  return text === '-0.000000' ? '0.000000' : text;
}

// The properties as rows { quantity, i, j, value }, atoms numbered from 1
// as in the report, '' where they do not apply.
export function propertyRows(p) {
  const rows = [{ quantity: 'pi_energy_beta', i: '', j: '', value: p.piEnergy }];
  if (p.delocalisation !== null) rows.push({ quantity: 'delocalisation_beta', i: '', j: '', value: p.delocalisation });
  if (p.gap !== null) rows.push({ quantity: 'homo_lumo_gap', i: '', j: '', value: p.gap });
  p.density.forEach((q, r) => rows.push({ quantity: 'density', i: r + 1, j: '', value: q }));
  for (const { i, j, order } of p.bondOrders) rows.push({ quantity: 'bond_order', i: i + 1, j: j + 1, value: order });
  p.freeValence.forEach((f, r) => {
    if (f !== null) rows.push({ quantity: 'free_valence', i: r + 1, j: '', value: f });
  });
  return rows;
}

// The net charge of each atom as rows: the π electrons it brings (by
// atom, as the structure gave them) less its π electron density.
export function netChargeRows(p, electrons) {
  return p.density.map((q, r) => ({ quantity: 'net_charge', i: r + 1, j: '', value: electrons[r] - q }));
}

// The properties as CSV: `quantity,atom_i,atom_j,value`; `more` rows
// ({ quantity, i, j, value }, atoms as written) follow.
export function propertiesCsv(p, more = []) {
  const rows = [...propertyRows(p), ...more].map(
    ({ quantity, i, j, value }) => `${quantity},${i},${j},${csvNumber(value)}`,
  );
  return `${['quantity,atom_i,atom_j,value', ...rows].join('\n')}\n`;
}
