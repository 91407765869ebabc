// The address fragment that carries a run: `#answers=` with the answer
// bytes in base64url, or `#smiles=` (percent-encoded) with `&table=`
// naming the parameter set and, optionally, `&name=` and `&order=` (the
// numbering the user chose: the molecule's atoms, counted from 1, in the
// order of their numbers, separated by commas). A fragment comes
// from whoever sent the link, so it is read strictly and its size capped;
// what it holds leaves here only as bytes and plain strings.

export const MAX_FRAGMENT = 8192; // characters after the '#'
const MAX_SMILES = 2000;

const ALPHABET = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
const DIGITS = new Map([...ALPHABET].map((c, i) => [c, i]));

export function encodeBase64url(bytes) {
  let out = '';
  for (let i = 0; i < bytes.length; i += 3) {
    const n = (bytes[i] << 16) | ((bytes[i + 1] ?? 0) << 8) | (bytes[i + 2] ?? 0);
    const chars = Math.min(4, Math.ceil(((bytes.length - i) * 8) / 6));
    for (let c = 0; c < chars; c++) out += ALPHABET[(n >> (18 - 6 * c)) & 63];
  }
  return out;
}

// The bytes of unpadded base64url text, or null if it is not that: a
// character outside the alphabet, a length no byte count gives, or unused
// low bits that are not zero (so that each byte string has one spelling).
export function decodeBase64url(text) {
  if (text.length % 4 === 1) return null;
  const bytes = new Uint8Array(Math.floor((text.length * 6) / 8));
  let bits = 0;
  let value = 0;
  let at = 0;
  for (const c of text) {
    const digit = DIGITS.get(c);
    if (digit === undefined) return null;
    value = ((value << 6) | digit) & 0xffffff;
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes[at++] = (value >> bits) & 0xff;
    }
  }
  if ((value & ((1 << bits) - 1)) !== 0) return null;
  return bytes;
}

export function answersFragment(bytes) {
  const fragment = `answers=${encodeBase64url(bytes)}`;
  return fragment.length > MAX_FRAGMENT ? { refusal: { code: 'link-too-long', limit: MAX_FRAGMENT } } : { fragment };
}

// `order` lists atoms counted from 0, as the page holds them.
export function structureFragment({ smiles, table, name, order }) {
  let fragment = `smiles=${encodeURIComponent(smiles)}&table=${encodeURIComponent(table)}`;
  if (name) fragment += `&name=${encodeURIComponent(name)}`;
  if (order) fragment += `&order=${order.map((atom) => atom + 1).join(',')}`;
  return fragment.length > MAX_FRAGMENT ? { refusal: { code: 'link-too-long', limit: MAX_FRAGMENT } } : { fragment };
}

// Reads `hash` (location.hash, with or without its '#'):
//   { kind: 'none' }                               nothing to do
//   { kind: 'answers', bytes }
//   { kind: 'structure', smiles, table, name, order }
//                                 table null: the default; order null: none
//   { kind: 'refused', refusal: { code, ... } }    say so; run nothing
// `tableIds` lists the parameter sets a link may name.
export function readFragment(hash, tableIds) {
  const text = hash.startsWith('#') ? hash.slice(1) : hash;
  if (text === '') return { kind: 'none' };
  if (text.length > MAX_FRAGMENT) return refused('link-too-long', { limit: MAX_FRAGMENT });
  const fields = new Map();
  for (const part of text.split('&')) {
    const equals = part.indexOf('=');
    if (equals <= 0) return refused('link-malformed');
    const key = part.slice(0, equals);
    if (fields.has(key)) return refused('link-malformed');
    fields.set(key, part.slice(equals + 1));
  }
  if (fields.has('answers')) {
    if (fields.size !== 1) return refused('link-malformed');
    const bytes = decodeBase64url(fields.get('answers'));
    return bytes && bytes.length > 0 ? { kind: 'answers', bytes } : refused('link-malformed');
  }
  if (!fields.has('smiles')) return refused('link-malformed');
  const decoded = {};
  for (const key of ['smiles', 'table', 'name', 'order']) {
    if (!fields.has(key)) continue;
    try {
      decoded[key] = decodeURIComponent(fields.get(key));
    } catch {
      return refused('link-malformed');
    }
  }
  for (const key of fields.keys()) {
    if (!(key in decoded)) return refused('link-malformed');
  }
  const { smiles, table = null, name = '' } = decoded;
  let order = null;
  if ('order' in decoded) {
    if (!/^[1-9]\d{0,2}(,[1-9]\d{0,2}){0,99}$/.test(decoded.order)) return refused('link-malformed');
    order = decoded.order.split(',').map((n) => Number(n) - 1);
  }
  // A SMILES is printable ASCII; anything else is not one, and is not
  // handed to the reader.
  if (smiles === '' || smiles.length > MAX_SMILES || !/^[\x21-\x7e]+$/.test(smiles)) return refused('link-malformed');
  if (table !== null && !tableIds.includes(table)) return refused('link-unknown-table', { table });
  return { kind: 'structure', smiles, table, name, order };
}

function refused(code, details = {}) {
  return { kind: 'refused', refusal: { code, ...details } };
}
