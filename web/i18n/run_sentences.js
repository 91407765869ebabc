// How a run ended, in the reader's words: its exit status with what the
// status means, and why its table gives no pictures or values.

// The exit statuses the program has, each with a message of its own.
const KNOWN_STATUSES = new Set([0, 1, 2, 4, 95]);

// The run ended with `status`; `diagnostic` whether it wrote one.
export function finishedSentence(status, diagnostic, t) {
  const meaning = t(`status.meaning.${KNOWN_STATUSES.has(status) ? status : 'other'}`);
  return t(diagnostic ? 'status.finishedWithDiagnostic' : 'status.finished', { status, meaning });
}

// The problem `problem` (occupation.js) of a solution of `atoms` atoms.
export function problemSentence({ problem, ...details }, atoms, t) {
  return t(`problem.${problem}`, { ...details, atoms });
}
