// Code page 932 (Shift_JIS as Windows has it), decoded and encoded the way
// the C library's iconv does, from the table in cp932.txt that
// tools/cp932_table.py made by asking iconv about every byte, pair and
// code point. The browser's own TextDecoder('shift_jis') follows another
// table, which differs at a few bytes (0x80, 0xA0 and 0xFD to 0xFF among
// them), so it is not used.

const REPLACEMENT = 0xfffd;

export class Cp932 {
  // `text` is the contents of cp932.txt.
  constructor(text) {
    this.single = new Int32Array(256).fill(-1);
    this.isLead = new Uint8Array(256);
    this.pairs = new Int32Array(65536).fill(-1);
    this.skipsPair = new Uint8Array(65536);
    this.encodings = new Map();
    for (const line of text.split('\n')) {
      if (line === '' || line.startsWith('#')) continue;
      const fields = line.split(' ');
      if (fields[0] === '!') {
        const lead = parseInt(fields[1], 16);
        for (const range of fields.slice(2)) {
          const [first, last] = range.split('-').map((h) => parseInt(h, 16));
          for (let trail = first; trail <= last; trail++) this.skipsPair[(lead << 8) | trail] = 1;
        }
        continue;
      }
      if (fields[0] === '>') {
        const codePoint = parseInt(fields[1], 16);
        this.encodings.set(codePoint, fields[2] === '-' ? null : hexBytes(fields[2]));
        continue;
      }
      const sequence = parseInt(fields[0], 16);
      const codePoint = parseInt(fields[1], 16);
      if (fields[0].length === 2) {
        this.single[sequence] = codePoint;
      } else {
        this.pairs[sequence] = codePoint;
        this.isLead[sequence >> 8] = 1;
      }
      // Where several sequences decode to one code point, a '>' line
      // further down names the one iconv encodes it to.
      if (!this.encodings.has(codePoint)) this.encodings.set(codePoint, hexBytes(fields[0]));
    }
  }

  // Decodes `bytes` into characters, each with the number of bytes it came
  // from (1 or 2): on a terminal that is also the number of columns it
  // takes. What iconv refuses becomes U+FFFD, one byte wide, or two bytes
  // wide for the invalid pairs that `iconv -c` leaves out whole; decoding
  // goes on where `iconv -c` goes on after leaving them out.
  decode(bytes) {
    const characters = [];
    for (let i = 0; i < bytes.length;) {
      const byte = bytes[i];
      if (this.single[byte] >= 0) {
        characters.push({ codePoint: this.single[byte], width: 1 });
        i += 1;
        continue;
      }
      if (this.isLead[byte] && i + 1 < bytes.length) {
        const pair = (byte << 8) | bytes[i + 1];
        if (this.pairs[pair] >= 0 || this.skipsPair[pair]) {
          const codePoint = this.pairs[pair] >= 0 ? this.pairs[pair] : REPLACEMENT;
          characters.push({ codePoint, width: 2 });
          i += 2;
          continue;
        }
      }
      characters.push({ codePoint: REPLACEMENT, width: 1 });
      i += 1;
    }
    return characters;
  }

  decodeToString(bytes) {
    return this.decode(bytes)
      .map((c) => String.fromCodePoint(c.codePoint))
      .join('');
  }

  // Encodes `text`; throws an EncodeError naming the first character that
  // code page 932 cannot hold.
  encode(text) {
    const out = [];
    for (const character of text) {
      const encoding = this.encodings.get(character.codePointAt(0));
      if (!encoding) throw new EncodeError(character);
      out.push(...encoding);
    }
    return new Uint8Array(out);
  }
}

export class EncodeError extends Error {
  constructor(character) {
    const code = hex4(character.codePointAt(0));
    super(`U+${code} has no code page 932 encoding`);
    this.character = character;
    this.code = code;
  }
}

function hexBytes(text) {
  const bytes = [];
  for (let i = 0; i < text.length; i += 2) bytes.push(parseInt(text.slice(i, i + 2), 16));
  return bytes;
}

function hex4(codePoint) {
  return codePoint.toString(16).toUpperCase().padStart(4, '0');
}

export async function loadCp932(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status} ${response.statusText}`);
  return new Cp932(await response.text());
}
