#!/usr/bin/env python3
"""Draws the programs' art so it can be changed in code, not in an editor.

Usage: draw_resources.py app|twain OUTPUT_FOLDER   draw that program's files
       draw_resources.py app|twain --list          name them, one a line

app: the icons (.ico), cursors (.cur, 32 x 32, 1 bit with AND/XOR masks) and
bitmaps (.bmp, 24 bit) that app.rc compiles; the toolbar strip follows the
button order of the toolbar resource in app.rc, so that order is kept in one
place. twain: the data source's icon, button bitmaps and buttons.rc. The list
is what res/CMakeLists.txt reads, so a file added here is built without
naming it anywhere else.
"""
import sys
from pathlib import Path

# The modules sit in the source tree, which the build leaves clean.
sys.dont_write_bytecode = True

import app_art  # noqa: E402
import source_art  # noqa: E402

DELIVERABLES = {'app': app_art.artworks, 'twain': source_art.artworks}


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in DELIVERABLES:
        sys.exit(__doc__)
    art = DELIVERABLES[sys.argv[1]]()
    if sys.argv[2] == '--list':
        print('\n'.join(name for name, _ in art))
        return
    out = Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    for name, draw in art:
        draw(out / name)


if __name__ == '__main__':
    main()
