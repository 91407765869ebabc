// Writes a π system as the answers the program reads, in its order: the
// compound name, the numbers of atoms, bonds, π electrons and hetero
// parameters, one bond per line, one `i j value` line per hetero
// parameter, and an answer to the last question. Lines end in a line feed,
// as in the bundled answer files.

const NAME_BYTES = 40; // the program keeps the first 40 bytes of the name
const FINAL_ANSWER = 'x';

// A value as the program's real reader takes it, and as a person reads it:
// 2 as "2.0", 0.51 as "0.51".
export function formatValue(value) {
  return Number.isInteger(value) ? value.toFixed(1) : String(value);
}

// The name as the program will keep it, quoted so that blanks, commas and
// slashes stay in it: control characters become blanks (a line end or a
// carriage return would otherwise end up inside the stored name), the
// text is cut to 40 bytes of code page 932 without splitting a character,
// and an apostrophe inside is doubled. A character the code page cannot
// hold is refused by name.
export function quoteName(name, cp932) {
  let kept = '';
  let bytes = 0;
  for (const given of name) {
    const character = given <= '\u001f' || given === '\u007f' ? ' ' : given;
    let size;
    try {
      size = cp932.encode(character).length;
    } catch {
      return { refusal: { code: 'name-unencodable', character } };
    }
    if (bytes + size > NAME_BYTES) break;
    kept += character;
    bytes += size;
  }
  return { text: `'${kept.replaceAll("'", "''")}'` };
}

// `system` from pi_system.js (numbered as the answers will number it),
// `parameters` from hetero_tables.js. Returns { text, bytes } or { refusal }.
export function writeAnswers({ name, system, parameters }, cp932) {
  const quoted = quoteName(name, cp932);
  if (quoted.refusal) return quoted;
  const triples = [];
  parameters.atoms.forEach(({ h }, p) => {
    if (h !== 0) triples.push(`${p + 1} ${p + 1} ${formatValue(h)}`);
  });
  system.bonds.forEach(({ i, j }, b) => {
    const { k } = parameters.bonds[b];
    if (k !== 1) triples.push(`${i + 1} ${j + 1} ${formatValue(k)}`);
  });
  const lines = [
    quoted.text,
    String(system.atoms.length),
    String(system.bonds.length),
    String(system.electrons),
    String(triples.length),
    ...system.bonds.map(({ i, j }) => `${i + 1} ${j + 1}`),
    ...triples,
    FINAL_ANSWER,
  ];
  const text = lines.map((line) => `${line}\n`).join('');
  return { text, bytes: cp932.encode(text) };
}
