// The Windows faults that match the engine's traps, by the trap's message:
// a module's trap ends its run where a native program would take a
// processor fault, and is reported as that fault. Shared by the page and by
// node's runner (cmake/wasi-run.mjs).

const TRAPS = [
  [/^unreachable/, 0xc000001d, 'Illegal instruction'], // the trap instruction, like ud2 on x86
  [/memory access out of bounds/, 0xc0000005, 'Access Violation'],
  [/divide by zero|remainder by zero/, 0xc0000094, 'Integer division by zero'],
  [/integer overflow|unrepresentable in integer range/, 0xc0000095, 'Integer overflow'],
  [/call stack size exceeded/, 0xc00000fd, 'Stack overflow'],
];

// The exception code and name of the fault that matches a trap; any other
// trap is code 0, "Unknown exception 0x0".
export function trapFault(error) {
  const message = String(error && error.message);
  const found = TRAPS.find(([pattern]) => pattern.test(message));
  return found ? { code: found[1], name: found[2] } : { code: 0, name: 'Unknown exception 0x0' };
}
