#!/usr/bin/env node
// orbcalc-batch: the π properties and reactivity indices of many
// molecules, with the page's own chemistry and program, under node. The
// molecules are read here, computed by worker threads and written in
// input order: their rows to standard output, their refusals to standard
// error or a file of their own.

import { mkdirSync, openSync, readFileSync, writeFileSync, writeSync } from 'node:fs';
import { cpus } from 'node:os';
import { join } from 'node:path';

import { fileNames, formatOf, moleculesIn } from './inputs.js';
import { USAGE, parseOptions } from './options.js';
import { computeAll } from './pool.js';
import { createProgress } from './progress.js';
import { csvField, jsonLine, csvLines } from './rows.js';

const EXIT = { computed: 0, refused: 1, usage: 2 };

function fail(reason) {
  process.stderr.write(`orbcalc-batch: ${reason}\nTry 'orbcalc-batch --help'.\n`);
  process.exitCode = EXIT.usage;
}

function version() {
  try {
    return JSON.parse(readFileSync(new URL('../package.json', import.meta.url), 'utf8')).version ?? 'unknown';
  } catch {
    return 'unknown';
  }
}

// Every molecule of every file, or the reason a file cannot be read.
function readInputs({ files, inputFormat }) {
  const molecules = [];
  for (const path of files) {
    let bytes;
    try {
      bytes = readFileSync(path === '-' ? 0 : path);
    } catch (error) {
      return { reason: `cannot read ${path}: ${error.message}` };
    }
    molecules.push(...moleculesIn(new Uint8Array(bytes), formatOf(path, inputFormat), path, files.length > 1));
  }
  return { molecules };
}

async function main() {
  const parsed = parseOptions(process.argv.slice(2), cpus().length);
  if (parsed.usage) return fail(parsed.usage);
  const { options } = parsed;
  if (options.help) return process.stdout.write(USAGE);
  if (options.version) return process.stdout.write(`orbcalc-batch ${version()}\n`);
  const read = readInputs(options);
  if (read.reason) return fail(read.reason);
  const { molecules } = read;
  const names = fileNames(molecules.map(({ name }) => name));
  let refusals;
  try {
    for (const dir of [options.outputs, options.answers]) if (dir !== null) mkdirSync(dir, { recursive: true });
    refusals = options.refusals === null ? null : openSync(options.refusals, 'w');
  } catch (error) {
    return fail(error.message);
  }

  const progress = createProgress(process.stderr, molecules.length);
  const refusalLine = (text) => {
    if (refusals === null) {
      progress.clear();
      process.stderr.write(text);
    } else {
      writeSync(refusals, text);
    }
  };
  refusalLine('molecule,code,reason\n');
  if (options.format === 'csv') process.stdout.write('molecule,quantity,atom_i,atom_j,value\n');
  const times = { structure: 0, program: 0, values: 0 };
  let refused = 0;
  const workerData = { table: options.table, quantities: options.quantities };
  const computed = computeAll(molecules, options.jobs, workerData, (index, result) => {
    const { name } = molecules[index];
    if (result.output && options.outputs !== null)
      writeFileSync(join(options.outputs, `${names[index]}.out`), result.output);
    if (result.answers && options.answers !== null)
      writeFileSync(join(options.answers, `${names[index]}.txt`), result.answers);
    for (const step of Object.keys(times)) times[step] += result.times?.[step] ?? 0;
    if (result.refusal) {
      refused += 1;
      const { code, reason } = result.refusal;
      refusalLine(`${[name, code, reason].map(csvField).join(',')}\n`);
    } else {
      process.stdout.write(options.format === 'csv' ? csvLines(name, result.rows) : jsonLine(name, result.rows));
    }
    progress.update(index + 1, refused);
  });
  try {
    await computed;
  } catch (error) {
    // A worker that could not start or went down: what was written stays,
    // the rest is not computed.
    progress.clear();
    process.stderr.write(`orbcalc-batch: a worker failed, molecules left uncomputed: ${error.message}\n`);
    process.exitCode = EXIT.refused;
    return;
  }
  progress.clear();
  if (process.env.ORBCALC_BATCH_TIMINGS === '1') {
    const ms = (step) => `${Math.round(times[step])} ms`;
    process.stderr.write(
      `orbcalc-batch: time in workers: structures ${ms('structure')}, program runs ${ms('program')}, properties and indices ${ms('values')}\n`,
    );
  }
  process.exitCode = refused === 0 ? EXIT.computed : EXIT.refused;
}

// A reader that stops reading (`| head`) ends the batch quietly.
process.stdout.on('error', (error) => {
  if (error.code !== 'EPIPE') throw error;
  process.exit(process.exitCode ?? EXIT.refused);
});
await main();
