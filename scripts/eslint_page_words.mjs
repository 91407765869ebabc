// An ESLint rule for the page's modules: every word a reader sees comes
// from the message tables (web/i18n/en.js and ja.js). It reports a string
// or template literal that reads as words rather than as a name for the
// code, and a literal that looks like a message key ("status.loading", or
// a key made at run time, `status.meaning.${status}`) that no table has.
// The message given to an Error is for the page's developer and is left
// alone, as are the literals a module declares as not the page's own words.
import { readFileSync } from 'node:fs';

import en from '../web/i18n/en.js';

const KEYS = Object.keys(en);
const GROUPS = new Set(KEYS.map((key) => key.split('.')[0]));

// Names that look like words but are the code's: class lists (lowercase
// names, one of them a class of the page's style sheet), canvas font
// settings, the keys of keyboard events, chemical element symbols, and an
// XML declaration.
const CLASSES = new Set(
  [...readFileSync(new URL('../web/style.css', import.meta.url), 'utf8').matchAll(/\.([A-Za-z][\w-]*)/g)].map(
    (m) => m[1],
  ),
);
const FONT = /^(italic|bold|normal|\d+(\.\d+)?px|serif|sans-serif|monospace|system-ui)$/;
const EVENT_KEYS = new Set([
  'Enter',
  'Escape',
  'Tab',
  'Home',
  'End',
  'PageUp',
  'PageDown',
  'ArrowUp',
  'ArrowDown',
  'ArrowLeft',
  'ArrowRight',
  'Backspace',
  'Delete',
]);

function isCodeNames(text) {
  const tokens = text.trim().split(/\s+/);
  const classList =
    tokens.every((token) => /^[a-z][a-z0-9-]*$/.test(token)) && tokens.some((token) => CLASSES.has(token));
  return (
    EVENT_KEYS.has(text) ||
    /^[A-Z][a-z]?$/.test(text) ||
    text.startsWith('<?xml') ||
    classList ||
    tokens.every((token) => FONT.test(token))
  );
}

// Whether a literal reads as words for a person rather than a name for the
// code (ids, classes, keys, events, paths, selectors, MIME types).
export function isWords(text) {
  if (isCodeNames(text)) return false;
  return (
    /[^\p{ASCII}]/u.test(text.replace(/[^\p{L}]/gu, '')) || // letters beyond ASCII: Japanese
    /[A-Za-z]{2,}[ ]+[A-Za-z]{2,}/.test(text) || // two words with a space
    /(^|[^A-Za-z])[A-Z][a-z]+([^A-Za-z]|$)/.test(text) // a capitalised word, as a button's
  );
}

// Whether `text` names a message key, and whether a table has it.
function keyProblem(text) {
  if (!text.includes('.') || !GROUPS.has(text.split('.')[0]) || /\s/.test(text)) return null;
  const [start] = text.split('${}');
  const known = text.includes('${}') ? KEYS.some((key) => key.startsWith(start)) : KEYS.includes(text);
  return known ? null : `${text} is in no message table`;
}

const forError = (node) => {
  const call = node.parent;
  return (
    (call?.type === 'NewExpression' && /Error$/.test(call.callee.name ?? '') && call.arguments.includes(node)) ||
    (call?.type === 'CallExpression' && call.callee.type === 'Super')
  );
};

const fromTables = {
  meta: {
    type: 'problem',
    docs: { description: 'words a reader sees come from the message tables' },
    schema: [{ type: 'array', items: { type: 'string' } }],
  },
  create(context) {
    const allowed = new Set(context.options[0] ?? []);
    const check = (node, text) => {
      if (forError(node) || allowed.has(text)) return;
      const problem = keyProblem(text) ?? (isWords(text) ? `words outside the message tables: ${text}` : null);
      if (problem) context.report({ node, message: problem });
    };
    return {
      Literal(node) {
        if (typeof node.value === 'string') check(node, node.value);
      },
      TemplateLiteral(node) {
        check(node, node.quasis.map((q) => q.value.cooked).join('${}'));
      },
    };
  },
};

export default { rules: { 'from-tables': fromTables } };
