#!/usr/bin/env python3
"""Writes the property scripts that test_properties runs: the hand-written
properties.txt, then sections whose expected results Python works out here,
when the tests run, with its own urllib and codecs:

  oracle.py properties.txt out/properties.txt

- URL coding: UrlEncode in every mode on every byte (alone, as a lead byte,
  as a trail byte) and on Japanese text; UrlEncodeW in both modes on every
  character up to U+00FF and on Japanese text; UrlDecode on every escape.
- The byte-order marks: every prefix of every mark, for the probes and for
  every export behind the UTF-16LE gate of the INI files.
- The bytes of a UTF-8 file without a mark at the mark's and the line ends'
  edges, in text and binary modes.
- The UTF-8 conversions, both ways.
"""
import sys
from urllib.parse import quote, unquote_to_bytes

# The sets as the documentation lists them, apart from the library's.
UNSAFE = b'<>"#%{}|\\^~[]` '
RESERVED = " #$&'()*+,/:;=?@[]"
PASS = ''.join(chr(c) for c in range(0x21, 0x7F) if chr(c) not in RESERVED)
JAPANESE = '日本語のテキスト、表示ソ\\能 ｱｲｳ ＡＢＣ 漢字かなカナ'


def is_lead(b):
    return 0x81 <= b <= 0x84 or 0x87 <= b <= 0x9F or 0xE0 <= b <= 0xFC


def is_trail(b):
    return 0x40 <= b <= 0xFC and b != 0x7F


def escaped(data):
    return ''.join('%%%02X' % b for b in data)


def url_encode(data, mode):
    out, i = b'', 0
    while i < len(data):
        if is_lead(data[i]) and i + 1 < len(data) and is_trail(data[i + 1]):
            out += escaped(data[i:i + 2]).encode('ascii')
            i += 2
            continue
        b = data[i:i + 1]
        out += escaped(b).encode('ascii') if (mode >= 2 and b in UNSAFE) or (mode == 1 and b == b' ') else b
        i += 1
    assert unquote_to_bytes(out) == data
    return out


def url_encode_w(text, every):
    data = text.encode('utf-8')
    out = escaped(data) if every else quote(data, safe=PASS)
    assert unquote_to_bytes(out) == data
    return out


def literal(data):
    """A quoted text of the script: raw bytes as \\xHH, the rest as it reads."""
    if isinstance(data, bytes):
        return '"' + ''.join(chr(b) if 0x20 <= b < 0x7F and b not in b'"\\' else
                             '\\\\' if b == 0x5C else '\\"' if b == 0x22 else '\\x%02X' % b for b in data) + '"'
    return '"' + ''.join(c if ord(c) >= 0x20 and c not in '"\\\x7f' else '\\\\' if c == '\\' else '\\"' if c == '"'
                         else '\\x%02X' % ord(c) for c in data) + '"'


def url_sections():
    every = bytes(range(1, 256))
    texts = [every, every[::-1], b''.join(bytes([b, 0x40]) for b in every),
             b''.join(bytes([0x81, b]) for b in every), b''.join(bytes([b, 0x5C, 0x20]) for b in every),
             JAPANESE.encode('cp932')]
    lines = ['== UrlEncode, every mode, against urllib']
    for mode in (-1, 0, 1, 2, 3):
        lines += ['UrlEncode %s %d → %s' % (literal(t), mode, literal(url_encode(t, mode))) for t in texts]
    lines += ['! UrlEncode "" %d → ""' % mode for mode in (0, 2)]
    wide_texts = [''.join(chr(c) for c in range(1, 256)), JAPANESE, 'a b&c\U0001F600\uFFFD\uE000%']
    lines += ['', '== UrlEncodeW, both modes, against urllib']
    for every_byte in (0, 1, 7):
        for t in wide_texts:
            lines.append('UrlEncodeW %s %d → %s' % (literal(t), every_byte, literal(url_encode_w(t, every_byte))))
            lines.append('GetResult → %s' % literal(url_encode_w(t, every_byte)))
    lines.append('! UrlEncodeW "" 0 → ""')
    escapes = [''.join('%%%02X' % b for b in range(1, 256)), ''.join('%%%02x' % b for b in range(1, 256)),
               ''.join('%%%X%x' % (b >> 4, b & 15) for b in range(1, 256)),
               '%4G%G4%%41%' + '%4', 'a%20b+c%e3%81%82%00tail']
    decode_texts = [e.encode('ascii') for e in escapes] + [every, b'%' + b'%'.join(bytes([b]) for b in every)]
    lines += ['', '== UrlDecode against urllib']
    lines += ['UrlDecode %s → %s' % (literal(t), literal(unquote_to_bytes(t).split(b'\0')[0])) for t in decode_texts]
    lines.append('! UrlDecode "" → ""')
    return lines


