// The kinds of π atom: what the π-system finder calls each atom it takes,
// and what the parameter tables give values for.

// Every kind of π atom the finder knows: its element, how many π
// electrons it brings, and whether it counts as carbon (h = 0, k = 1 in
// every table).
export const KINDS = {
  'carbon': { symbol: 'C', electrons: 1, carbon: true },
  'carbocation': { symbol: 'C', electrons: 0, carbon: true },
  'carbanion': { symbol: 'C', electrons: 2, carbon: true },
  'carbon-radical': { symbol: 'C', electrons: 1, carbon: true },
  'n-pyridine': { symbol: 'N', electrons: 1 },
  'n-pyrrole': { symbol: 'N', electrons: 2 },
  'n-plus': { symbol: 'N', electrons: 1 },
  'o-carbonyl': { symbol: 'O', electrons: 1 },
  'o-ether': { symbol: 'O', electrons: 2 },
  'o-plus': { symbol: 'O', electrons: 1 },
  's-thione': { symbol: 'S', electrons: 1 },
  's-thiophene': { symbol: 'S', electrons: 2 },
  'f': { symbol: 'F', electrons: 2 },
  'cl': { symbol: 'Cl', electrons: 2 },
  'br': { symbol: 'Br', electrons: 2 },
  'i': { symbol: 'I', electrons: 2 },
  'b': { symbol: 'B', electrons: 0 },
};
