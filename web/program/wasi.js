// The WASI system calls orbcalc makes, answered in the browser, which has
// none of its own: the arguments, standard input from the answers given so
// far, standard output and standard error into byte arrays, and the exit.
// The streams are character devices that cannot seek, as on a terminal.

const ERRNO_SUCCESS = 0;
const ERRNO_BADF = 8;
const ERRNO_NOSYS = 52;
const ERRNO_SPIPE = 70;

// Thrown by proc_exit to leave the program with its status.
export class ProcessExit extends Error {
  constructor(status) {
    super(`exit status ${status}`);
    this.status = status;
  }
}

// A growing byte array, for standard output and standard error.
export class ByteSink {
  constructor() {
    this.bytes = new Uint8Array(4096);
    this.length = 0;
  }
  append(chunk) {
    if (this.length + chunk.length > this.bytes.length) {
      const larger = new Uint8Array(Math.max(this.bytes.length * 2, this.length + chunk.length));
      larger.set(this.bytes.subarray(0, this.length));
      this.bytes = larger;
    }
    this.bytes.set(chunk, this.length);
    this.length += chunk.length;
  }
  view() {
    return this.bytes.subarray(0, this.length);
  }
}

// The imports of module `wasi_snapshot_preview1` for one run.
// `stdin.read(limit)` gives the next bytes of standard input (an empty
// array at its end) or throws to stop the run; `stdout` and `stderr` are
// ByteSinks. Calls the program does not import today answer ENOSYS, so
// that a later build still loads.
export function wasiImports(module, getMemory, { args, stdin, stdout, stderr }) {
  const encoder = new TextEncoder();
  const argBytes = args.map((arg) => encoder.encode(`${arg}\0`));
  // Views of the memory, made again only when it has grown (a grown
  // memory has a new buffer): a long answer file makes a million calls.
  let buffer = null;
  let dataView = null;
  let byteView = null;
  let memory = null;
  const refresh = () => {
    memory ??= getMemory();
    if (memory.buffer === buffer) return;
    buffer = memory.buffer;
    dataView = new DataView(buffer);
    byteView = new Uint8Array(buffer);
  };
  const view = () => {
    refresh();
    return dataView;
  };
  const bytes = () => {
    refresh();
    return byteView;
  };

  // Calls `each(pointer, length)` for the buffers of an iovec array, until
  // it returns false.
  function forBuffers(iovs, count, each) {
    const memory = view();
    for (let i = 0; i < count; i++) {
      if (each(memory.getUint32(iovs + 8 * i, true), memory.getUint32(iovs + 8 * i + 4, true)) === false) return;
    }
  }

  const calls = {
    args_sizes_get(countPointer, sizePointer) {
      view().setUint32(countPointer, argBytes.length, true);
      view().setUint32(
        sizePointer,
        argBytes.reduce((sum, arg) => sum + arg.length, 0),
        true,
      );
      return ERRNO_SUCCESS;
    },
    args_get(argvPointer, bufferPointer) {
      let at = bufferPointer;
      argBytes.forEach((arg, i) => {
        view().setUint32(argvPointer + 4 * i, at, true);
        bytes().set(arg, at);
        at += arg.length;
      });
      return ERRNO_SUCCESS;
    },
    fd_seek(fd) {
      return fd > 2 ? ERRNO_BADF : ERRNO_SPIPE;
    },
    fd_close(fd) {
      return fd > 2 ? ERRNO_BADF : ERRNO_SUCCESS;
    },
    fd_read(fd, iovs, count, readPointer) {
      if (fd !== 0) return ERRNO_BADF;
      let total = 0;
      forBuffers(iovs, count, (pointer, length) => {
        if (length === 0) return true;
        const chunk = stdin.read(length);
        bytes().set(chunk, pointer);
        total += chunk.length;
        // One read gives what one read from a terminal gives: at most one line.
        return false;
      });
      view().setUint32(readPointer, total, true);
      return ERRNO_SUCCESS;
    },
    fd_write(fd, iovs, count, writtenPointer) {
      const sink = fd === 1 ? stdout : fd === 2 ? stderr : null;
      if (sink === null) return ERRNO_BADF;
      let total = 0;
      forBuffers(iovs, count, (pointer, length) => {
        sink.append(bytes().subarray(pointer, pointer + length)); // append copies it
        total += length;
      });
      view().setUint32(writtenPointer, total, true);
      return ERRNO_SUCCESS;
    },
    proc_exit(status) {
      throw new ProcessExit(status);
    },
  };

  const imports = {};
  for (const { module: name, name: field, kind } of WebAssembly.Module.imports(module)) {
    if (kind !== 'function') continue;
    imports[name] ??= {};
    if (name === 'wasi_snapshot_preview1' && field in calls) {
      imports[name][field] = calls[field];
    } else {
      imports[name][field] = () => ERRNO_NOSYS;
    }
  }
  return imports;
}
