#!/usr/bin/env python3
"""Write web/cp932.txt: code page 932 exactly as the C library's iconv
converts it, for the page to decode the program's output and to encode
typed answers.

The table is made by asking glibc's iconv itself (through ctypes, the
library behind the iconv command) about every single byte, every pair of
bytes after a lead byte and every Unicode code point, so that the page
shows what `iconv -f CP932 -t UTF-8` shows on a terminal and sends the
bytes `iconv -f UTF-8 -t CP932` would make. Run it again after a change of
the C library and compare:

    python3 web/tools/cp932_table.py > web/cp932.txt

Format, one mapping a line, hexadecimal:
    BB CCCC        the byte BB decodes to U+CCCC
    BBBB CCCC      the pair BBBB decodes to U+CCCC
    > CCCC BB[BB]  U+CCCC encodes to these bytes; given only where the
                   decoding lines do not say it alone (no pair decodes to
                   it, or several do); with no bytes, iconv drops it (the
                   tag characters U+E0000 to U+E007F)
    > CCCC -       U+CCCC has no encoding although a sequence decodes to it
    ! LL TT-TT ... the invalid pairs of lead byte LL with these trail bytes
                   are left out whole by `iconv -c`
Bytes and pairs not listed are invalid: iconv refuses them, and `iconv -c`
leaves out the first byte and goes on after it, or both bytes of a pair
named on a '!' line.
"""
import ctypes
import ctypes.util
import errno
import platform
import sys

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p,
                       ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t),
                       ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t)]
libc.iconv_close.argtypes = [ctypes.c_void_p]
FAILED = ctypes.c_size_t(-1).value


class Converter:
    def __init__(self, to_code, from_code):
        self.handle = libc.iconv_open(to_code.encode(), from_code.encode())
        if self.handle in (None, FAILED):
            sys.exit(f"iconv cannot convert from {from_code} to {to_code}")

    def convert(self, data):
        """The converted bytes, or the errno name of the failure
        ('EILSEQ' for an invalid sequence, 'EINVAL' for an incomplete one)."""
        output, failure = self.convert_all(data)
        return failure or output

    def convert_all(self, data):
        """The converted bytes and the errno name of a failure, or None."""
        libc.iconv(self.handle, None, None, None, None)  # initial state
        source = ctypes.create_string_buffer(data, len(data))
        source_pointer = ctypes.c_char_p(ctypes.addressof(source))
        source_left = ctypes.c_size_t(len(data))
        target = ctypes.create_string_buffer(64)
        target_pointer = ctypes.c_char_p(ctypes.addressof(target))
        target_left = ctypes.c_size_t(64)
        result = libc.iconv(self.handle, ctypes.byref(source_pointer), ctypes.byref(source_left),
                            ctypes.byref(target_pointer), ctypes.byref(target_left))
        failure = None
        if result == FAILED:
            failure = errno.errorcode[ctypes.get_errno()]
        elif libc.iconv(self.handle, None, None, ctypes.byref(target_pointer),
                        ctypes.byref(target_left)) == FAILED:
            failure = errno.errorcode[ctypes.get_errno()]
        return target.raw[:64 - target_left.value], failure


def single_code_point(utf8):
    text = utf8.decode("utf-8")
    if len(text) != 1:
        sys.exit(f"iconv made {len(text)} characters of one sequence: {text!r}")
    return ord(text)


def main():
    decoder = Converter("UTF-8", "CP932")
    encoder = Converter("CP932", "UTF-8")
    decoded = {}  # byte sequence -> code point
    for lead in range(256):
        result = decoder.convert(bytes([lead]))
        if isinstance(result, bytes):
            decoded[bytes([lead])] = single_code_point(result)
        elif result == "EINVAL":  # a lead byte that waits for its pair
            for trail in range(256):
                pair = bytes([lead, trail])
                result = decoder.convert(pair)
                if isinstance(result, bytes):
                    decoded[pair] = single_code_point(result)
    skipped_pairs = find_skipped_pairs(decoded)
    sources = {}  # code point -> byte sequences that decode to it
    for sequence, code_point in decoded.items():
        sources.setdefault(code_point, []).append(sequence)

    exceptions = []
    for code_point in range(0x110000):
        if 0xD800 <= code_point <= 0xDFFF:
            continue
        result = encoder.convert(chr(code_point).encode("utf-8"))
        encoded = result if isinstance(result, bytes) else None
        known = sources.get(code_point, [])
        if encoded is None:
            if known:
                exceptions.append(f"> {code_point:04X} -")
        elif known != [encoded]:
            exceptions.append(f"> {code_point:04X} {encoded.hex().upper()}")

    print(f"# CP932 as glibc {platform.libc_ver()[1]} iconv converts it;"
          " made by web/tools/cp932_table.py, which says the format.")
    for sequence in sorted(decoded, key=lambda s: (len(s), s)):
        print(f"{sequence.hex().upper()} {decoded[sequence]:04X}")
    for line in exceptions:
        print(line)
    for lead in sorted(skipped_pairs):
        print(f"! {lead:02X} {ranges(skipped_pairs[lead])}")


def find_skipped_pairs(decoded):
    """For each lead byte, the trail bytes of its invalid pairs that
    `iconv -c` leaves out together with the lead byte. Only a trail byte
    that would show by itself tells: a valid single byte, or a lead byte
    followed by a byte it pairs with. An invalid trail byte is left out
    either way, and counts as left out by itself."""
    ignoring = Converter("UTF-8//IGNORE", "CP932")
    leads = {sequence[0] for sequence in decoded if len(sequence) == 2}
    partners = {}
    for sequence in decoded:
        if len(sequence) == 2:
            partners.setdefault(sequence[0], sequence[1])
    skipped = {}
    for lead in sorted(leads):
        for trail in range(256):
            if bytes([lead, trail]) in decoded:
                continue
            if bytes([trail]) in decoded:
                probe, alone = bytes([lead, trail]), decoded[bytes([trail])]
            elif trail in partners:
                probe, alone = bytes([lead, trail, partners[trail]]), decoded[bytes([trail, partners[trail]])]
            else:
                continue
            shown = ignoring.convert_all(probe)[0].decode("utf-8")
            if shown and ord(shown[0]) == alone:
                continue
            skipped.setdefault(lead, []).append(trail)
    return skipped


def ranges(values):
    runs = []
    for value in values:
        if runs and runs[-1][1] == value - 1:
            runs[-1][1] = value
        else:
            runs.append([value, value])
    return " ".join(f"{first:02X}-{last:02X}" for first, last in runs)


if __name__ == "__main__":
    main()
