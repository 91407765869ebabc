// A molecule's rows as the batch writes them: CSV in long form, with the
// molecule first, or one JSON line for the molecule. Values have the six
// decimals of the page's saved CSV.

import { csvNumber } from '../chemistry/properties.js';

// A CSV field, quoted when it holds a comma, a quote or a line break.
export function csvField(text) {
  return /[",\r\n]/.test(text) ? `"${text.replaceAll('"', '""')}"` : text;
}

export function csvLines(name, rows) {
  const molecule = csvField(name);
  return rows.map(({ quantity, i, j, value }) => `${molecule},${quantity},${i},${j},${csvNumber(value)}\n`).join('');
}

// The values are written as the CSV writes them, six decimals, which JSON
// reads as numbers.
export function jsonLine(name, rows) {
  const atom = (a) => (a === '' ? 'null' : String(a));
  const written = rows.map(
    ({ quantity, i, j, value }) =>
      `{"quantity":${JSON.stringify(quantity)},"atom_i":${atom(i)},"atom_j":${atom(j)},"value":${csvNumber(value)}}`,
  );
  return `{"molecule":${JSON.stringify(name)},"rows":[${written.join(',')}]}\n`;
}
