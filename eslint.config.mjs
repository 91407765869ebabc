// ESLint's flat configuration for the page's JavaScript, its node tests and
// the project's node scripts: the recommended rules, with unused function
// arguments and caught errors counted as unused variables too. A lone `_`
// is the one name allowed to go unused: it holds the place of an argument
// before one that is used, as in `Array.from({ length: n }, (_, i) => i)`.
import js from '@eslint/js';
import globals from 'globals';

export default [
  { ignores: ['node_modules/', 'build*/', 'web/vendor/', '.stryker-tmp/', 'reports/'] },
  js.configs.recommended,
  {
    linterOptions: { reportUnusedDisableDirectives: 'error' },
    rules: {
      'no-unused-vars': ['error', { args: 'all', argsIgnorePattern: '^_$', caughtErrors: 'all' }],
    },
  },
  // The page runs in the browser; its batch tool, its tests and the scripts
  // run under node.
  {
    files: ['web/**/*.js'],
    ignores: ['web/batch/**'],
    languageOptions: { globals: globals.browser },
  },
  {
    files: ['web/batch/**/*.js', 'tests/web/**/*.mjs', 'scripts/**/*.{js,mjs}', 'cmake/**/*.mjs', '*.mjs'],
    languageOptions: { globals: globals.node },
  },
];
