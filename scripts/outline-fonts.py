#!/usr/bin/python3
# outline-fonts.py SOURCE_DIR DEST_DIR: writes every .ttf of SOURCE_DIR into
# DEST_DIR for a Wine prefix. A font with outlines loses its embedded bitmap
# strikes (EBDT, EBLC, EBSC): Wine draws a glyph from a strike when one fits
# the size but measures the text from the outlines, so the two disagree
# (Tahoma at 8 points draws narrower than it measures, and an "&" underline
# lands beside its letter). A font made of strikes alone (its outlines
# are at most the missing-glyph box) is copied as it is, and so is a bold
# face: at 8 points Wine draws bold Tahoma's outlines no heavier than the
# regular face, and only its strikes show the weight. Each written font
# takes its source's time of change; a font whose time differs (an older
# prefix's plain copy, or a newer source) is written again.
import os
import shutil
import sys

from fontTools.ttLib import TTFont

STRIKE_TABLES = ("EBDT", "EBLC", "EBSC")


def has_outlines(font):
    if "glyf" not in font:
        return False
    glyf = font["glyf"]
    # Glyph 0 is the missing-glyph box, which the strike-only fonts carry too.
    return any(glyf[name].numberOfContours != 0 for name in font.getGlyphOrder()[1:])


def is_bold(font):
    return "OS/2" in font and font["OS/2"].usWeightClass >= 700


def write_font(source, dest):
    font = TTFont(source)
    if has_outlines(font) and not is_bold(font) and any(t in font for t in STRIKE_TABLES):
        for table in STRIKE_TABLES:
            if table in font:
                del font[table]
        partial = dest + ".part"
        font.save(partial)
        os.replace(partial, dest)
    else:
        shutil.copyfile(source, dest)
    shutil.copystat(source, dest)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: outline-fonts.py SOURCE_DIR DEST_DIR")
    source_dir, dest_dir = sys.argv[1:]
    os.makedirs(dest_dir, exist_ok=True)
    for name in sorted(os.listdir(source_dir)):
        if not name.lower().endswith(".ttf"):
            continue
        source = os.path.join(source_dir, name)
        dest = os.path.join(dest_dir, name)
        if os.path.exists(dest) and os.stat(dest).st_mtime_ns == os.stat(source).st_mtime_ns:
            continue
        write_font(source, dest)


if __name__ == "__main__":
    main()
