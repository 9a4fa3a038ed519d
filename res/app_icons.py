"""Supersampled pictograms of the image application's icons: its document
windows and the drawing palette's tools."""
import math

from drawing import CAMERA_ICON_SIZES, shape_camera

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
        ('app.ico', shape_camera, CAMERA_ICON_SIZES),
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

