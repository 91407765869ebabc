// What one run of the program costs orbcalc-batch, and how much of that is
// instantiating the WebAssembly module: each answer file of DIR (as
// `orbcalc-batch --answers DIR` writes them) is run as the batch tool runs
// it, then the module is only instantiated, with the same imports, as many
// times. Prints the median of five passes, per run.
//
// Usage: node bench/batch_program_run.mjs DIR [BATCH]
// BATCH is the batch tool's folder (default build-web/orbcalc-batch).

/* global WebAssembly */

import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { performance } from 'node:perf_hooks';
import process from 'node:process';
import { URL, pathToFileURL } from 'node:url';

const [dir, batch = new URL('../build-web/orbcalc-batch/', import.meta.url).pathname] = process.argv.slice(2);
if (!dir) {
  process.stderr.write('usage: node bench/batch_program_run.mjs DIR [BATCH]\n');
  process.exit(2);
}
const from = (path) => pathToFileURL(join(batch, path)).href;
const { runProgram } = await import(from('program/run.js'));
const { ByteSink, wasiImports } = await import(from('program/wasi.js'));
const module = await WebAssembly.compile(readFileSync(join(batch, 'orbcalc.wasm')));
const inputs = readdirSync(dir).map((name) => new Uint8Array(readFileSync(join(dir, name))));

async function instantiate() {
  let instance = null;
  const io = {
    args: ['orbcalc'],
    stdin: { read: () => new Uint8Array(0) },
    stdout: new ByteSink(),
    stderr: new ByteSink(),
  };
  instance = await WebAssembly.instantiate(
    module,
    wasiImports(module, () => instance.exports.memory, io),
  );
}

// Milliseconds per input of `step`, the median of five passes.
async function perRun(step) {
  const passes = [];
  for (let pass = 0; pass < 5; pass++) {
    const start = performance.now();
    for (const input of inputs) await step(input);
    passes.push((performance.now() - start) / inputs.length);
  }
  return passes.sort((a, b) => a - b)[2];
}

const whole = await perRun((input) => runProgram(module, input, true));
const alone = await perRun(instantiate);
process.stdout.write(
  `program runs on ${inputs.length} answer files: a run ${whole.toFixed(2)} ms, ` +
    `instantiating the module ${alone.toFixed(2)} ms of it (${Math.round((100 * alone) / whole)}%)\n`,
);
