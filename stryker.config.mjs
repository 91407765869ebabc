// Mutation testing of the page's program and chemistry modules: StrykerJS
// changes one expression at a time and runs the node tests, which should
// fail for every change. A measurement, run by scripts/mutate_page.sh, not
// by continuous integration.
//
// The modules come in parts, each with the node tests that exercise it: a
// mutant runs its own part's tests only, which keeps the whole measurement
// to about an hour on two cores instead of several (every test file for
// every mutant). A mutant that only another part's tests would notice
// counts as surviving, so the score is, if anything, low. The program's
// tests run the built modules named by ORBCALC_WASM and ORBCALC_WASI_CHECKS.
export const PARTS = {
  'code-page': {
    mutate: ['web/program/cp932.js', 'web/tools/cp932_pack.mjs'],
    tests: ['tests/web/program/cp932.test.mjs'],
  },
  'runner': {
    mutate: ['web/program/{run,runs,wasi,traps}.js'],
    tests: ['tests/web/program/run.test.mjs', 'tests/web/program/wasi.test.mjs'],
  },
  'analysis': {
    mutate: ['web/chemistry/{analysis,layout,molecule,occupation,properties}.js', 'web/program/record.js'],
    tests: [
      'tests/web/chemistry/analysis.test.mjs',
      'tests/web/program/run.test.mjs',
      'tests/web/batch/compute.test.mjs',
    ],
  },
  'structure': {
    mutate: ['web/chemistry/{structure,molecule_graph,pi_system,pi_kinds,hetero_tables,answers_writer}.js'],
    tests: ['tests/web/chemistry/structure.test.mjs', 'tests/web/chemistry/pipeline_properties.test.mjs'],
  },
  'reactivity': {
    mutate: ['web/chemistry/{reactivity,derived_answers}.js'],
    tests: ['tests/web/chemistry/reactivity.test.mjs', 'tests/web/batch/compute.test.mjs'],
  },
  'links': {
    mutate: ['web/chemistry/link_codec.js'],
    tests: ['tests/web/chemistry/link_codec.test.mjs', 'tests/web/chemistry/pipeline_properties.test.mjs'],
  },
};

const part = PARTS[process.env.ORBCALC_MUTATION_PART ?? ''];
if (!part) throw new Error(`set ORBCALC_MUTATION_PART to one of: ${Object.keys(PARTS).join(', ')}`);
const name = process.env.ORBCALC_MUTATION_PART;

/** @type {import('@stryker-mutator/api/core').PartialStrykerOptions} */
export default {
  mutate: part.mutate,
  testRunner: 'command',
  commandRunner: { command: `node --test --test-reporter=dot ${part.tests.join(' ')}` },
  // The machines running this are shared: two mutants at a time.
  concurrency: 2,
  incremental: false,
  reporters: ['clear-text', 'progress-append-only', 'json'],
  jsonReporter: { fileName: `reports/mutation/${name}.json` },
  // The sandbox is a copy of the project without its build folders, which
  // can be large; node_modules (openchemlib) is linked into it, not copied.
  ignorePatterns: ['/build*'],
  tempDirName: `.stryker-tmp/${name}`,
  cleanTempDir: true,
};
