// The built modules the program's node tests run: the page's program, the
// test-only module that traps on purpose and the batch tool, named by the
// environment (ctest passes them). A test without them is skipped, saying so.
import { readFileSync } from 'node:fs';

const paths = {
  program: process.env.ORBCALC_WASM,
  checks: process.env.ORBCALC_WASI_CHECKS,
  batch: process.env.ORBCALC_BATCH,
};
const WHAT = {
  program: "ORBCALC_WASM to the page's orbcalc.wasm",
  checks: 'ORBCALC_WASI_CHECKS to web_wasi_checks.wasm',
  batch: "ORBCALC_BATCH to the built tool's orbcalc-batch.js",
};

export const missing = (which) => (paths[which] ? false : `set ${WHAT[which]} (ctest web.node does) to run this test`);

// The built batch tool's script.
export const batchTool = paths.batch;

const compiled = {};
export function built(which) {
  compiled[which] ??= WebAssembly.compile(readFileSync(paths[which]));
  return compiled[which];
}
