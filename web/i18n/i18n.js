// The page's words in the reader's language. Each language has one message
// table; the language is the reader's own choice from the switch when one
// was made (remembered in this browser), otherwise the first of the
// browser's preferred languages that has a table, otherwise English. The
// language in use is part of the session's state; this module only turns
// a language into its words.

import en from './en.js';
import ja from './ja.js';

export const TABLES = { ja, en };
const FALLBACK = 'en';
const REMEMBERED = 'orbcalc.language';

// The language for a browser whose preferred languages are `preferred`
// (BCP 47 tags, most wanted first) and whose reader once chose
// `remembered` (or null).
export function chooseLanguage(preferred, remembered) {
  if (Object.hasOwn(TABLES, remembered)) return remembered;
  for (const tag of preferred) {
    const primary = String(tag).split('-')[0].toLowerCase();
    if (Object.hasOwn(TABLES, primary)) return primary;
  }
  return FALLBACK;
}

// Fills each `{name}` in `text` from `params`; a name without a value stays.
function fill(text, params) {
  return text.replace(/\{(\w+)\}/g, (whole, name) => (name in params ? String(params[name]) : whole));
}

// The words of `language`: t(key, params), English where its table lacks a key.
export function translator(language) {
  const table = TABLES[language] ?? TABLES[FALLBACK];
  return (key, params = {}) => {
    const text = table[key] ?? TABLES[FALLBACK][key];
    if (text === undefined) throw new Error(`no message ${key}`);
    return fill(text, params);
  };
}

// The language to start in.
export function startingLanguage() {
  let remembered = null;
  try {
    remembered = globalThis.localStorage?.getItem(REMEMBERED) ?? null;
  } catch {
    // Storage refused (a private window, say): nothing is remembered.
  }
  return chooseLanguage(globalThis.navigator?.languages ?? [], remembered);
}

export function rememberLanguage(code) {
  try {
    globalThis.localStorage?.setItem(REMEMBERED, code);
  } catch {
    // The choice holds for this visit only.
  }
}

// The static markup's words: an element names its message in data-i18n
// (its text) or data-i18n-ATTRIBUTE (that attribute).
const TARGETS = [
  [
    'data-i18n',
    (element, text) => {
      element.textContent = text;
    },
  ],
  ['data-i18n-aria-label', (element, text) => element.setAttribute('aria-label', text)],
  ['data-i18n-title', (element, text) => element.setAttribute('title', text)],
  ['data-i18n-placeholder', (element, text) => element.setAttribute('placeholder', text)],
];

export function translatePage(document, language) {
  const t = translator(language);
  document.documentElement.setAttribute('lang', language);
  for (const [attribute, apply] of TARGETS) {
    for (const element of document.querySelectorAll(`[${attribute}]`))
      apply(element, t(element.getAttribute(attribute)));
  }
}
