// Fetching the page's files: the program's module, compiled while its
// bytes arrive, and any other file as bytes.

// Streaming compilation takes only a response of this type, and some
// browsers take it only as written here, without parameters.
const WASM_TYPE = 'application/wasm';

function checked(response) {
  if (!response.ok) throw new Error(`${response.url}: ${response.status} ${response.statusText}`);
  return response;
}

export async function fetchBytes(url) {
  return new Uint8Array(await checked(await fetch(url)).arrayBuffer());
}

// The compiled module from `responding`, a fetch's promise of the
// program's file: compiled as it arrives when the server names its type
// right, else (a static host that does not know .wasm) once it has all
// arrived.
export async function compileProgram(responding) {
  const response = checked(await responding);
  if (response.headers.get('content-type') === WASM_TYPE) return WebAssembly.compileStreaming(response);
  return WebAssembly.compile(await response.arrayBuffer());
}
