// Bundles the page's modules into its folder with esbuild: the start-up,
// main.js, as one minified ES module, and each part the page loads later
// (an import() in the code) as a chunk of its own; code that two of them
// share goes into a chunk they both import. The chemistry library stays
// the file the build puts in vendor/. The build runs it:
//
//     node web/tools/bundle.mjs WEB_FOLDER PAGE_FOLDER MAP_FOLDER
//
// It writes PAGE_FOLDER/js/ afresh (chunks of an earlier build would stay
// in the service worker's list), the source maps into MAP_FOLDER/js/,
// outside the served folder, and PAGE_FOLDER/index.html: WEB_FOLDER's, with
// a preload for each chunk the start-up imports, so that the browser asks
// for them together with main.js instead of after it.

import { existsSync, mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { argv, exit } from 'node:process';

import * as esbuild from 'esbuild';

const SCRIPTS = 'js';
const START_UP = `<script type="module" async src="${SCRIPTS}/main.js"></script>`;
// The files the page's own folder holds beside the modules.
const VENDOR = /^\.\.\/vendor\//;

if (argv.length !== 5) {
  console.error('usage: node bundle.mjs WEB_FOLDER PAGE_FOLDER MAP_FOLDER');
  exit(2);
}
const [web, page, maps] = argv.slice(2).map((folder) => path.resolve(folder));
const scripts = path.join(page, SCRIPTS);

// An import of vendor/ is left as written: its path from the source's
// views/ is its path from js/, one folder down in the page as well.
const vendorAsWritten = {
  name: 'vendor',
  setup(build) {
    build.onResolve({ filter: VENDOR }, ({ path: written }) => {
      if (!existsSync(path.join(scripts, written))) throw new Error(`${written}: not in the page folder`);
      return { path: written, external: true };
    });
  },
};

const result = await esbuild.build({
  entryPoints: [path.join(web, 'main.js')],
  bundle: true,
  splitting: true,
  format: 'esm',
  minify: true,
  // Japanese as UTF-8, a third of the bytes of \u escapes; a module
  // script is always read as UTF-8.
  charset: 'utf8',
  sourcemap: 'external',
  outdir: scripts,
  entryNames: '[name]',
  chunkNames: '[name]-[hash]',
  metafile: true,
  write: false,
  logLevel: 'warning',
  plugins: [vendorAsWritten],
});

for (const folder of [scripts, path.join(maps, SCRIPTS)]) {
  rmSync(folder, { recursive: true, force: true });
  mkdirSync(folder, { recursive: true });
}
for (const { path: file, contents } of result.outputFiles) {
  const target = file.endsWith('.map') ? path.join(maps, SCRIPTS, path.basename(file)) : file;
  writeFileSync(target, contents);
}

// The chunks the start-up imports, and those they import, in the page's
// terms (js/NAME.js).
const outputs = result.metafile.outputs;
const pageName = (output) => path.relative(page, path.resolve(output)).split(path.sep).join('/');
const byName = new Map(Object.keys(outputs).map((output) => [pageName(output), output]));
const preloads = new Set();
const visit = (name) => {
  for (const { path: imported, kind } of outputs[byName.get(name)].imports) {
    const chunk = pageName(imported);
    if (kind !== 'import-statement' || preloads.has(chunk)) continue;
    preloads.add(chunk);
    visit(chunk);
  }
};
visit(`${SCRIPTS}/main.js`);

const index = readFileSync(path.join(web, 'index.html'), 'utf8');
const at = index.indexOf(START_UP);
if (at < 0 || index.indexOf(START_UP, at + 1) >= 0) {
  console.error(`${web}/index.html: not one ${START_UP}`);
  exit(1);
}
// After the start-up, which the browser then asks for first.
const indent = index.slice(index.lastIndexOf('\n', at) + 1, at);
const after = at + START_UP.length;
const links = [...preloads].sort().map((chunk) => `\n${indent}<link rel="modulepreload" href="${chunk}" />`);
writeFileSync(path.join(page, 'index.html'), index.slice(0, after) + links.join('') + index.slice(after));
