// ESLint's flat configuration for the page's JavaScript, its node tests and
// the project's node scripts: the recommended rules, with unused function
// arguments and caught errors counted as unused variables too. A lone `_`
// is the one name allowed to go unused: it holds the place of an argument
// before one that is used, as in `Array.from({ length: n }, (_, i) => i)`.
import js from '@eslint/js';
import globals from 'globals';

import pageWords from './scripts/eslint_page_words.mjs';

export default [
  { ignores: ['node_modules/', 'build*/', 'web/vendor/', '.stryker-tmp/', 'reports/'] },
  js.configs.recommended,
  {
    linterOptions: { reportUnusedDisableDirectives: 'error' },
    rules: {
      'no-unused-vars': ['error', { args: 'all', argsIgnorePattern: '^_$', caughtErrors: 'all' }],
    },
  },
  // The page runs in the browser; its batch tool, its build tools, its tests
  // and the scripts run under node.
  {
    files: ['web/**/*.js'],
    ignores: ['web/batch/**'],
    languageOptions: { globals: globals.browser },
  },
  {
    files: [
      'web/batch/**/*.js',
      'web/tools/**/*.mjs',
      'tests/web/**/*.mjs',
      'scripts/**/*.{js,mjs}',
      'cmake/**/*.mjs',
      '*.mjs',
    ],
    languageOptions: { globals: globals.node },
  },
  // Every word a reader of the page sees comes from its message tables.
  // The batch tool is a command: its usage and its own diagnostics are in
  // English, as its manual page has them.
  {
    files: ['web/**/*.js'],
    ignores: ['web/i18n/en.js', 'web/i18n/ja.js', 'web/batch/**'],
    plugins: { 'page-words': pageWords },
    rules: { 'page-words/from-tables': 'error' },
  },
  // The program's own fault diagnostic, written on its standard error as
  // the console program writes it, byte for byte: not the page's words.
  {
    files: ['web/program/run.js', 'web/program/traps.js'],
    rules: {
      'page-words/from-tables': [
        'error',
        [
          'Exception: ${}\n',
          'Illegal instruction',
          'Access Violation',
          'Integer division by zero',
          'Integer overflow',
          'Stack overflow',
          'Unknown exception 0x0',
        ],
      ],
    },
  },
];
