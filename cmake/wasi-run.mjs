// Runs a wasm32-wasi program under node, as a native program would run:
// with this process's standard streams (raw bytes, no translation), its
// arguments and its environment, and ending with the program's exit
// status. Start node with --no-warnings, or its notice that WASI is
// experimental lands on standard error:
//
//   node --no-warnings cmake/wasi-run.mjs build-wasi/orbcalc.wasm [ARGUMENT...]
//
// A trap ends the module's run where a native program would take a
// processor fault. The module's orbcalc_trap export then writes the fault
// diagnostic, naming the fault as the Windows program would name the
// matching one, and ends with status 95.
import { fstatSync, openSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import process from 'node:process';
import v8 from 'node:v8';
import { WASI } from 'node:wasi';

import { trapFault } from '../web/program/traps.js';

// The module's calls into WASI must not take V8's fast path: there node's
// WASI functions may start a garbage collection in the middle of the call,
// which crashes node (seen with inputs of some megabytes: node 20 ends
// with SIGSEGV after the module's last write). Set before the module is
// compiled, so no fast call is ever made.
v8.setFlagsFromString('--no-turbo-fast-api-calls');

const kStatusFault = 95;

const [program, ...args] = process.argv.slice(2);
if (program === undefined) {
  process.stderr.write('usage: node --no-warnings wasi-run.mjs PROGRAM.wasm [ARGUMENT...]\n');
  process.exit(3);
}

// The module's exit comes back here as an exception, which ends its run
// wherever it stands; node then ends with the module's status. (Ending
// node inside the module's call, as returnOnExit false does, can crash it
// while its compiler threads are still at work.)
class ModuleExit {
  constructor(status) {
    this.status = status;
  }
}

// Node switches a pipe or a terminal on standard input to non-blocking
// reads while the module runs, and a read that finds nothing typed or sent
// yet would fail with EAGAIN. The module reads the same pipe or terminal
// through a description of its own, which blocks as it should. A file
// keeps its descriptor (and its offset); so does anything that cannot be
// opened again, such as a closed descriptor.
function module_stdin() {
  try {
    const kind = fstatSync(0);
    if (!kind.isFile() && !kind.isDirectory()) return openSync('/dev/stdin', 'r');
  } catch {
    // take it as it is
  }
  return 0;
}

const wasi = new WASI({ version: 'preview1', args: [program, ...args], env: process.env, stdin: module_stdin() });
const imports = {
  ...wasi.wasiImport,
  proc_exit(status) {
    throw new ModuleExit(status);
  },
};
const module = await WebAssembly.compile(await readFile(program));
const instance = await WebAssembly.instantiate(module, { wasi_snapshot_preview1: imports });

// Runs one entry of the module; its status, or the error that ended it.
function run(entry) {
  try {
    entry();
    return { status: 0 };
  } catch (error) {
    if (error instanceof ModuleExit) return { status: error.status };
    return { error };
  }
}

let outcome = run(() => wasi.start(instance));
if (outcome.error !== undefined) {
  const { error } = outcome;
  if (!(error instanceof WebAssembly.RuntimeError || error instanceof RangeError)) throw error;
  const fault = trapFault(error);
  outcome = run(() => instance.exports.orbcalc_trap(fault.code));
  if (outcome.error !== undefined) {
    // The module cannot even report the fault (its stack is spent, say):
    // the fault line alone, as the module would have begun its report.
    process.stderr.write(`Exception: ${fault.name}\n`);
    outcome = { status: kStatusFault };
  }
}
process.exitCode = outcome.status;
