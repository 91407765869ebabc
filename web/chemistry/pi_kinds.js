// The kinds of π atom: what the π-system finder calls each atom it takes,
// and what the parameter tables give values for.

// Every kind of π atom the finder knows: how many π electrons it brings,
// and whether it counts as carbon (h = 0, k = 1 in every table).
export const KINDS = {
  'carbon': { electrons: 1, carbon: true },
  'carbocation': { electrons: 0, carbon: true },
  'carbanion': { electrons: 2, carbon: true },
  'carbon-radical': { electrons: 1, carbon: true },
  'n-pyridine': { electrons: 1 },
  'n-pyrrole': { electrons: 2 },
  'n-plus': { electrons: 1 },
  'o-carbonyl': { electrons: 1 },
  'o-ether': { electrons: 2 },
  'o-plus': { electrons: 1 },
  's-thione': { electrons: 1 },
  's-thiophene': { electrons: 2 },
  'f': { electrons: 2 },
  'cl': { electrons: 2 },
  'br': { electrons: 2 },
  'i': { electrons: 2 },
  'b': { electrons: 0 },
};
