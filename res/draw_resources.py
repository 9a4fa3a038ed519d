#!/usr/bin/env python3
"""Draws the program's art so it can be changed in code, not in an editor.

Usage: draw_resources.py OUTPUT_FOLDER
Writes the icons (.ico), cursors (.cur, 32 x 32, 1 bit with AND/XOR masks)
and bitmaps (.bmp, 24 bit) that app.rc compiles. The toolbar strip follows the
button order of the toolbar resource in app.rc, so that order is kept in one
place.
"""
import math
import re
import struct
import sys
from pathlib import Path

SS = 4  # supersampling per axis, for smooth edges


def blank(size):
    return [[(0, 0, 0, 0)] * size for _ in range(size)]


def shape_camera(u, v):
    """Colour at (u, v) in a 0..1 square, or None: layers from back to front."""
    colour = None
    # The sheet of paper on the base, seen slightly from above.
    if 0.12 <= u <= 0.72 and 0.62 <= v <= 0.92:
        colour = (250, 250, 245, 255)
        if 0.2 <= u <= 0.62 and any(abs(v - y) < 0.018 for y in (0.70, 0.77, 0.84)):
            colour = (120, 140, 170, 255)
    # The base plate edge under the sheet.
    if 0.08 <= u <= 0.92 and 0.90 <= v <= 0.97:
        colour = (60, 70, 85, 255)
    # The arm: a vertical post and a head reaching over the paper.
    if 0.78 <= u <= 0.86 and 0.22 <= v <= 0.92:
        colour = (95, 105, 120, 255)
    if 0.30 <= u <= 0.86 and 0.14 <= v <= 0.30:
        colour = (45, 95, 170, 255)
    # The lens, looking down.
    du, dv = u - 0.44, v - 0.34
    if du * du / 0.012 + dv * dv / 0.004 <= 1.0:
        colour = (20, 25, 35, 255)
        if (du + 0.02) ** 2 / 0.002 + (dv + 0.01) ** 2 / 0.0008 <= 1.0:
            colour = (140, 200, 255, 255)
    return colour


def render(size, shape):
    img = blank(size)
    for y in range(size):
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    c = shape((x + (sx + 0.5) / SS) / size, (y + (sy + 0.5) / SS) / size)
                    if c:
                        a = c[3]
                        acc[0] += c[0] * a
                        acc[1] += c[1] * a
                        acc[2] += c[2] * a
                        acc[3] += a
            n = SS * SS
            a = acc[3] / n
            if a > 0:
                img[y][x] = (round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]), round(a))
    return img


