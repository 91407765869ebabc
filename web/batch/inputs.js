// The molecules of an input file: each with its name (or, lacking one,
// its line or record number in the file) and what the chemistry reads:
// a SMILES, a molfile, or an answer file's bytes.

import { basename, extname } from 'node:path';

const BY_EXTENSION = { '.smi': 'smi', '.mol': 'mol', '.sdf': 'sdf', '.sd': 'sdf' };

// What the file at `path` holds: `given` (--input-format) when there is
// one, else what its name says, else answers.
export function formatOf(path, given) {
  return given ?? BY_EXTENSION[extname(path).toLowerCase()] ?? 'answers';
}

const lines = (text) => text.split(/\r?\n/);

// A SMILES file: a SMILES, then optionally blanks and a name. Blank lines
// hold no molecule.
function smilesFile(text) {
  const molecules = [];
  lines(text).forEach((line, k) => {
    const match = /^\s*(\S+)(?:\s+(.*?))?\s*$/.exec(line);
    if (match) molecules.push({ name: match[2] || String(k + 1), numbered: !match[2], input: match[1] });
  });
  return molecules;
}

// An SD file: records that each end at a line "$$$$", the first line of
// a record its title. A last record without its end still counts.
function sdFile(text) {
  const records = [];
  let record = [];
  for (const line of lines(text)) {
    if (line.trimEnd() === '$$$$') {
      records.push(record);
      record = [];
    } else {
      record.push(line);
    }
  }
  if (record.some((line) => line.trim() !== '')) records.push(record);
  return records.map((recordLines, k) => {
    const title = recordLines[0]?.trim();
    return { name: title || String(k + 1), numbered: !title, input: `${recordLines.join('\n')}\n` };
  });
}

// The molecules in `bytes`, read from `path` as `format`. A molecule named
// by its number is named FILE:NUMBER when `numbersByFile` is set (several
// files are read, whose numbers would otherwise meet).
export function moleculesIn(bytes, format, path, numbersByFile = false) {
  const fileName = basename(path, extname(path));
  if (format === 'answers') return [{ name: fileName, input: bytes, answers: true }];
  const text = new TextDecoder().decode(bytes);
  if (format === 'mol') return [{ name: lines(text)[0].trim() || fileName, input: text }];
  const molecules = format === 'smi' ? smilesFile(text) : sdFile(text);
  if (numbersByFile) {
    for (const molecule of molecules) if (molecule.numbered) molecule.name = `${fileName}:${molecule.name}`;
  }
  return molecules.map(({ name, input }) => ({ name, input }));
}

// A file name for each name: characters other than ASCII letters, digits,
// '.', '_' and '-' become '_', as does a leading '.', and a name already
// taken gets -2, -3, ... so that no file overwrites another.
export function fileNames(names) {
  const taken = new Set();
  return names.map((name) => {
    const safe = name.replace(/[^A-Za-z0-9._-]/g, '_').replace(/^\./, '_');
    let candidate = safe;
    for (let k = 2; taken.has(candidate); k++) candidate = `${safe}-${k}`;
    taken.add(candidate);
    return candidate;
  });
}
