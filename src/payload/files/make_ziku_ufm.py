#!/usr/bin/env python3
"""Writes ZIKU.UFM, the Unidrv font metrics of the K7X's resident font.

The font is a 24 x 24 dot Chinese device font (GB 2312, code page 936)
with 12 x 24 dot half-width characters, printed at 203 dpi. The file is
496 bytes, laid out as:

    offset  size  structure
         0    44  UNIFM_HDR
        44    56  UNIDRVINFO, then its select and unselect commands
       100   344  IFIMETRICS, then its names, char sets and FONTSIM
       444    52  EXTTEXTMETRIC

All values are little-endian. The font is fixed pitch, so the file has
no width table and no kerning pairs.

Usage: make_ziku_ufm.py OUTPUT
"""
import struct
import sys

UNIFM_VERSION_1_0 = 0x00010000
CP_GB2312 = 936
CC_GB2312 = -16          # predefined GB 2312 glyph translation
DF_TYPE_OEM1 = 4
DF_NOITALIC = 0x0001
DF_XM_CR = 0x0004

GB2312_CHARSET = 134
DEFAULT_CHARSET = 1
FIXED_PITCH = 0x01
FF_MODERN = 0x30
FW_NORMAL = 400
FW_BOLD = 700

FM_INFO_TECH_BITMAP = 0x00000002
FM_INFO_1BPP = 0x00000020
FM_INFO_INTEGER_WIDTH = 0x00000800
FM_INFO_DBCS_FIXED_PITCH = 0x10000000
FM_SEL_REGULAR = 0x0040
FM_SEL_BOLD = 0x0020
FM_NO_EMBEDDING = 0x0002

DPI = 203
EM = 24                  # full-width cell: 24 dots
HALF = 12                # half-width cell
ASCENT = 20
DESCENT = 4

UNIFM_HDR_SIZE = 44
UNIDRVINFO_SIZE = 48
IFIMETRICS_SIZE = 184
EXTTEXTMETRIC_SIZE = 52
FILE_SIZE = 496


def align4(data):
    return data + b"\0" * (-len(data) % 4)


def wstr(text):
    return (text + "\0").encode("utf-16-le")


def unidrvinfo():
    select = b"\x1b\x21\x00\x1c\x26"      # ESC ! 0, FS &: 24-dot Chinese
    unselect = b"\x1c\x2e"                # FS .: back to single byte
    fixed = UNIDRVINFO_SIZE
    size = len(align4(b"\0" * fixed + select + unselect))
    head = struct.pack(
        "<IIHHHHhhHhIIII8x",
        size, 0, DF_TYPE_OEM1, DF_NOITALIC | DF_XM_CR, DPI, DPI,
        0, 0, 0, 0,
        len(select), fixed,
        len(unselect), fixed + len(select))
    assert len(head) == UNIDRVINFO_SIZE
    return align4(head + select + unselect)


def fontdiff(weight, selection):
    return struct.pack("<4xHHhhii", weight, selection, HALF, EM, 0, 1)


def ifimetrics(total):
    family = wstr("ZIKU24")
    style = wstr("Regular")
    face = wstr("ZIKU24")
    unique = wstr("K7X:ZIKU24:24x24")
    charsets = bytes([GB2312_CHARSET, DEFAULT_CHARSET])

    tail = b""
    offsets = {}
    for name, blob in (("family", family), ("style", style),
                       ("face", face), ("unique", unique),
                       ("charsets", charsets)):
        offsets[name] = IFIMETRICS_SIZE + len(tail)
        tail += blob
    tail = align4(tail)
    offsets["fontsim"] = IFIMETRICS_SIZE + len(tail)
    # FONTSIM: bold simulation only, FONTDIFF right after it
    tail += struct.pack("<III", 12, 0, 0) + fontdiff(FW_BOLD, FM_SEL_BOLD)
    assert IFIMETRICS_SIZE + len(tail) <= total
    tail += b"\0" * (total - IFIMETRICS_SIZE - len(tail))

    head = struct.pack(
        "<II5IiiiIBBHIHH", total, 0,
        offsets["family"], offsets["style"], offsets["face"],
        offsets["unique"], offsets["fontsim"], 0, 0, 0,
        offsets["charsets"], GB2312_CHARSET, FIXED_PITCH | FF_MODERN,
        FW_NORMAL,
        FM_INFO_TECH_BITMAP | FM_INFO_1BPP | FM_INFO_INTEGER_WIDTH
        | FM_INFO_DBCS_FIXED_PITCH,
        FM_SEL_REGULAR, FM_NO_EMBEDDING)
    metrics = struct.pack(
        "<26h",
        EM, EM,                      # units per em, lowest ppem
        ASCENT, DESCENT,             # Windows ascender, descender
        ASCENT, -DESCENT, 0,         # Mac ascender, descender, gap
        ASCENT, -DESCENT, 0,         # typo ascender, descender, gap
        HALF, EM,                    # average width, max increment
        ASCENT - 2, 14,              # cap height, x height
        HALF // 2, EM // 2, 0, 3,    # subscript size, offset
        HALF // 2, EM // 2, 0, 10,   # superscript size, offset
        1, -2,                       # underscore size, position
        1, 8)                        # strikeout size, position
    chars = struct.pack(
        "<BBBBHHHH", 0x20, 0xFE, 0x20, 0x20,
        0x0020, 0xFFE5, 0x0020, 0x0020)
    points = struct.pack(
        "<ii ii ii iiii 4sII",
        1, 0,                        # baseline direction
        DPI, DPI,                    # aspect
        0, 1,                        # caret direction
        0, ASCENT, EM, -DESCENT,     # font box
        b"K7X ", 0, 0)               # vendor, no kerning, culture
    panose = bytes([2, 1, 6, 9, 0, 1, 1, 1, 1, 1]) + b"\0\0"
    block = head + metrics + chars + points + panose
    assert len(block) == IFIMETRICS_SIZE, len(block)
    return block + tail


def exttextmetric():
    return struct.pack(
        "<26h",
        EXTTEXTMETRIC_SIZE, 240, 0,  # size, point size * 20, orientation
        EM, EM, EM, EM,              # master height, min/max scale, units
        ASCENT - 2, 14, 14, DESCENT, 0,
        -8, 3, HALF, HALF,           # super/subscript
        2, 1, 0, 0, 0, 0,            # underlines
        8, 1,                        # strikeout
        0, 0)                        # no kerning


def build():
    drv = unidrvinfo()
    lo_drv = UNIFM_HDR_SIZE
    lo_ifi = lo_drv + len(drv)
    ifi = ifimetrics(FILE_SIZE - lo_ifi - EXTTEXTMETRIC_SIZE)
    lo_etm = lo_ifi + len(ifi)
    header = struct.pack(
        "<IIIiIIIII8x", FILE_SIZE, UNIFM_VERSION_1_0, CP_GB2312,
        CC_GB2312, lo_drv, lo_ifi, lo_etm, 0, 0)
    data = header + drv + ifi + exttextmetric()
    assert len(data) == FILE_SIZE, len(data)
    return data


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(build())
