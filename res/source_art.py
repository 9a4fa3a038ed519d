"""Every picture the TWAIN data source's resources (twain/KorvoDocCamera.rc)
compile: its icon and the bitmaps of its dialog's buttons, with buttons.rc,
the script that gives each bitmap its id."""
from functools import partial

from drawing import write_camera_icon, write_key

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


def artworks():
    """File name and drawing (a function of the file's path) of every file."""
    art = [('app.ico', write_camera_icon)]
    lines = ['// Drawn by res/draw_resources.py.']
    for stem, first, label, width, height in SOURCE_BUTTONS:
        for offset, look in enumerate(LOOKS):
            name = 'source_%s_%s.bmp' % (stem, look)
            art.append((name, partial(write_key, label=label, width=width, height=height, look=look)))
            lines.append('%d BITMAP "%s"' % (first + offset, name))
    script = '\n'.join(lines) + '\n'
    art.append(('buttons.rc', lambda path: path.write_text(script)))
    return art
