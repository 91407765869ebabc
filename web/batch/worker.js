// A worker thread of orbcalc-batch: it loads the chemistry library, the
// code page and the program once, then computes each molecule it is sent
// and sends back its result. An exception inside the chemistry becomes
// that molecule's refusal, so that one molecule never stops the batch.

import { readFileSync } from 'node:fs';
import { parentPort, workerData } from 'node:worker_threads';

import { Cp932 } from '../program/cp932.js';
import { computeMolecule } from './compute.js';

const here = (path) => new URL(path, import.meta.url);
const { default: library } = await import(here('../vendor/openchemlib.js'));
const context = {
  library,
  codePage: new Cp932(readFileSync(here('../program/cp932.bin'))),
  module: await WebAssembly.compile(readFileSync(here('../orbcalc.wasm'))),
  ...workerData,
};

parentPort.on('message', async ({ index, molecule }) => {
  let result;
  try {
    result = await computeMolecule(molecule, context);
  } catch (error) {
    result = { refusal: { code: 'internal-error', reason: `orbcalc-batch failed: ${error.stack ?? error}` } };
  }
  parentPort.postMessage({ index, result });
});
parentPort.postMessage({ ready: true });
