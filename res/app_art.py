"""Every picture the image application's resources (app.rc and the scripts it
includes) compile: icons, cursors, the toolbar strip, the remote-control panel
and the line kinds of the drawing palette."""
from functools import partial
from pathlib import Path

from app_icons import icons
from app_pictograms import HAND_CLOSED, HAND_HOTSPOT, HAND_OPEN, eraser_art, pencil_art, toolbar_order, toolbar_strip
from drawing import GLYPH_H, draw_text, filled, text_width, write_bmp, write_cur, write_icon, write_key

APP_RC = Path(__file__).with_name('app.rc')


def cursors():
    """File name, art and hot spot of every cursor."""
    pen = pencil_art(16, 'w')
    return [
        ('hand_open.cur', HAND_OPEN, HAND_HOTSPOT),
        ('hand_closed.cur', HAND_CLOSED, HAND_HOTSPOT),
        ('pen.cur', pen, (0, 15)),
    ] + [('eraser_%d.cur' % size, eraser_art(size), (0, 0)) for size in (6, 10, 16)]


# ---------------------------------------------------------------- remote-control panel

PANEL_W, PANEL_H = 240, 120
KEY_W, KEY_H = 34, 33
# (file stem, label, position) of the panel's buttons; rows are iris, focus, zoom.
REMOTE_KEYS = [
    ('iris_normal', 'NORM', (85, 6)), ('iris_open', 'OPEN', (136, 6)), ('iris_close', 'CLOSE', (187, 6)),
    ('focus_near', 'NEAR', (85, 44)), ('focus_far', 'FAR', (136, 44)), ('af', 'AF', (187, 44)),
    ('zoom_tele', 'TELE', (85, 82)), ('zoom_wide', 'WIDE', (136, 82)),
]
REMOTE_ROWS = [('IRIS', 6), ('FOCUS', 44), ('ZOOM', 82)]
PANEL_TOP, PANEL_BOTTOM = (58, 66, 80), (34, 38, 48)
PANEL_LABEL, PANEL_WELL = (200, 210, 225), (20, 22, 28)


def remote_background():
    """Dark panel with the row names on the left and a well behind each key."""
    def shade(y):
        t = y / (PANEL_H - 1)
        return tuple(round(a + (b - a) * t) for a, b in zip(PANEL_TOP, PANEL_BOTTOM))

    rows = [[shade(y)] * PANEL_W for y in range(PANEL_H)]
    for _, _, (x, y) in REMOTE_KEYS:
        for yy in range(y - 1, y + KEY_H + 1):
            rows[yy][x - 1:x + KEY_W + 1] = [PANEL_WELL] * (KEY_W + 2)
    for label, top in REMOTE_ROWS:
        draw_text(rows, label, (80 - text_width(label, 2)) // 2, top + (KEY_H - GLYPH_H * 2) // 2, PANEL_LABEL, 2)
    return rows


def remote_keys():
    """File name and drawing of each panel key, up and pressed."""
    for stem, label, _ in REMOTE_KEYS:
        for suffix, look in (('', 'up'), ('_down', 'down')):
            draw = partial(write_key, label=label, width=KEY_W, height=KEY_H, look=look)
            yield 'remote_%s%s.bmp' % (stem, suffix), draw


# ---------------------------------------------------------------- line kinds

LINE_KIND_W, LINE_KIND_H = 60, 14
LINE_KIND_KEY = (0, 255, 255)  # the image list's transparent colour
LINE_KIND_DASHES = [(1, 0), (8, 4), (2, 2)]  # (on, off) of solid, dashed, dotted


def line_kinds():
    """One strip of 60-pixel images: solid, dashed, dotted lines, 2 pixels thick."""
    rows = filled(LINE_KIND_W * len(LINE_KIND_DASHES), LINE_KIND_H, LINE_KIND_KEY)
    for i, (on, off) in enumerate(LINE_KIND_DASHES):
        for x in range(4, LINE_KIND_W - 4):
            if (x - 4) % (on + off) < on:
                for y in (LINE_KIND_H // 2 - 1, LINE_KIND_H // 2):
                    rows[y][i * LINE_KIND_W + x] = (0, 0, 0)
    return rows


# ---------------------------------------------------------------- all of it

def bitmap(rows_of):
    """Drawing of a 24-bit bitmap whose rows are computed only when it is drawn."""
    return lambda path: write_bmp(path, rows_of())


def artworks():
    """File name and drawing (a function of the file's path) of every file."""
    art = [(name, partial(write_icon, shape=shape, sizes=sizes)) for name, shape, sizes in icons()]
    art += [(name, partial(write_cur, art=pixels, hotspot=hotspot)) for name, pixels, hotspot in cursors()]
    art.append(('toolbar.bmp', bitmap(lambda: toolbar_strip(toolbar_order(APP_RC)))))
    art.append(('remote_background.bmp', bitmap(remote_background)))
    art += remote_keys()
    art.append(('line_kinds.bmp', bitmap(line_kinds)))
    return art
