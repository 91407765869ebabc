// Molecules computed by worker threads, the results handed on in input
// order whatever order they finish in: each worker takes the next molecule
// when it sends back its last one.

import { Worker } from 'node:worker_threads';

// Computes `molecules` with `jobs` workers, each started with
// `workerData`; calls `done(index, result)` for each, in input order.
export function computeAll(molecules, jobs, workerData, done) {
  const results = new Map();
  let next = 0;
  let handed = 0;
  return new Promise((resolve, reject) => {
    if (molecules.length === 0) {
      resolve();
      return;
    }
    const workers = [];
    const send = (worker) => {
      if (next < molecules.length) {
        worker.postMessage({ index: next, molecule: molecules[next] });
        next += 1;
      } else {
        worker.terminate();
      }
    };
    const receive = (worker, message) => {
      if (!message.ready) {
        results.set(message.index, message.result);
        for (; results.has(handed); handed++) {
          done(handed, results.get(handed));
          results.delete(handed);
        }
      }
      if (handed === molecules.length) {
        workers.forEach((w) => w.terminate());
        resolve();
      } else {
        send(worker);
      }
    };
    for (let k = 0; k < Math.min(jobs, molecules.length); k++) {
      const worker = new Worker(new URL('./worker.js', import.meta.url), { workerData });
      worker.on('message', (message) => receive(worker, message));
      worker.on('error', (error) => {
        workers.forEach((w) => w.terminate());
        reject(error);
      });
      workers.push(worker);
    }
  });
}