def mark_sections():
    ini = '[s]\r\nk=5\r\n'
    tails = [b'', ini.encode('utf-16-le'), ini.encode('utf-8'), b'x']
    lines = ['', '== every prefix of every byte-order mark, at the probes and the UTF-16LE gate']
    n = 0
    for mark in (b'\xFF\xFE', b'\xEF\xBB\xBF', b'\xFE\xFF'):
        for length in range(len(mark) + 1):
            for tail in tails:
                data = mark[:length] + tail
                name = '"C:\\\\lmx-props\\\\m%d.ini"' % n
                n += 1
                probe = 1 if data.startswith(b'\xFF\xFE') else 2 if data.startswith(b'\xEF\xBB\xBF') else 0
                whole = data == b'\xFF\xFE' + tails[1]
                lines.append('file %s %s' % (name, literal(data)))
                lines += ['IsUTF16LE %s → %d' % (name, probe), 'IsBOM %s → %d' % (name, probe)]
                lines.append(('' if whole else '! ') + 'ReadSectionKeysW %s "s" → %d' % (name, 1 if whole else -1))
                lines.append(('' if whole else '! ') + 'GetIniNumW %s "s" "k" → %d' % (name, 5 if whole else 0))
                lines.append(('' if whole else '! ') + 'GetIniStrW %s "s" "k" → "%s"' % (name, '5' if whole else ''))
                lines.append('WriteIniStrW %s "t" "k" "v" → %d' % (name, 1 if probe == 1 else -1))
    lines += ['! IsUTF16LE "missing.ini" → 0', '! IsUTF16LE "" → 0']
    return lines


def size_sections():
    writes = [[], [''], ['a'], ['ab'], ['abc'], ['abcd'], ['\n'], ['a\n'], ['\n\n'], ['ab\n'], ['é'], ['あ'],
              ['é\n'], ['a', '\n'], ['é', '\n'], ['\n', 'a'], ['a', 'b', 'c'], ['a', 'b'], ['\U0001F600']]
    lines = ['', '== UTF-8 without a mark: the bytes at the mark\'s and the line ends\' edges']
    for mode in ('w', 'wb', 'w+', 'w+b'):
        for line_writer in (False, True):
            for texts in writes:
                lines.append('#h = FileOpenW "size.txt" "%s" "UTF8" → 1' % mode)
                written = ''
                for t in texts:
                    lines.append('%s #h %s → 1' % ('WrFileLineW' if line_writer else 'WrFileW', literal(t)))
                    written += t if not line_writer or t.endswith('\n') else t + '\n'
                lines.append('FileClose #h → 1')
                # Binary streams of the C runtime write the UTF-16 units as they are.
                data = written.encode('utf-16-le') if 'b' in mode else written.encode('utf-8').replace(b'\n', b'\r\n')
                lines.append('FileBytes "size.txt" → %s' % literal(data))
    lines.append('FileDelete "size.txt" → 1')
    lines += ['#h = FileOpenW "append.txt" "a" "UTF8" → 1', 'WrFileW #h "a\\n" → 1', 'FileClose #h → 1',
              'FileBytes "append.txt" → %s' % literal(b'\xEF\xBB\xBF' + 'a\n'.encode('utf-8').replace(b'\n', b'\r\n'))]
    return lines


def conversion_sections():
    texts = [JAPANESE, ''.join(chr(c) for c in range(0x20, 0x800, 7)), '\U0001F600\U00020BB7\uFFFD', '']
    lines = ['', '== the UTF-8 conversions, both ways']
    for t in texts:
        lines += ['SetUTF8ConvertString %s → 1' % literal(t), 'GetResult | utf8 → %s' % literal(t)]
        lines += ['SetUTF16ConvertString %s | utf8 → 1' % literal(t), 'GetResultW → %s' % literal(t)]
    return lines


def main():
    with open(sys.argv[1], encoding='utf-8') as f:
        script = f.read()
    lines = url_sections() + mark_sections() + size_sections() + conversion_sections()
    with open(sys.argv[2], 'w', encoding='utf-8', newline='\n') as f:
        f.write(script.rstrip('\n') + '\n\n// Written by oracle.py.\n\n' + '\n'.join(lines) + '\n')


main()
