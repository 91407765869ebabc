// The session's state: the loaded program, the answers so far, the last
// run and what the pictures show of it. Views subscribe and redraw from
// it; only `update` changes it, and every change is announced with the
// names of the fields that changed.

export const state = {
  module: null, // the compiled program
  cp932: null, // the code page table
  input: new Uint8Array(0), // every answer byte so far, as the program reads them
  endOfInput: false, // whether the input ends after `input`
  name: 'orbcalc', // for the names of saved files
  result: null, // the last run: output, status, record
  analysis: null, // its numbers once the table is printed (analysis.js), else null
  layout: null, // 2D coordinates of the rebuilt molecule's atoms, once laid out
  // The drawing whose atoms the answers `input` number, when they came from
  // the structure panel: { input, points } with points [{ x, y }] by number.
  drawing: null,
  selected: 0, // the orbital shown, 0-based as the table's columns
};

const listeners = new Set();

// Calls `listener(changed)` after every update, `changed` a Set of names.
export function subscribe(listener) {
  listeners.add(listener);
  return () => listeners.delete(listener);
}

export function update(changes) {
  Object.assign(state, changes);
  const changed = new Set(Object.keys(changes));
  for (const listener of listeners) listener(changed);
}
