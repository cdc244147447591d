#!/usr/bin/env python3
"""Writes resources/characters.blk and resources/characters.exp, the character tables the program
reads at start-up (foundation/language/CLanguage.h).

characters.blk is the Unicode block list with a third column, the block's text-encoding code in
hexadecimal:
  0     the block is written in Windows Latin 1 (also every script that has no Windows code page:
        its characters are then written as Unicode escapes);
  FFFF  the Han, Kana, Hangul and other CJK blocks, whose encoding depends on the language;
  otherwise the Windows code page of the block's script (501 Central European for Latin
  Extended-A and B, 502 Cyrillic, 503 Greek, 505 Hebrew, 506 Arabic, 41D Thai).

characters.exp lists the single characters whose encoding differs from their block's: a character
of Windows Latin 1 stays there (Œ œ Š š Ÿ Ž ž ƒ in Latin Extended-A and B); any other character
its block's code page lacks goes to the first Windows code page that holds it (Baltic letters to
507, the Turkish-only Ğ ğ İ ı to 504, ...); and a few characters the rule cannot place are named
below (the Latin ligatures among the Hebrew presentation forms, the byte order mark among the
Arabic ones).

Both files list their lines middle first: the program keeps them in unbalanced search trees built
in file order, and a sorted file would make each tree a list.

This is a one-time generator: its output is committed, and the build does not run it.
Usage: scripts/make_character_tables.py [Blocks.txt] [output folder]
"""
import sys
import unicodedata
from pathlib import Path

BLOCKS_TXT = "/usr/share/perl/5.36.0/unicore/Blocks.txt"

WINDOWS_LATIN_1 = 0x500
BY_LANGUAGE = 0xFFFF

# Block encodings other than 0.
BLOCK_ENCODINGS = {
    "Latin Extended-A": 0x501,
    "Latin Extended-B": 0x501,
    "Cyrillic": 0x502,
    "Cyrillic Supplement": 0x502,
    "Cyrillic Extended-A": 0x502,
    "Cyrillic Extended-B": 0x502,
    "Cyrillic Extended-C": 0x502,
    "Greek and Coptic": 0x503,
    "Greek Extended": 0x503,
    "Hebrew": 0x505,
    "Alphabetic Presentation Forms": 0x505,
    "Arabic": 0x506,
    "Arabic Supplement": 0x506,
    "Arabic Extended-A": 0x506,
    "Arabic Extended-B": 0x506,
    "Arabic Presentation Forms-A": 0x506,
    "Arabic Presentation Forms-B": 0x506,
    "Thai": 0x41D,
}
for name in [
    "CJK Radicals Supplement", "Kangxi Radicals", "Ideographic Description Characters",
    "CJK Symbols and Punctuation", "Hiragana", "Katakana", "Bopomofo", "Hangul Compatibility Jamo",
    "Kanbun", "Bopomofo Extended", "CJK Strokes", "Katakana Phonetic Extensions",
    "Enclosed CJK Letters and Months", "CJK Compatibility", "CJK Unified Ideographs Extension A",
    "CJK Unified Ideographs", "Yi Syllables", "Yi Radicals", "Hangul Jamo", "Hangul Jamo Extended-A",
    "Hangul Jamo Extended-B", "Hangul Syllables", "CJK Compatibility Ideographs", "Vertical Forms",
    "CJK Compatibility Forms", "Small Form Variants", "Halfwidth and Fullwidth Forms",
    "Ideographic Symbols and Punctuation", "Kana Extended-B", "Kana Supplement", "Kana Extended-A",
    "Small Kana Extension", "Enclosed Ideographic Supplement", "CJK Unified Ideographs Extension B",
    "CJK Unified Ideographs Extension C", "CJK Unified Ideographs Extension D",
    "CJK Unified Ideographs Extension E", "CJK Unified Ideographs Extension F",
    "CJK Compatibility Ideographs Supplement", "CJK Unified Ideographs Extension G",
]:
    BLOCK_ENCODINGS[name] = BY_LANGUAGE

