// The progress line of a long batch, on a terminal only: molecules done of
// all, the rate, the time left and the refusals so far, rewritten in place
// at most a few times a second and cleared at the end.

const EVERY_MS = 250;

export function createProgress(stream, total) {
  if (!stream.isTTY) return { update() {}, clear() {} };
  const start = performance.now();
  let shown = 0;
  let drawn = false;
  return {
    update(done, refused) {
      const now = performance.now();
      if (now - shown < EVERY_MS && done < total) return;
      shown = now;
      const rate = done / Math.max((now - start) / 1000, 1e-3);
      const left = rate > 0 ? Math.ceil((total - done) / rate) : '?';
      stream.write(
        `\r\x1b[Korbcalc-batch: ${done}/${total} molecules, ${rate.toFixed(1)}/s, ${left} s left, ${refused} refused`,
      );
      drawn = true;
    },
    // Clears the line, before other text or at the end.
    clear() {
      if (drawn) stream.write('\r\x1b[K');
      drawn = false;
      shown = 0;
    },
  };
}
