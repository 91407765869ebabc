// One run of the WebAssembly program on the answers given so far.
//
// The program reads its answers with blocking reads, and a page cannot
// block: the browser's main thread must return to its event loop before
// the user can type the next answer. The usual way out, a Worker that
// waits on a SharedArrayBuffer with Atomics.wait, needs the page to be
// cross-origin isolated, which takes response headers (COOP and COEP) that
// `python3 -m http.server` and most static hosts do not send. So the page
// does not keep a run waiting at all: each time an answer is added it runs
// the program again from its start with all the answers so far, and stops
// it at the first read that finds no more input. A whole run costs a few
// milliseconds, and the program's output depends on nothing but its input
// (it reads no file, clock or random source), so every run repeats the one
// before byte for byte and then goes one answer further; and since it
// writes each prompt before the read that waits for the answer, the output
// at the stop is what a console shows while the program waits. Stopping
// is a JavaScript exception thrown from fd_read, which unwinds the
// WebAssembly stack; the instance is thrown away with it.

import { RECORD_BYTES } from './record.js';
import { trapFault } from './traps.js';
import { ByteSink, ProcessExit, wasiImports } from './wasi.js';

// Thrown from fd_read when the answers so far are used up and more may come.
class InputPending extends Error {}

// A trap ends the run where a native program would take a processor
// fault. The program's own orbcalc_trap then writes the fault diagnostic,
// naming the fault as the Windows program names the matching one, and
// ends with status 95, as under node (cmake/wasi-run.mjs).
const TRAP_STATUS = 95;

function reportTrap(instance, error, stderr) {
  const { code, name } = trapFault(error);
  try {
    instance.exports.orbcalc_trap(code);
  } catch (exit) {
    if (exit instanceof ProcessExit) return;
  }
  // The program cannot even report the fault (its stack is spent, say):
  // the fault line alone, as its report would have begun.
  stderr.append(new TextEncoder().encode(`Exception: ${name}\n`));
}

// Standard input made of `input` (bytes), handed out at most one line per
// read, as a terminal does. Each line's first read is noted with how much
// output had been written then, so that the page can show the answer after
// the prompt that asked for it. At the end of `input` the run either sees
// the end of its input (`endOfInput`) or is stopped.
class AnswerInput {
  constructor(input, endOfInput, stdout) {
    this.input = input;
    this.endOfInput = endOfInput;
    this.stdout = stdout;
    this.position = 0;
    this.lineStarts = [];
  }
  read(limit) {
    if (this.position >= this.input.length) {
      if (this.endOfInput) return new Uint8Array(0);
      throw new InputPending();
    }
    const newline = this.input.indexOf(0x0a, this.position);
    const lineEnd = newline < 0 ? this.input.length : newline + 1;
    if (this.lineStarts.length === 0 || this.lineStarts[this.lineStarts.length - 1].inputEnd <= this.position) {
      this.lineStarts.push({ outputOffset: this.stdout.length, inputStart: this.position, inputEnd: lineEnd });
    }
    const end = Math.min(lineEnd, this.position + limit);
    const chunk = this.input.subarray(this.position, end);
    this.position = end;
    return chunk;
  }
}

// The program's work record (a copy of its bytes) and the line of the
// statement in progress. The module exports both as the addresses where
// they stand: a pointer to the record, and the line itself. Nulls for a
// module without them.
function workRecord(instance) {
  const { orbcalc_record: record, orbcalc_locus: locus, memory } = instance.exports;
  if (!(record instanceof WebAssembly.Global) || !(locus instanceof WebAssembly.Global)) {
    return { record: null, line: null };
  }
  const view = new DataView(memory.buffer);
  const start = view.getUint32(record.value, true);
  return {
    record: new Uint8Array(memory.buffer).slice(start, start + RECORD_BYTES),
    line: view.getInt32(locus.value, true),
  };
}

// Runs the compiled `module` on `input`, with the arguments `args`. The
// result has the bytes of standard output and standard error, the exit
// status (null when the run stopped for more input), `answers`: where
// each input line was read, as { outputOffset, inputStart, inputEnd }, and
// the program's `record` and statement `line` at the stop (nulls after a
// trap).
export async function runProgram(module, input, endOfInput, args = ['orbcalc']) {
  const stdout = new ByteSink();
  const stderr = new ByteSink();
  const stdin = new AnswerInput(input, endOfInput, stdout);
  let instance = null;
  const imports = wasiImports(module, () => instance.exports.memory, { args, stdin, stdout, stderr });
  instance = await WebAssembly.instantiate(module, imports);
  let status = 0;
  let trapped = false;
  try {
    instance.exports._start();
  } catch (error) {
    if (error instanceof ProcessExit) {
      status = error.status;
    } else if (error instanceof InputPending) {
      status = null;
    } else if (error instanceof WebAssembly.RuntimeError || error instanceof RangeError) {
      reportTrap(instance, error, stderr);
      status = TRAP_STATUS;
      trapped = true;
    } else {
      throw error;
    }
  }
  const { record, line } = trapped ? { record: null, line: null } : workRecord(instance);
  return { stdout: stdout.view(), stderr: stderr.view(), status, answers: stdin.lineStarts, record, line };
}
