"""Character pixel art of the image application: the hand and pencil shared by
cursors and toolbar buttons, the eraser outlines, and the toolbar strip, laid
out in the button order of app.rc's toolbar resource."""
import math
import re
from pathlib import Path

from drawing import check_art, mask_art, mirrored, outlined, with_cells

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

