// Mutation testing of the page's program and chemistry modules: StrykerJS
// changes one expression at a time and runs the node tests, which should
// fail for every change. A measurement, run by scripts/mutate_page.sh, not
// by continuous integration.

// The modules to mutate.
export const MUTATE = ['web/program/*.js', 'web/chemistry/*.js'];

// The node tests that run against each mutant. The test of the page's words
// stays out: it reads the modules' source text, and in Stryker's copy that
// text is the instrumented code with every mutant in it.
export const TESTS = ['tests/web/program', 'tests/web/chemistry'];

/** @type {import('@stryker-mutator/api/core').PartialStrykerOptions} */
export default {
  mutate: MUTATE,
  testRunner: 'command',
  commandRunner: { command: `node --test --test-reporter=dot ${TESTS.join(' ')}` },
  // The machines running this are shared: two mutants at a time.
  concurrency: 2,
  incremental: false,
  reporters: ['clear-text', 'progress', 'html', 'json'],
  htmlReporter: { fileName: 'reports/mutation/page.html' },
  jsonReporter: { fileName: 'reports/mutation/page.json' },
  // The sandbox is a copy of the project without its build folders, which
  // can be large; node_modules (openchemlib) is linked into it, not copied.
  ignorePatterns: ['/build*'],
  tempDirName: '.stryker-tmp',
  cleanTempDir: true,
};
