// The session's state, the one path by which anything on the page changes:
// the loaded program, the language, the answers so far, the last run and
// what the pictures show of it. Each view is connected once and redraws
// from the state it is handed; only `update` changes it, and every change
// is announced with the names of the fields that changed.

export function createSession(language) {
  const state = {
    language, // the reader's language, a key of the message tables
    module: null, // the compiled program
    cp932: null, // the code page table
    examples: [], // the names of the bundled answer files
    input: new Uint8Array(0), // every answer byte so far, as the program reads them
    endOfInput: false, // whether the input ends after `input`
    name: 'orbcalc', // for the names of saved files
    result: null, // the last run: output, status, record
    notice: null, // a sentence for the status line instead of the run's: { key, params }
    analysis: null, // the run's numbers once the table is printed (analysis.js), else null
    layout: null, // 2D coordinates of the rebuilt molecule's atoms, once laid out
    // The drawing whose atoms the answers `input` number, when they came from
    // the structure panel: { input, points } with points [{ x, y }] by number.
    drawing: null,
    selected: 0, // the orbital shown, 0-based as the table's columns
  };
  const listeners = new Set();
  return {
    state,
    // Calls `listener(state, changed)` after every update, `changed` a Set
    // of names.
    connect(listener) {
      listeners.add(listener);
    },
    update(changes) {
      Object.assign(state, changes);
      const changed = new Set(Object.keys(changes));
      for (const listener of listeners) listener(state, changed);
    },
  };
}

// Whether the state's run has pictures: a printed table with nothing that
// keeps it from being drawn.
export const hasPictures = ({ analysis }) => analysis !== null && analysis.problem === null;
