// The command line of orbcalc-batch: its options, checked, with their
// defaults, or the reason it cannot be used as given.

import { parseArgs } from 'node:util';

import { TABLE_IDS, DEFAULT_TABLE } from '../chemistry/hetero_tables.js';
import { INDICES } from '../chemistry/reactivity.js';

const FORMATS = ['csv', 'jsonl'];
const INPUT_FORMATS = ['answers', 'smi', 'mol', 'sdf'];
// Every quantity the page saves, in the order it saves them.
export const QUANTITIES = [
  'pi_energy_beta',
  'delocalisation_beta',
  'homo_lumo_gap',
  'density',
  'bond_order',
  'free_valence',
  'net_charge',
  ...INDICES,
  'polarisability',
];

export const USAGE = `Usage: orbcalc-batch [OPTION]... FILE...
The π properties and reactivity indices of many molecules, with the
chemistry of orbcalc's page. FILE is a SMILES file (.smi), a molfile
(.mol), an SD file (.sdf, .sd), or else an answer file; - is standard input.

  --input-format answers|smi|mol|sdf  what every FILE holds (needed for -)
  --table ${TABLE_IDS.join('|')}  heteroatom parameters (default ${DEFAULT_TABLE})
  --format ${FORMATS.join('|')}  output format (default csv)
  --quantities LIST  comma-separated quantities (default all)
  --jobs N           worker threads (default the number of processors)
  --outputs DIR      also write each molecule's console output to DIR/NAME.out
  --answers DIR      write the answers derived from each structure to DIR/NAME.txt
  --refusals FILE    write refused molecules to FILE, not standard error
  --help             show this help and stop
  --version          show the version and stop

Exit status: 0 every molecule computed, 1 some refused, 2 a usage error or
an input file that cannot be read.
`;

const ACCEPTED = {
  'input-format': { type: 'string' },
  table: { type: 'string' },
  format: { type: 'string' },
  quantities: { type: 'string' },
  jobs: { type: 'string' },
  outputs: { type: 'string' },
  answers: { type: 'string' },
  refusals: { type: 'string' },
  help: { type: 'boolean' },
  version: { type: 'boolean' },
};

const oneOf = (name, value, allowed) =>
  allowed.includes(value) ? null : `--${name} takes one of ${allowed.join(', ')}, not "${value}"`;

// `args` the arguments after the script, `processors` the default number
// of jobs. Returns { options } or { usage: reason }.
export function parseOptions(args, processors) {
  let parsed;
  try {
    parsed = parseArgs({ args, options: ACCEPTED, allowPositionals: true, strict: true });
  } catch (error) {
    return { usage: error.message };
  }
  const { values, positionals: files } = parsed;
  const options = {
    files,
    inputFormat: values['input-format'] ?? null,
    table: values.table ?? DEFAULT_TABLE,
    format: values.format ?? 'csv',
    quantities: values.quantities === undefined ? QUANTITIES : values.quantities.split(','),
    jobs: values.jobs === undefined ? processors : Number(values.jobs),
    outputs: values.outputs ?? null,
    answers: values.answers ?? null,
    refusals: values.refusals ?? null,
    help: values.help === true,
    version: values.version === true,
  };
  if (options.help || options.version) return { options };
  const reason =
    (options.inputFormat !== null && oneOf('input-format', options.inputFormat, INPUT_FORMATS)) ||
    oneOf('table', options.table, TABLE_IDS) ||
    oneOf('format', options.format, FORMATS) ||
    options.quantities.map((q) => oneOf('quantities', q, QUANTITIES)).find((r) => r !== null) ||
    (!Number.isInteger(options.jobs) || options.jobs < 1
      ? `--jobs takes a whole number from 1, not "${values.jobs}"`
      : null) ||
    (files.length === 0 ? 'no input file' : null) ||
    (files.includes('-') && options.inputFormat === null ? '- (standard input) needs --input-format' : null) ||
    (files.filter((f) => f === '-').length > 1 ? '- (standard input) given twice' : null);
  return reason ? { usage: reason } : { options };
}
