// The system calls as the page answers them, called as the program calls
// them, on a memory of the test's own; and the traps named as faults.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { trapFault } from '../../../web/program/traps.js';
import { ByteSink, ProcessExit, wasiImports } from '../../../web/program/wasi.js';
import { built, missing } from './built.mjs';

const [SUCCESS, BADF, SPIPE] = [0, 8, 70];

test('the system calls the program imports', { skip: missing('program') }, async () => {
  const memory = { buffer: new ArrayBuffer(256) };
  const view = () => new DataView(memory.buffer);
  const bytes = () => new Uint8Array(memory.buffer);
  const stdout = new ByteSink();
  const stderr = new ByteSink();
  const input = [Uint8Array.of(65, 10), Uint8Array.of(66)];
  const stdin = { read: (limit) => input.shift().subarray(0, limit) };
  const calls = wasiImports(await built('program'), () => memory, {
    args: ['orbcalc', 'x'],
    stdin,
    stdout,
    stderr,
  }).wasi_snapshot_preview1;
  const iovecs = (at, pieces) =>
    pieces.forEach(([p, n], i) => view().setUint32(at + 8 * i, p, true) || view().setUint32(at + 8 * i + 4, n, true));

  assert.deepEqual(
    [0, 2, 3].map((fd) => [calls.fd_seek(fd), calls.fd_close(fd)]),
    [
      [SPIPE, SUCCESS],
      [SPIPE, SUCCESS],
      [BADF, BADF],
    ],
  );
  assert.equal(calls.args_sizes_get(0, 4), SUCCESS);
  assert.deepEqual([view().getUint32(0, true), view().getUint32(4, true)], [2, 10]);
  assert.equal(calls.args_get(8, 100), SUCCESS);
  assert.deepEqual([view().getUint32(8, true), view().getUint32(12, true)], [100, 108]);
  assert.equal(new TextDecoder().decode(bytes().subarray(100, 110)), 'orbcalc\0x\0');

  // Writes gather every buffer; a read fills the first buffer that has room, once.
  bytes().set(new TextEncoder().encode('abcdef'), 200);
  iovecs(16, [
    [200, 2],
    [203, 3],
  ]);
  assert.deepEqual(
    [calls.fd_write(1, 16, 2, 40), calls.fd_write(2, 16, 1, 44), calls.fd_write(3, 16, 1, 48)],
    [SUCCESS, SUCCESS, BADF],
  );
  assert.deepEqual([view().getUint32(40, true), view().getUint32(44, true)], [5, 2]);
  assert.deepEqual([new TextDecoder().decode(stdout.view()), new TextDecoder().decode(stderr.view())], ['abdef', 'ab']);
  iovecs(16, [
    [220, 0],
    [224, 8],
    [232, 8],
  ]);
  assert.deepEqual([calls.fd_read(1, 16, 3, 48), calls.fd_read(0, 16, 3, 48)], [BADF, SUCCESS]);
  assert.deepEqual([view().getUint32(48, true), bytes()[224], bytes()[225], bytes()[232]], [2, 65, 10, 0]);
  calls.fd_read(0, 16, 3, 48);
  assert.deepEqual([view().getUint32(48, true), bytes()[224]], [1, 66]);
  assert.throws(
    () => calls.proc_exit(3),
    (error) => error instanceof ProcessExit && error.status === 3,
  );
});

test('an output grows past its first size and keeps every byte', () => {
  const sink = new ByteSink();
  const chunks = [3000, 3000, 9000, 1].map((n, k) => new Uint8Array(n).fill(k + 1));
  chunks.forEach((chunk) => sink.append(chunk));
  assert.deepEqual(sink.view(), Uint8Array.from(chunks.flatMap((chunk) => [...chunk])));
});

test('each trap is the fault a native program would take', () => {
  const cases = [
    ['unreachable executed', 0xc000001d, 'Illegal instruction'],
    ['memory access out of bounds', 0xc0000005, 'Access Violation'],
    ['divide by zero', 0xc0000094, 'Integer division by zero'],
    ['remainder by zero', 0xc0000094, 'Integer division by zero'],
    ['float unrepresentable in integer range', 0xc0000095, 'Integer overflow'],
    ['Maximum call stack size exceeded', 0xc00000fd, 'Stack overflow'],
    ['not unreachable', 0, 'Unknown exception 0x0'],
  ];
  for (const [message, code, name] of cases) assert.deepEqual(trapFault(new Error(message)), { code, name }, message);
});