# The Windows code page of each encoding code; the order is the preference for a character that
# its block's code page lacks.
CODE_PAGES = [
    (0x500, "cp1252"),
    (0x501, "cp1250"),
    (0x507, "cp1257"),
    (0x504, "cp1254"),
    (0x502, "cp1251"),
    (0x503, "cp1253"),
    (0x505, "cp1255"),
    (0x506, "cp1256"),
    (0x41D, "cp874"),
]
CODE_PAGE_OF = dict(CODE_PAGES)

# Characters whose encoding the code pages do not settle.
NAMED_EXCEPTIONS = {code: WINDOWS_LATIN_1 for code in list(range(0xFB00, 0xFB07)) + list(range(0xFB13, 0xFB18))}
NAMED_EXCEPTIONS[0xFEFF] = WINDOWS_LATIN_1

NAME_LIMIT = 63


def read_blocks(path):
    blocks = []
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        codes, name = [part.strip() for part in line.split(";", 1)]
        low, high = [int(code, 16) for code in codes.split("..")]
        blocks.append((low, high, name))
    return blocks


def in_code_page(char, code_page):
    try:
        char.encode(code_page)
        return True
    except UnicodeEncodeError:
        return False


def wanted_encoding(char, block_encoding):
    if in_code_page(char, "cp1252"):
        return WINDOWS_LATIN_1
    own = WINDOWS_LATIN_1 if block_encoding == 0 else block_encoding
    if own in CODE_PAGE_OF and in_code_page(char, CODE_PAGE_OF[own]):
        return own
    for code, code_page in CODE_PAGES:
        if in_code_page(char, code_page):
            return code
    return own


def find_exceptions(blocks):
    exceptions = []
    for low, high, name in blocks:
        encoding = BLOCK_ENCODINGS.get(name, 0)
        if encoding == BY_LANGUAGE or low > 0xFFFF:
            continue
        answer = WINDOWS_LATIN_1 if encoding == 0 else encoding
        for code in range(max(low, 0x80), high + 1):
            char = chr(code)
            char_name = unicodedata.name(char, "")
            if not char_name or 0xD800 <= code <= 0xDFFF:
                continue
            wanted = NAMED_EXCEPTIONS.get(code) or wanted_encoding(char, encoding)
            if wanted != answer:
                exceptions.append((code, char_name[:NAME_LIMIT], wanted))
    return exceptions


def middle_first(items):
    """The items in the order that builds a balanced search tree: the middle one, then each half."""
    if not items:
        return []
    middle = len(items) // 2
    return [items[middle]] + middle_first(items[:middle]) + middle_first(items[middle + 1:])


BLK_HEADER = """\
# Character blocks: first..last; block name; text-encoding code (hexadecimal)
# 0 is Windows Latin 1 (scripts without a Windows code page are written in it as Unicode escapes);
# FFFF marks the Han, Kana, Hangul and other CJK blocks, whose encoding depends on the language.
# The lines are in the order that keeps the program's look-up tree shallow (middle first).
# Generated from the Unicode block list by scripts/make_character_tables.py.
"""

EXP_HEADER = """\
# Characters whose text encoding differs from their block's: code name; text-encoding code
# (both hexadecimal).
# The lines are in the order that keeps the program's look-up tree shallow (middle first).
# Generated by scripts/make_character_tables.py.
"""


def main():
    blocks_path = sys.argv[1] if len(sys.argv) > 1 else BLOCKS_TXT
    out = Path(sys.argv[2]) if len(sys.argv) > 2 else Path(__file__).resolve().parent.parent / "resources"
    blocks = sorted(read_blocks(blocks_path))
    unknown = set(BLOCK_ENCODINGS) - {name for _, _, name in blocks}
    if unknown:
        sys.exit("blocks not in the block list: " + ", ".join(sorted(unknown)))

    with open(out / "characters.blk", "w", encoding="ascii", newline="\n") as blk:
        blk.write(BLK_HEADER)
        for low, high, name in middle_first(blocks):
            blk.write(f"{low:04X}..{high:04X}; {name[:NAME_LIMIT]}; {BLOCK_ENCODINGS.get(name, 0):X}\n")

    with open(out / "characters.exp", "w", encoding="ascii", newline="\n") as exp:
        exp.write(EXP_HEADER)
        for code, name, encoding in middle_first(find_exceptions(blocks)):
            exp.write(f"{code:04X} {name}; {encoding:X}\n")


if __name__ == "__main__":
    main()
