"""Drawing helpers shared by the art of both programs: supersampled
pictograms, the ICO, CUR and BMP file formats, character pixel art, 5 x 7
lettering, bevelled keys, and the camera pictogram both show as their icon."""
import struct

SS = 4  # supersampling per axis, for smooth edges


# ---------------------------------------------------------------- pictograms

def blank(size):
    return [[(0, 0, 0, 0)] * size for _ in range(size)]


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



# ---------------------------------------------------------------- keys

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


def write_key(path, label, width, height, look):
    write_bmp(path, bevelled_key(label, width, height, look))


# ---------------------------------------------------------------- the camera

CAMERA_ICON_SIZES = (16, 32, 48)


def write_icon(path, shape, sizes):
    write_ico(path, [render(size, shape) for size in sizes])


def write_camera_icon(path):
    """The product's icon, the same in the application and the data source."""
    write_icon(path, shape_camera, CAMERA_ICON_SIZES)


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
