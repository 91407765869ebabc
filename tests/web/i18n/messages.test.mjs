// The page's words: both message tables hold the same keys with the same
// placeholders, the markup names only keys they hold and writes no words
// of its own, and the lint rule that keeps the modules' words in the
// tables tells words from the code's names.
//
//   node --test tests/web/

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';
import { RuleTester } from 'eslint';

import pageWords, { isWords } from '../../../scripts/eslint_page_words.mjs';
import en from '../../../web/i18n/en.js';
import ja from '../../../web/i18n/ja.js';

const TABLES = { en, ja };

test('both tables hold the same keys, each with the same placeholders', () => {
  assert.deepEqual(Object.keys(ja).sort(), Object.keys(en).sort());
  const names = (text) => [...text.matchAll(/\{(\w+)\}/g)].map((m) => m[1]).sort();
  for (const key of Object.keys(en)) {
    for (const [code, table] of Object.entries(TABLES)) {
      assert.equal(typeof table[key], 'string', `${code} ${key}`);
      assert.notEqual(table[key].trim(), '', `${code} ${key} is empty`);
    }
    assert.deepEqual(names(ja[key]), names(en[key]), `placeholders of ${key}`);
  }
});

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

test('the markup names only keys the tables hold, and writes no words of its own', () => {
  const html = readFileSync(new URL('../../../web/index.html', import.meta.url), 'utf8');
  const keys = [...html.matchAll(/\bdata-i18n(?:-[\w-]+)?="([^"]+)"/g)].map((m) => m[1]);
  assert.ok(keys.length > 20);
  assert.deepEqual(
    keys.filter((key) => !(key in en)),
    [],
  );
  assert.deepEqual(htmlWords(html), []);
  assert.deepEqual(htmlWords('<p data-i18n="a.b"></p><button>Send it</button><pre aria-label="Console">x</pre>'), [
    'Send it',
    'aria-label="Console"',
  ]);
});

test("the lint rule finds words and unknown keys, not the code's names", () => {
  const rule = pageWords.rules['from-tables'];
  const invalid = (code, message) => ({ code, errors: [{ message }] });
  new RuleTester({ languageOptions: { ecmaVersion: 'latest', sourceType: 'module' } }).run('from-tables', rule, {
    valid: [
      "el.classList.add('status'); fetch(`examples/${name}.txt`); const r = /[\\r\\n'\"]/;",
      "line.setAttribute('class', 'screen status'); context.font = 'bold 12px sans-serif';",
      "if (event.key === 'Enter') t('status.loading'); t(`status.meaning.${status}`); label('N');",
      'throw new Error(`no message ${key}`);',
      { code: "fault('Illegal instruction');", options: [['Illegal instruction']] },
    ],
    invalid: [
      invalid("setStatus('Loading the program…');", 'words outside the message tables: Loading the program…'),
      invalid('button.textContent = "Send";', 'words outside the message tables: Send'),
      invalid(
        's.textContent = `Finished: ${status} (${meaning}).`;',
        'words outside the message tables: Finished: ${} (${}).',
      ),
      invalid("field.title = '回答';", 'words outside the message tables: 回答'),
      invalid("done('normal end');", 'words outside the message tables: normal end'),
      invalid("t('status.nonesuch');", 'status.nonesuch is in no message table'),
      invalid('t(`status.nonesuch.${x}`);', 'status.nonesuch.${} is in no message table'),
    ],
  });
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
