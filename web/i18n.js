// The page's words in the reader's language. Each language has one message
// table; the language is the reader's own choice from the switch when one
// was made (remembered in this browser), otherwise the first of the
// browser's preferred languages that has a table, otherwise English.

import en from './messages/en.js';
import ja from './messages/ja.js';

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
export function fill(text, params) {
  return text.replace(/\{(\w+)\}/g, (whole, name) => (name in params ? String(params[name]) : whole));
}

function remembered() {
  try {
    return globalThis.localStorage?.getItem(REMEMBERED) ?? null;
  } catch {
    return null; // storage refused (a private window, say): nothing is remembered
  }
}

let current = chooseLanguage(globalThis.navigator?.languages ?? [], remembered());
const listeners = new Set();

export function language() {
  return current;
}

export function t(key, params = {}) {
  const text = TABLES[current][key] ?? TABLES[FALLBACK][key];
  if (text === undefined) throw new Error(`no message ${key}`);
  return fill(text, params);
}

export function onLanguageChange(listener) {
  listeners.add(listener);
  return () => listeners.delete(listener);
}

export function setLanguage(code) {
  if (!Object.hasOwn(TABLES, code) || code === current) return;
  current = code;
  try {
    globalThis.localStorage?.setItem(REMEMBERED, code);
  } catch {
    // The choice holds for this visit only.
  }
  translatePage();
  for (const listener of listeners) listener(code);
}

// The static markup's words: an element names its message in data-i18n
// (its text) or data-i18n-ATTRIBUTE (that attribute).
const TARGETS = [
  ['data-i18n', (element, text) => { element.textContent = text; }],
  ['data-i18n-aria-label', (element, text) => element.setAttribute('aria-label', text)],
  ['data-i18n-title', (element, text) => element.setAttribute('title', text)],
  ['data-i18n-placeholder', (element, text) => element.setAttribute('placeholder', text)],
];

export function translatePage(root = globalThis.document) {
  if (!root) return;
  root.documentElement?.setAttribute('lang', current);
  for (const [attribute, apply] of TARGETS) {
    for (const element of root.querySelectorAll(`[${attribute}]`)) apply(element, t(element.getAttribute(attribute)));
  }
}
