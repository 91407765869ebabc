// The page's words: both message tables hold the same keys with the same
// placeholders, every key the page names is in them, and no file of the
// page outside the tables writes words of its own.
//
//   node --test tests/web/

import assert from 'node:assert/strict';
import { readdirSync, readFileSync } from 'node:fs';
import { join, relative } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';
import * as espree from 'espree';

import en from '../../../web/i18n/en.js';
import ja from '../../../web/i18n/ja.js';

const WEB = fileURLToPath(new URL('../../../web/', import.meta.url));
const TABLES = { en, ja };

// Literals with words that are not the page's to translate.
const NOT_THE_PAGES_WORDS = new Set([
  // The program's own fault diagnostic, written on its standard error as
  // the console program writes it, byte for byte.
  'Exception: ${}\n', 'Illegal instruction', 'Access Violation', 'Integer division by zero',
  'Integer overflow', 'Stack overflow', 'Unknown exception 0x0',
]);

function sourceFiles(folder = WEB) {
  return readdirSync(folder, { withFileTypes: true }).flatMap((entry) => {
    const path = join(folder, entry.name);
    if (entry.isDirectory()) return ['tools', 'vendor'].includes(entry.name) ? [] : sourceFiles(path);
    if (folder.endsWith('i18n') && Object.hasOwn(TABLES, entry.name.replace(/\.js$/, ''))) return [];
    return /\.(m?js|js\.in|html)$/.test(entry.name) ? [path] : [];
  });
}

// The string literals of a script, template literals with each
// substitution as `${}`, in the order of the parsed tree. The message given
// to an Error (new ...Error( or, in its subclass, super()) is for the
// page's developer, not its reader: left out. A file the build fills in
// (@NAME@) is read with each blank filled.
export function stringLiterals(source) {
  const literals = [];
  const visit = (node, forError) => {
    if (node.type === 'Literal' && typeof node.value === 'string' && !forError) literals.push(node.value);
    if (node.type === 'TemplateLiteral' && !forError) literals.push(node.quasis.map((q) => q.value.cooked).join('${}'));
    const errorCall = (node.type === 'NewExpression' && /Error$/.test(node.callee.name ?? '')) ||
                      (node.type === 'CallExpression' && node.callee.type === 'Super');
    for (const [key, value] of Object.entries(node)) {
      for (const child of [value].flat()) {
        if (typeof child?.type === 'string') visit(child, errorCall && key === 'arguments');
      }
    }
  };
  visit(espree.parse(source.replace(/@\w+@/g, '0'), { ecmaVersion: 'latest', sourceType: 'module' }), false);
  return literals;
}

// Names that look like words but are the code's: class lists (lowercase
// names, one of them a class of the page's style sheet), canvas font
// settings, the keys of keyboard events, chemical element symbols, and an
// XML declaration.
const CLASSES = new Set([...readFileSync(join(WEB, 'style.css'), 'utf8').matchAll(/\.([A-Za-z][\w-]*)/g)]
  .map((m) => m[1]));