def ico_image(img):
    size = len(img)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(img) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(img):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def write_ico(path, images):
    blobs = [ico_image(img) for img in images]
    out = struct.pack('<HHH', 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for img, blob in zip(images, blobs):
        size = len(img)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    path.write_bytes(out + b''.join(blobs))


# ---------------------------------------------------------------- file writers

def write_bmp(path, rows):
    """24-bit bottom-up BMP of rows of (r, g, b) pixels."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = b''.join(bytes((b, g, r)) for (r, g, b) in row)
        pixels += line + bytes(stride - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    path.write_bytes(header + info + bytes(pixels))


CURSOR_SIZE = 32


def write_cur(path, art, hotspot):
    """Monochrome cursor from character art: '.' screen, 'k' black, 'w' white,
    'x' inverted screen (visible on any picture). Art is padded to 32 x 32."""
    n = CURSOR_SIZE
    rows = [row.ljust(n, '.') for row in art] + ['.' * n] * (n - len(art))
    assert all(len(row) == n for row in rows) and len(rows) == n, path.name

    def plane(bit_of):
        out = bytearray()
        for row in reversed(rows):
            bits = 0
            for ch in row:
                bits = (bits << 1) | bit_of[ch]
            out += bits.to_bytes(n // 8, 'big')
        return bytes(out)

    xor = plane({'.': 0, 'k': 0, 'w': 1, 'x': 1})
    and_ = plane({'.': 1, 'k': 0, 'w': 0, 'x': 1})
    info = struct.pack('<IiiHHIIiiII', 40, n, n * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + xor + and_
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', n, n, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    path.write_bytes(directory + entry + image)


# ---------------------------------------------------------------- pixel art

def check_art(art, width, height, name):
    assert len(art) == height and all(len(row) == width for row in art), name
    return art


def mirrored(art):
    return [row[::-1] for row in art]


def recoloured(art, mapping):
    return [''.join(mapping.get(ch, ch) for ch in row) for row in art]


def with_cells(art, cells, ch):
    rows = [list(row) for row in art]
    for x, y in cells:
        rows[y][x] = ch
    return [''.join(row) for row in rows]


def mask_art(width, height, inside):
    """Crisp mask: a pixel is in when its centre is."""
    return [[inside(x + 0.5, y + 0.5) for x in range(width)] for y in range(height)]


def outlined(mask, fill, edge='k', background='.'):
    """Characters for a mask: pixels touching the outside are the edge."""
    height, width = len(mask), len(mask[0])

    def at(x, y):
        return 0 <= x < width and 0 <= y < height and mask[y][x]

    def char(x, y):
        if not mask[y][x]:
            return background
        inner = all(at(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        return fill if inner else edge

    return [''.join(char(x, y) for x in range(width)) for y in range(height)]


# The hand of the hand tool: open to grab, closed while dragging.
HAND_OPEN = [
    "......kk.kk.....",
    "...kk.kwkwwk....",
    "..kwwkkwkwwk.kk.",
    "..kwwkkwkwwkkwwk",
    "...kwwkwkwwkwwwk",
    "...kwwkwkwwkwwk.",
    ".kk.kwwwwwwwwwk.",
    "kwwkkwwwwwwwwwk.",
    "kwwwkwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwk..",
    "...kwwwwwwwwwk..",
    "....kwwwwwwwk...",
    ".....kwwwwwwk...",
    ".....kkkkkkkk...",
]

HAND_CLOSED = [
    "................",
    "................",
    "................",
    "................",
    "....kk.kk.kk....",
    "...kwwkwwkwwkk..",
    "...kwwwwwwwwkwk.",
    "....kwwwwwwwwwk.",
    "...kkwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "...kwwwwwwwwwwk.",
    "....kwwwwwwwwk..",
    ".....kwwwwwwk...",
    ".....kwwwwwwk...",
    ".....kkkkkkkk...",
]

HAND_HOTSPOT = (8, 8)


def pencil_mask(size):
    """A pencil lying from the lower left (its point) to the upper right."""
    tip = (0.5, size - 0.5)
    d = (1 / math.sqrt(2), -1 / math.sqrt(2))
    length, half, cone = size * 1.3, size * 0.17, size * 0.3

    def inside(x, y):
        px, py = x - tip[0], y - tip[1]
        t = px * d[0] + py * d[1]
        s = abs(px * d[1] - py * d[0])
        return 0 <= t <= length and s <= min(half, t * half / cone)

    return mask_art(size, size, inside), (lambda x, y: (x - tip[0]) * d[0] + (y - tip[1]) * d[1] < cone * 0.45)


def pencil_art(size, fill):
    mask, is_lead = pencil_mask(size)
    art = outlined(mask, fill)
    return [''.join('k' if ch != '.' and is_lead(x + 0.5, y + 0.5) else ch for x, ch in enumerate(row))
            for y, row in enumerate(art)]


def eraser_art(size):
    """The square the eraser clears: its top left corner is the hot spot."""
    return ['x' * size if y in (0, size - 1) else 'x' + '.' * (size - 2) + 'x' for y in range(size)]


def cursors():
    """File name, art and hot spot of every cursor."""
    pen = pencil_art(16, 'w')
    return [
        ('hand_open.cur', HAND_OPEN, HAND_HOTSPOT),
        ('hand_closed.cur', HAND_CLOSED, HAND_HOTSPOT),
        ('pen.cur', pen, (0, 15)),
    ] + [('eraser_%d.cur' % size, eraser_art(size), (0, 0)) for size in (6, 10, 16)]


# ---------------------------------------------------------------- toolbar

BUTTON_W, BUTTON_H = 16, 15
MASK_COLOUR = (192, 192, 192)
TOOLBAR_COLOURS = {
    '.': MASK_COLOUR, 'k': (0, 0, 0), 'w': (255, 255, 255), 'g': (128, 128, 128),
    'y': (255, 255, 0), 'o': (128, 128, 0), 'b': (0, 0, 160), 'c': (120, 190, 255),
    'r': (220, 0, 0), 'G': (0, 150, 0),
}

OPEN_FOLDER = [
    "................",
    "................",
    ".kkkk...........",
    "kooook..........",
    "koooookkkkkkk...",
    "kooooooooooook..",
    "koookkkkkkkkkkkk",
    "kookyyyyyyyyyyk.",
    "kokyyyyyyyyyyk..",
    "kokyyyyyyyyyyk..",
    "kkyyyyyyyyyyk...",
    "kkyyyyyyyyyyk...",
    "kkkkkkkkkkkk....",
    "................",
    "................",
]

CAMERA = [
    "................",
    "................",
    "......kkkk......",
    ".....kggggk.....",
    ".kkkkkkkkkkkkkk.",
    ".kgggggggggggyk.",
    ".kgggkkkkkkgggk.",
    ".kggkkbbbbkkggk.",
    ".kggkbbcbbbkggk.",
    ".kggkbcbbbbkggk.",
    ".kggkbbbbbbkggk.",
    ".kggkkbbbbkkggk.",
    ".kgggkkkkkkgggk.",
    ".kkkkkkkkkkkkkk.",
    "................",
]

PLAY = [
    "................",
    "................",
    "....kk..........",
    "....kGk.........",
    "....kGGk........",
    "....kGGGk.......",
    "....kGGGGk......",
    "....kGGGGGk.....",
    "....kGGGGk......",
    "....kGGGk.......",
    "....kGGk........",
    "....kGk.........",
    "....kk..........",
    "................",
    "................",
]

MAGNIFIER = [
    "................",
    "....kkkkk.......",
    "...kwwwwwk......",
    "..kwwwwwwwk.....",
    "..kwwwwwwwk.....",
    "..kwwwwwwwk.....",
    "..kwwwwwwwk.....",
    "..kwwwwwwwk.....",
    "...kwwwwwk......",
    "....kkkkkkk.....",
    ".........kkkk...",
    "..........kkkk..",
    "...........kkkk.",
    "............kkk.",
    "................",
]
MINUS_CELLS = [(x, 5) for x in range(4, 9)]
PLUS_CELLS = MINUS_CELLS + [(6, y) for y in (3, 4, 6, 7)]

FULL_SCREEN = [
    "................",
    "kkkkkkkkkkkkkkkk",
    "kbbbbbbbbbbbbbbk",
    "kbwwwbbbbbbwwwbk",
    "kbwbbbbbbbbbbwbk",
    "kbwbbbbbbbbbbwbk",
    "kbbbbbbbbbbbbbbk",
    "kbbbbbbbbbbbbbbk",
    "kbbbbbbbbbbbbbbk",
    "kbwbbbbbbbbbbwbk",
    "kbwbbbbbbbbbbwbk",
    "kbwwwbbbbbbwwwbk",
    "kbbbbbbbbbbbbbbk",
    "kkkkkkkkkkkkkkkk",
    "................",
]

REMOTE = [
    "................",
    ".....kkkkkk.....",
    "....kggggggk....",
    "....kgrrgggk....",
    "....kggggggk....",
    "....kwwggwwk....",
    "....kggggggk....",
    "....kwwggwwk....",
    "....kggggggk....",
    "....kwwggwwk....",
    "....kggggggk....",
    "....kggggggk....",
    "....kggggggk....",
    ".....kkkkkk.....",
    "................",
]


def square_art(fill):
    return ['.' * 3 + ('k' * 10 if y in (3, 12) else 'k' + fill * 8 + 'k') + '.' * 3 if 3 <= y <= 12 else '.' * 16
            for y in range(BUTTON_H)]


def rotate_cw_art():
    """Three quarters of a ring, running clockwise from the left to an arrow head on the right."""
    cx, cy, r_in, r_out = 7.5, 8.0, 3.2, 5.6

    def inside(x, y):
        dx, dy = x - cx, y - cy
        r = math.hypot(dx, dy)
        angle = math.degrees(math.atan2(dy, dx)) % 360  # 0 right, 90 down
        ring = r_in <= r <= r_out and not (0 < angle < 130)
        # The arrow head points down at the ring's right end.
        head = y >= cy - 0.5 and y <= cy + 4.5 and abs(x - (cx + (r_in + r_out) / 2)) <= (cy + 4.5 - y) * 0.9
        return ring or head

    return outlined(mask_art(BUTTON_W, BUTTON_H, inside), 'b', 'b')


def selection_art():
    """A dashed rectangle, black and white, like a selection on the screen."""
    left, top, right, bottom = 1, 2, 14, 12

    def char(x, y):
        on_edge = (x in (left, right) and top <= y <= bottom) or (y in (top, bottom) and left <= x <= right)
        if not on_edge:
            return '.'
        return 'k' if (x + y) // 2 % 2 == 0 else 'w'

    return [''.join(char(x, y) for x in range(BUTTON_W)) for y in range(BUTTON_H)]


def toolbar_pictograms():
    """Pictogram of every toolbar command, by the command's name in resource.h."""
    rotate_cw = rotate_cw_art()
    return {
        'ID_FILE_OPEN': OPEN_FOLDER,
        'ID_TOOL_STILL_CAPTURE': CAMERA,
        'ID_LIVE_START': PLAY,
        'ID_LIVE_STOP': square_art('r'),
        'ID_VIEW_ZOOM_IN': with_cells(MAGNIFIER, PLUS_CELLS, 'k'),
        'ID_VIEW_ZOOM_OUT': with_cells(MAGNIFIER, MINUS_CELLS, 'k'),
        'ID_VIEW_FULL_SCREEN': FULL_SCREEN,
        'ID_ROTATE_CCW': mirrored(rotate_cw),
        'ID_ROTATE_CW': rotate_cw,
        'ID_TOOL_HAND': HAND_OPEN[:BUTTON_H],
        'ID_TOOL_SELECT': selection_art(),
        'ID_TOOL_DRAW': [row + '.' for row in pencil_art(BUTTON_H, 'y')],
        'ID_TOOL_REMOTE_CONTROL': REMOTE,
    }


def toolbar_order(rc_path):
    """Command names of the toolbar's buttons, in order, from app.rc's toolbar resource (type 241)."""
    text = Path(rc_path).read_text(encoding='utf-8')
    block = re.search(r'^IDR_MAINFRAME\s+241\s*$.*?^BEGIN(.*?)^END', text, re.S | re.M)
    return re.findall(r'\bID_\w+', block.group(1))


def toolbar_strip(order):
    pictograms = toolbar_pictograms()
    arts = [check_art(pictograms[name], BUTTON_W, BUTTON_H, name) for name in order]
    return [[TOOLBAR_COLOURS[ch] for art in arts for ch in art[y]] for y in range(BUTTON_H)]


# ---------------------------------------------------------------- lettering

FONT = {  # 5 x 7 capitals, just the letters the remote-control panel and the TWAIN dialog need
    'Y': "#...##...#.#.#...#....#....#....#..", 'B': "####.#...##...#####.#...##...#####.",
    '.': "..............................#....",
    'A': ".###.#...##...#######...##...##...#", 'C': ".###.#...##....#....#....#...#.###.",
    'D': "####.#...##...##...##...##...#####.", 'E': "######....#....####.#....#....#####",
    'F': "######....#....####.#....#....#....", 'I': ".###...#....#....#....#....#...###.",
    'L': "#....#....#....#....#....#....#####", 'M': "#...###.###.#.##.#.##...##...##...#",
    'N': "#...###..##.#.##..###...##...##...#", 'O': ".###.#...##...##...##...##...#.###.",
    'P': "####.#...##...#####.#....#....#....", 'R': "####.#...##...#####.#.#..#..#.#...#",
    'S': ".#####....#.....###.....#....#####.", 'T': "#####..#....#....#....#....#....#..",
    'U': "#...##...##...##...##...##...#.###.", 'W': "#...##...##...##.#.##.#.###.###...#",
    'Z': "#####....#...#...#...#...#....#####",
}
GLYPH_W, GLYPH_H = 5, 7


def text_width(text, scale):
    return (len(text) * (GLYPH_W + 1) - 1) * scale


def draw_text(rows, text, left, top, colour, scale=1):
    for i, letter in enumerate(text):
        glyph = FONT[letter]
        for gy in range(GLYPH_H):
            for gx in range(GLYPH_W):
                if glyph[gy * GLYPH_W + gx] == '#':
                    for sy in range(scale):
                        for sx in range(scale):
                            rows[top + gy * scale + sy][left + (i * (GLYPH_W + 1) + gx) * scale + sx] = colour


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
KEY_FACE, KEY_FACE_DOWN, KEY_TEXT = (228, 231, 236), (186, 192, 202), (25, 35, 60)
KEY_LIGHT, KEY_SHADOW, KEY_EDGE = (255, 255, 255), (120, 126, 138), (0, 0, 0)


def filled(width, height, colour):
    return [[colour] * width for _ in range(height)]


KEY_FACE_OFF, KEY_TEXT_OFF = (214, 216, 220), (150, 154, 162)


def bevelled_key(label, width, height, look):
    """A bevelled key: raised when 'up', sunk with its label shifted when 'down',
    raised and greyed when 'disabled'."""
    pressed = look == 'down'
    face = {'up': KEY_FACE, 'down': KEY_FACE_DOWN, 'disabled': KEY_FACE_OFF}[look]
    rows = filled(width, height, face)
    light, shadow = (KEY_SHADOW, KEY_LIGHT) if pressed else (KEY_LIGHT, KEY_SHADOW)
    for x in range(width):
        rows[1][x], rows[height - 2][x] = light, shadow
    for y in range(1, height - 1):
        rows[y][1], rows[y][width - 2] = light, shadow
    for x in range(width):
        rows[0][x] = rows[height - 1][x] = KEY_EDGE
    for y in range(height):
        rows[y][0] = rows[y][width - 1] = KEY_EDGE
    shift = 1 if pressed else 0
    left = (width - text_width(label, 1)) // 2 + shift
    draw_text(rows, label, left, (height - GLYPH_H) // 2 + shift, KEY_TEXT_OFF if look == 'disabled' else KEY_TEXT)
    return rows


def remote_key(label, pressed):
    return bevelled_key(label, KEY_W, KEY_H, 'down' if pressed else 'up')


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


# ---------------------------------------------------------------- TWAIN source dialog

# Stem, first bitmap id (up; down and disabled follow), label, size in pixels
# of the button at 96 dpi. The ids are those of twain/SourceResource.h.
SOURCE_BUTTONS = [
    ('play', 2100, 'PLAY', 51, 36), ('stop', 2103, 'STOP', 51, 36), ('still', 2106, 'STILL', 51, 36),
    ('transfer', 2109, 'TRANSFER', 87, 29), ('close', 2112, 'CLOSE', 87, 29), ('about', 2115, 'ABOUT...', 177, 28),
    ('iris_normal', 2118, 'NORM', 45, 29), ('iris_open', 2121, 'OPEN', 45, 29), ('iris_close', 2124, 'CLOSE', 45, 29),
    ('focus_near', 2127, 'NEAR', 45, 29), ('focus_far', 2130, 'FAR', 45, 29), ('af', 2133, 'AF', 45, 29),
    ('zoom_tele', 2136, 'TELE', 45, 29), ('zoom_wide', 2139, 'WIDE', 45, 29),
]
LOOKS = ('up', 'down', 'disabled')


def source_art(out):
    """The data source's icon, its button bitmaps and the script that names them."""
    write_ico(out / 'app.ico', [render(s, shape_camera) for s in (16, 32, 48)])
    lines = ['// Drawn by res/draw_resources.py.']
    for stem, first, label, width, height in SOURCE_BUTTONS:
        for offset, look in enumerate(LOOKS):
            name = 'source_%s_%s.bmp' % (stem, look)
            write_bmp(out / name, bevelled_key(label, width, height, look))
            lines.append('%d BITMAP "%s"' % (first + offset, name))
    (out / 'buttons.rc').write_text('\n'.join(lines) + '\n')


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


# ---------------------------------------------------------------- icons

INK = (25, 40, 90, 255)
PAPER = (250, 250, 245, 255)
ERASER_PINK = (240, 140, 160, 255)
ERASER_BAND = (60, 110, 200, 255)
CROSS_RED = (210, 30, 30, 255)


def seg_dist(u, v, a, b):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(u - ax - t * dx, v - ay - t * dy)


def stroke(u, v, a, b, width=0.09):
    return seg_dist(u, v, a, b) <= width / 2


def box_edge(u, v, left, top, right, bottom, width=0.09):
    inside_outer = left - width / 2 <= u <= right + width / 2 and top - width / 2 <= v <= bottom + width / 2
    inside_inner = left + width / 2 < u < right - width / 2 and top + width / 2 < v < bottom - width / 2
    return inside_outer and not inside_inner


def shape_free_line(u, v):
    def curve(x):
        return 0.5 - 0.25 * math.sin((x - 0.12) / 0.76 * 2 * math.pi)
    return INK if 0.1 <= u <= 0.9 and abs(v - curve(u)) <= 0.06 else None


def shape_line(u, v):
    if math.hypot(u - 0.18, v - 0.82) <= 0.09 or math.hypot(u - 0.82, v - 0.18) <= 0.09:
        return INK
    return INK if stroke(u, v, (0.18, 0.82), (0.82, 0.18)) else None


def shape_rectangle(u, v):
    return INK if box_edge(u, v, 0.14, 0.24, 0.86, 0.76) else None


def shape_horizontal(u, v):
    ends = any(stroke(u, v, (x, 0.36), (x, 0.64), 0.08) for x in (0.12, 0.88))
    return INK if ends or stroke(u, v, (0.12, 0.5), (0.88, 0.5)) else None


def shape_vertical(u, v):
    return shape_horizontal(v, u)


def shape_eraser(u, v, centre=(0.5, 0.5), scale=1.0):
    """An eraser block tilted by 35 degrees: pink rubber with a blue sleeve."""
    a = math.radians(-35)
    x = ((u - centre[0]) * math.cos(a) - (v - centre[1]) * math.sin(a)) / scale
    y = ((u - centre[0]) * math.sin(a) + (v - centre[1]) * math.cos(a)) / scale
    if abs(x) > 0.42 or abs(y) > 0.19:
        return None
    if abs(x) > 0.36 or abs(y) > 0.13:
        return INK
    return ERASER_BAND if x > 0.05 else ERASER_PINK


def shape_erase_area(u, v):
    eraser = shape_eraser(u, v, (0.66, 0.66), 0.6)
    if eraser:
        return eraser
    dash = int((u + v) * 10) % 2 == 0
    return INK if dash and box_edge(u, v, 0.1, 0.1, 0.8, 0.7, 0.07) else None


def shape_erase_all(u, v):
    if stroke(u, v, (0.3, 0.3), (0.9, 0.9), 0.12) or stroke(u, v, (0.9, 0.3), (0.3, 0.9), 0.12):
        return CROSS_RED
    if 0.12 <= u <= 0.72 and 0.08 <= v <= 0.86:
        edge = u < 0.17 or u > 0.67 or v < 0.13 or v > 0.81
        return INK if edge else PAPER
    return None


def shape_picture(u, v):
    """A framed photograph: the image document."""
    if not (0.06 <= u <= 0.94 and 0.14 <= v <= 0.86):
        return None
    if u < 0.12 or u > 0.88 or v < 0.2 or v > 0.8:
        return INK
    if math.hypot(u - 0.68, v - 0.36) <= 0.09:
        return (255, 200, 40, 255)
    if v > 0.62 - 0.25 * math.exp(-((u - 0.35) / 0.18) ** 2):
        return (60, 150, 70, 255)
    return (150, 200, 250, 255)


def shape_live(u, v):
    """A video camera with its red recording light: the live monitor."""
    if math.hypot(u - 0.22, v - 0.3) <= 0.07:
        return CROSS_RED
    if 0.06 <= u <= 0.66 and 0.4 <= v <= 0.82:
        edge = u < 0.11 or u > 0.61 or v < 0.45 or v > 0.77
        return INK if edge else (45, 95, 170, 255)
    if 0.64 <= u <= 0.94 and abs(v - 0.61) <= (u - 0.64) * 0.9 + 0.06:
        return INK
    return None


def icons():
    """File name, pictogram and sizes of every icon."""
    frame_sizes = (16, 32)
    palette_sizes = (20,)
    return [
        ('app.ico', shape_camera, (16, 32, 48)),
        ('image_frame.ico', shape_picture, frame_sizes),
        ('live_frame.ico', shape_live, frame_sizes),
        ('tool_free_line.ico', shape_free_line, palette_sizes),
        ('tool_line.ico', shape_line, palette_sizes),
        ('tool_rectangle.ico', shape_rectangle, palette_sizes),
        ('tool_horizontal.ico', shape_horizontal, palette_sizes),
        ('tool_vertical.ico', shape_vertical, palette_sizes),
        ('tool_eraser.ico', shape_eraser, palette_sizes),
        ('tool_erase_area.ico', shape_erase_area, palette_sizes),
        ('tool_erase_all.ico', shape_erase_all, palette_sizes),
    ]


# ---------------------------------------------------------------- all of it

def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    if sys.argv[2:] == ['twain']:
        source_art(out)
        return
    for name, shape, sizes in icons():
        write_ico(out / name, [render(s, shape) for s in sizes])
    for name, art, hotspot in cursors():
        write_cur(out / name, art, hotspot)
    write_bmp(out / 'toolbar.bmp', toolbar_strip(toolbar_order(Path(__file__).with_name('app.rc'))))
    write_bmp(out / 'remote_background.bmp', remote_background())
    for stem, label, _ in REMOTE_KEYS:
        write_bmp(out / ('remote_%s.bmp' % stem), remote_key(label, False))
        write_bmp(out / ('remote_%s_down.bmp' % stem), remote_key(label, True))
    write_bmp(out / 'line_kinds.bmp', line_kinds())


if __name__ == '__main__':
    main()
