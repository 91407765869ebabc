// Runs the program on the session's answers, one run after another, so
// that a quick second Enter waits for the first; each run's result goes
// into the session, and clears any notice the status line showed.

import { runProgram } from './run.js';

// `session` the page's state ({ state, update }); `onFailure(error)` for a
// run that failed in the page itself.
export function createRuns(session, onFailure) {
  let queue = Promise.resolve();
  const serially = (task) => {
    queue = queue.then(task).catch(onFailure);
    return queue;
  };
  const rerun = async () => {
    const { module, input, endOfInput } = session.state;
    session.update({ result: await runProgram(module, input, endOfInput), notice: null });
  };
  return {
    // Runs the answers as they stand.
    rerun: () => serially(rerun),
    // Changes the answers with `changes(state)` (new fields for the
    // session), then runs them.
    change: (changes) =>
      serially(() => {
        session.update(changes(session.state));
        return rerun();
      }),
    // Runs new answers from the start: `input` bytes (or a promise of
    // them), whether the input ends there, the session's name and, when
    // the answers were written from the structure panel, the points of
    // their atoms as drawn there.
    startOver: (input, endOfInput, name, points = null) =>
      serially(async () => {
        const bytes = await input;
        session.update({ input: bytes, endOfInput, name, drawing: points && { input: bytes, points } });
        return rerun();
      }),
  };
}