const FONT = /^(italic|bold|normal|\d+(\.\d+)?px|serif|sans-serif|monospace|system-ui)$/;
const KEYS = new Set(['Enter', 'Escape', 'Tab', 'Home', 'End', 'PageUp', 'PageDown',
                      'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'Backspace', 'Delete']);

function isCodeNames(text) {
  const tokens = text.trim().split(/\s+/);
  const classList = tokens.every((token) => /^[a-z][a-z0-9-]*$/.test(token)) &&
                    tokens.some((token) => CLASSES.has(token));
  return KEYS.has(text) || /^[A-Z][a-z]?$/.test(text) || text.startsWith('<?xml') || classList ||
         tokens.every((token) => FONT.test(token));
}

// Whether a literal reads as words for a person rather than a name for
// the code (ids, classes, keys, events, paths, selectors, MIME types).
function isWords(text) {
  if (isCodeNames(text)) return false;
  return /[^\p{ASCII}]/u.test(text.replace(/[^\p{L}]/gu, '')) || // letters beyond ASCII: Japanese
         /[A-Za-z]{2,}[ ]+[A-Za-z]{2,}/.test(text) || // two words with a space
         /(^|[^A-Za-z])[A-Z][a-z]+([^A-Za-z]|$)/.test(text); // a capitalised word, as a button's
}

// The words of an HTML file that are not from a table: text not inside an
// element with data-i18n, and attributes that people read given as they
// are.
function htmlWords(html) {
  const found = [];
  const body = html.replace(/<!--[\s\S]*?-->/g, '').replace(/<(script|style)\b[\s\S]*?<\/\1>/g, '');
  for (const [, attributes, text] of body.matchAll(/<[a-z][\w-]*\b([^>]*)>([^<]*)/g)) {
    if (isWords(text) && !/\bdata-i18n=/.test(attributes)) found.push(text.trim());
    for (const [, name, value] of attributes.matchAll(/\b(aria-label|title|placeholder|alt)="([^"]*)"/g)) {
      if (!new RegExp(`data-i18n-${name}=`).test(attributes)) found.push(`${name}="${value}"`);
    }
  }
  return found;
}

test('both tables hold the same keys, each with the same placeholders', () => {
  assert.deepEqual(Object.keys(ja).sort(), Object.keys(en).sort());
  for (const key of Object.keys(en)) {
    const names = (text) => [...text.matchAll(/\{(\w+)\}/g)].map((m) => m[1]).sort();
    for (const [code, table] of Object.entries(TABLES)) {
      assert.equal(typeof table[key], 'string', `${code} ${key}`);
      assert.notEqual(table[key].trim(), '', `${code} ${key} is empty`);
    }
    assert.deepEqual(names(ja[key]), names(en[key]), `placeholders of ${key}`);
  }
});

test('every key the page names stands in the tables', () => {
  // A literal that starts with a table's group and a dot is a key, in
  // whatever expression it stands (t(ok ? 'a.b' : 'a.c')).
  const groups = new Set(Object.keys(en).map((key) => key.split('.')[0]));
  const named = [];
  for (const file of sourceFiles()) {
    const source = readFileSync(file, 'utf8');
    const literals = file.endsWith('.html')
      ? [...source.matchAll(/\bdata-i18n(?:-[\w-]+)?="([^"]+)"/g)].map((m) => m[1])
      : stringLiterals(source).filter((text) => groups.has(text.split('.')[0]) && text.includes('.'));
    for (const key of literals) named.push([file, key]);
  }
  assert.ok(named.length > 20);
  for (const [file, key] of named) {
    // A key made at run time (`status.meaning.${}`) names its group.
    const [start] = key.split('${}');
    const known = key.includes('${}') ? Object.keys(en).some((k) => k.startsWith(start)) : key in en;
    assert.ok(known, `${relative(WEB, file)}: ${key} is in no table`);
  }
});

test('no file of the page outside the tables writes words of its own', () => {
  const files = sourceFiles();
  assert.ok(files.some((file) => file.endsWith('main.js')) && files.some((file) => file.endsWith('index.html')));
  const found = [];
  for (const file of files) {
    const source = readFileSync(file, 'utf8');
    const words = file.endsWith('.html') ? htmlWords(source)
      : stringLiterals(source).filter((text) => isWords(text) && !NOT_THE_PAGES_WORDS.has(text));
    for (const text of words) found.push(`${relative(WEB, file)}: ${text}`);
  }
  assert.deepEqual(found, []);
});

test('the scan finds words where they are', () => {
  // The scan itself, on the kinds of literal it must tell apart.
  const source = `
    // 'Not this comment.'
    const pattern = /[\\r\\n'"]/; // a regular expression with quotes
    setStatus('Loading the program…');
    button.textContent = "Send";
    status.textContent = \`Finished: \${status} (\${meaning}).\`;
    field.title = '回答';
    element.classList.add('status'); fetch(\`examples/\${name}.txt\`);
    const half = 4 / 2, other = 'ok';
    line.setAttribute('class', 'screen status'); context.font = 'bold 12px sans-serif';
    if (event.key === 'Enter') done('normal end');
    throw new Error(\`no message \${key}\`);
  `;
  const literals = stringLiterals(source);
  assert.deepEqual(literals.filter(isWords),
                   ['Loading the program…', 'Send', 'Finished: ${} (${}).', '回答', 'normal end']);
  assert.ok(literals.includes('status') && literals.includes('ok'));
  assert.deepEqual(htmlWords('<p data-i18n="a.b"></p><button>Send it</button><pre aria-label="Console">x</pre>'),
                   ['Send it', 'aria-label="Console"']);
});

test('the language is the remembered choice, else the first preferred one with a table, else English', async () => {
  const { chooseLanguage } = await import('../../../web/i18n/i18n.js');
  const cases = [
    [['ja-JP', 'en'], null, 'ja'],
    [['de-DE', 'EN-gb', 'ja'], null, 'en'],
    [['fr'], null, 'en'],
    [[], null, 'en'],
    [['en-US'], 'ja', 'ja'],
    [['ja'], 'toString', 'ja'], // a stored value that only looks like a key
    [['ja'], 'de', 'ja'],
  ];
  for (const [preferred, remembered, expected] of cases) {
    assert.equal(chooseLanguage(preferred, remembered), expected, `${preferred} / ${remembered}`);
  }
});
