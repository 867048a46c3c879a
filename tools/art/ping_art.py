"""Pictures of the Ping Configuration dialog (icons 157 and 158) and the four
frames of the tray animation (icons 135, 133, 134, 132)."""
import os

from artlib import (BLACK, CLEAR, GREEN, GREY, LIME, NAVY, RED, SILVER, TEAL, WHITE, YELLOW,
                    Image, ico_bytes, write)

# Where the two black marks of the turning ring sit, frame by frame: one
# eighth of a turn clockwise each time.
_CORNER_TR, _CORNER_BL = (11, 2, 13, 4), (2, 11, 4, 13)
_SIDE_R, _SIDE_L = (11, 7, 13, 8), (2, 7, 4, 8)
_CORNER_BR, _CORNER_TL = (11, 11, 13, 13), (2, 2, 4, 4)
_SIDE_B, _SIDE_T = (7, 11, 8, 13), (7, 2, 8, 4)
TRAY_MARKS = [
    (_CORNER_TR, _CORNER_BL),
    (_SIDE_R, _SIDE_L),
    (_CORNER_BR, _CORNER_TL),
    (_SIDE_B, _SIDE_T),
]


def tray_frame(n):
    """A red square ring with a grey outline around a clear centre."""
    img = Image(16, 16)
    img.rect(1, 1, 14, 14, GREY)
    img.rect(2, 2, 13, 13, RED)
    img.rect(5, 5, 10, 10, GREY)
    img.rect(6, 6, 9, 9, CLEAR)
    for x0, y0, x1, y1 in TRAY_MARKS[n]:
        img.rect(x0, y0, x1, y1, BLACK)
    return img


def _monitor(img, ox, oy, scale):
    """A small screen with a green trace: the machine that keeps pinging."""
    s = scale
    img.rect(ox, oy, ox + 12 * s - 1, oy + 9 * s - 1, GREY)
    img.frame(ox, oy, ox + 12 * s - 1, oy + 9 * s - 1, BLACK)
    img.rect(ox + s, oy + s, ox + 11 * s - 1, oy + 7 * s - 1, NAVY)
    img.rect(ox + 4 * s, oy + 9 * s, ox + 8 * s - 1, oy + 10 * s - 1, SILVER)
    img.rect(ox + 2 * s, oy + 10 * s, ox + 10 * s - 1, oy + 11 * s - 1, GREY)
    img.frame(ox + 2 * s, oy + 10 * s, ox + 10 * s - 1, oy + 11 * s - 1, BLACK)
    # a heartbeat trace across the screen
    y = oy + 4 * s
    pts = [(ox + s, y), (ox + 4 * s, y), (ox + 5 * s, y - 2 * s), (ox + 6 * s, y + 2 * s),
           (ox + 7 * s, y), (ox + 11 * s - 1, y)]
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        img.line(x0, y0, x1, y1, LIME)


def _waves(img, cx, cy, radii, colour):
    for r in radii:
        img.ring(cx, cy, r + 0.5, r - 1, colour)
    # keep only the right-hand arcs: the signal goes out to the host
    for y in range(img.height):
        for x in range(0, min(cx + 1, img.width)):
            if img.get(x, y) == colour and x <= cx:
                img.set(x, y, CLEAR)


def ping_icon(size, with_waves=True):
    img = Image(size, size)
    if size == 32:
        _monitor(img, 1, 8, 2)
        if with_waves:
            waves = Image(32, 32)
            _waves(waves, 22, 7, (4, 7, 10), YELLOW)
            img.blit(waves, 0, 0)
            img.disc(22, 7, 1, RED)
    else:
        _monitor(img, 0, 4, 1)
        if with_waves:
            waves = Image(16, 16)
            _waves(waves, 10, 4, (3, 5), YELLOW)
            img.blit(waves, 0, 0)
            img.set(10, 4, RED)
    return img


def dialog_picture():
    """Icon 157: the picture in the dialog's corner, a screen and a globe."""
    img = ping_icon(32)
    img.disc(25, 24, 6, TEAL)
    img.ring(25, 24, 6, 5, BLACK)
    img.line(19, 24, 31, 24, WHITE)
    img.line(25, 18, 25, 30, WHITE)
    return img


def build(out_dir):
    for n in range(4):
        write(os.path.join(out_dir, "tray_frame%d.ico" % n), ico_bytes([tray_frame(n)], 4))
    write(os.path.join(out_dir, "ping_dialog.ico"), ico_bytes([dialog_picture()], 4))
    write(os.path.join(out_dir, "ping_window.ico"), ico_bytes([ping_icon(32), ping_icon(16)], 4))
