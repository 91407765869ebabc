// The program's module compiled from a response as servers send it: of
// the right type (compiled as it arrives), of another type (compiled once
// it has arrived), or refused.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';

import { compileProgram } from '../../../web/program/load.js';
import { missing } from './built.mjs';

test(
  'the program compiles whatever type the server names, and a failed request is said',
  { skip: missing('program') },
  async () => {
    const bytes = readFileSync(process.env.ORBCALC_WASM);
    for (const type of ['application/wasm', 'application/wasm; charset=binary', 'application/octet-stream', null]) {
      const headers = type === null ? {} : { 'Content-Type': type };
      const module = await compileProgram(Promise.resolve(new Response(bytes, { headers })));
      assert.ok(
        WebAssembly.Module.exports(module).some(({ name }) => name === 'orbcalc_trap'),
        type,
      );
    }
    const refused = new Response('no such file', { status: 404, statusText: 'File not found' });
    await assert.rejects(compileProgram(Promise.resolve(refused)), /404 File not found/);
    const wrong = new Response('not a module', { headers: { 'Content-Type': 'application/wasm' } });
    await assert.rejects(compileProgram(Promise.resolve(wrong)), WebAssembly.CompileError);
  },
);
