// Code page 932 (Shift_JIS as Windows has it), decoded and encoded the way
// the C library's iconv does, from the binary table cp932.bin that the
// build packs (tools/cp932_pack.mjs, which says its layout) from the table
// in cp932.txt that tools/cp932_table.py made by asking iconv about every
// byte, pair and code point. The browser's own TextDecoder('shift_jis')
// follows another table, which differs at a few bytes (0x80, 0xA0 and 0xFD
// to 0xFF among them), so it is not used.

const REPLACEMENT = 0xfffd;
// In the table's encodings: a code point that a sequence decodes to but
// that has no encoding, and one that iconv drops (it encodes to no bytes).
export const NO_ENCODING = 0xffff;
export const EMPTY_ENCODING = 0xfffe;

// Where a sequence decodes to nothing (no sequence decodes to U+FFFF).
const UNDECODED = 0xffff;
const LITTLE_ENDIAN = new Uint8Array(Uint16Array.of(1).buffer)[0] === 1;

// The table's 16-bit little-endian numbers, viewed in place where the
// platform allows.
function numbersOf(bytes) {
  if (bytes.byteLength % 2 !== 0) throw new Error('the code page table has an odd number of bytes');
  const aligned = bytes.byteOffset % 2 === 0 ? bytes : bytes.slice();
  const numbers = new Uint16Array(aligned.buffer, aligned.byteOffset, aligned.byteLength / 2);
  return LITTLE_ENDIAN ? numbers : numbers.map((n) => ((n & 0xff) << 8) | (n >> 8));
}

const sequenceBytes = (sequence) => (sequence > 0xff ? [sequence >> 8, sequence & 0xff] : [sequence]);
function encodingBytes(encoding) {
  if (encoding === NO_ENCODING) return null;
  return encoding === EMPTY_ENCODING ? [] : sequenceBytes(encoding);
}

export class Cp932 {
  // `bytes` (a Uint8Array) is the binary table. Only what decoding needs
  // is made at once, each run of sequences copied whole: the page decodes
  // its first prompt before anyone types.
  constructor(bytes) {
    const numbers = numbersOf(bytes);
    let at = 0;
    const take = (count) => {
      if (at + count > numbers.length) throw new Error('the code page table ends early');
      at += count;
      return numbers.subarray(at - count, at);
    };
    const next = () => take(1)[0];
    // Code points by sequence: single bytes below 0x100, pairs above.
    this.decoded = new Uint16Array(65536).fill(UNDECODED);
    this.isLead = new Uint8Array(256);
    for (let runs = next(); runs > 0; runs--) {
      const first = next();
      const length = next();
      this.decoded.set(take(length), first);
      if (first > 0xff) this.isLead.fill(1, first >> 8, ((first + length - 1) >> 8) + 1);
    }
    this.exceptions = [];
    for (let count = next(); count > 0; count--) {
      this.exceptions.push([next() * 0x10000 + next(), encodingBytes(next())]);
    }
    this.skipsPair = new Uint8Array(65536);
    for (let ranges = next(); ranges > 0; ranges--) {
      const first = next();
      this.skipsPair.fill(1, first, next() + 1);
    }
    if (at !== numbers.length) throw new Error('the code page table goes on after its end');
    this.encodings = null;
  }

  // Code point to bytes, made on the first encoding: each code point to the
  // first sequence that decodes to it, single bytes before pairs, unless
  // the table's exceptions say otherwise (where several sequences decode to
  // one code point they name the one iconv encodes it to; they also hold
  // the code points no sequence decodes to that iconv encodes all the same).
  encodingTable() {
    if (this.encodings) return this.encodings;
    this.encodings = new Map();
    this.decoded.forEach((codePoint, sequence) => {
      if (codePoint !== UNDECODED && !this.encodings.has(codePoint)) {
        this.encodings.set(codePoint, sequenceBytes(sequence));
      }
    });
    for (const [codePoint, bytes] of this.exceptions) this.encodings.set(codePoint, bytes);
    return this.encodings;
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
      if (this.decoded[byte] !== UNDECODED) {
        characters.push({ codePoint: this.decoded[byte], width: 1 });
        i += 1;
        continue;
      }
      if (this.isLead[byte] && i + 1 < bytes.length) {
        const pair = (byte << 8) | bytes[i + 1];
        if (this.decoded[pair] !== UNDECODED || this.skipsPair[pair]) {
          const codePoint = this.decoded[pair] !== UNDECODED ? this.decoded[pair] : REPLACEMENT;
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
      const encoding = this.encodingTable().get(character.codePointAt(0));
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

function hex4(codePoint) {
  return codePoint.toString(16).toUpperCase().padStart(4, '0');
}
