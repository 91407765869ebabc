// The built modules the program's node tests run: the page's program and
// the test-only module that traps on purpose, named by the environment
// (ctest passes both). A test without them is skipped, saying so.
import { readFileSync } from 'node:fs';

const paths = { program: process.env.ORBCALC_WASM, checks: process.env.ORBCALC_WASI_CHECKS };

export const missing = (which) =>
  paths[which]
    ? false
    : `set ${
        which === 'program' ? "ORBCALC_WASM to the page's orbcalc.wasm" : 'ORBCALC_WASI_CHECKS to web_wasi_checks.wasm'
      } (ctest web.node does) to run this test`;

const compiled = {};
export function built(which) {
  compiled[which] ??= WebAssembly.compile(readFileSync(paths[which]));
  return compiled[which];
}
