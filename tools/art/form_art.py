"""Pictures of the form: the icons beside the three mode captions (142 LAN,
143 Dial-Up, 145 manual) and the icons of the automatic-mode dialog (147
manual, 148 LAN, 149 Dial-Up). Each icon holds a 32x32 and a 16x16 image."""
import os

from artlib import (BLACK, BLUE, GREY, LIME, NAVY, RED, SILVER, TEAL, YELLOW, Image, ico_bytes,
                    write)


def _scaled(draw, size):
    """Draws at 32x32 and, for the small image, samples every other pixel."""
    big = Image(32, 32)
    draw(big)
    if size == 32:
        return big
    small = Image(16, 16)
    for y in range(16):
        for x in range(16):
            small.set(x, y, big.get(2 * x, 2 * y))
    return small


def _modem(img):
    """A modem with its lights and a telephone handset on top."""
    img.rect(3, 18, 28, 27, SILVER)
    img.frame(3, 18, 28, 27, BLACK)
    img.rect(4, 25, 27, 26, GREY)
    for i, c in enumerate((LIME, LIME, RED, YELLOW, LIME)):
        img.rect(7 + 4 * i, 21, 8 + 4 * i, 22, c)
    # handset: two ear pieces joined by a bar
    img.rect(5, 9, 26, 12, BLACK)
    img.rect(6, 10, 25, 11, GREY)
    img.rect(3, 11, 9, 16, BLACK)
    img.rect(4, 12, 8, 15, GREY)
    img.rect(22, 11, 28, 16, BLACK)
    img.rect(23, 12, 27, 15, GREY)
    # the line out
    img.line(29, 23, 31, 21, BLACK)


def _screen(img, ox, oy):
    img.rect(ox, oy, ox + 11, oy + 8, GREY)
    img.frame(ox, oy, ox + 11, oy + 8, BLACK)
    img.rect(ox + 2, oy + 2, ox + 9, oy + 6, TEAL)
    img.rect(ox + 4, oy + 9, ox + 7, oy + 10, BLACK)
    img.rect(ox + 2, oy + 11, ox + 9, oy + 12, SILVER)
    img.frame(ox + 2, oy + 11, ox + 9, oy + 12, BLACK)


def _lan(img):
    """Two computers joined by a network cable."""
    _screen(img, 1, 3)
    _screen(img, 19, 3)
    img.rect(6, 16, 7, 24, BLUE)
    img.rect(24, 16, 25, 24, BLUE)
    img.rect(6, 23, 25, 24, BLUE)
    img.rect(13, 21, 18, 26, NAVY)
    img.rect(14, 22, 17, 25, LIME)


def _sliders(img):
    """A panel of three sliders: settings chosen by hand."""
    img.rect(2, 3, 29, 28, SILVER)
    img.frame(2, 3, 29, 28, BLACK)
    for i, knob in enumerate((9, 20, 13)):
        x = 8 + 8 * i
        img.rect(x, 7, x + 1, 24, GREY)
        img.rect(x - 3, knob, x + 4, knob + 3, NAVY)
        img.frame(x - 3, knob, x + 4, knob + 3, BLACK)


def _badge(img):
    """The dialog's icons carry a yellow tip mark in the corner."""
    img.disc(25, 25, 6, BLACK)
    img.disc(25, 25, 5, YELLOW)
    img.rect(25, 21, 25, 26, BLACK)
    img.set(25, 28, BLACK)


def _with_badge(draw):
    def both(img):
        draw(img)
        _badge(img)
    return both


ICONS = {
    "mode_lan.ico": _lan,
    "mode_dialup.ico": _modem,
    "mode_manual.ico": _sliders,
    "auto_lan.ico": _with_badge(_lan),
    "auto_dialup.ico": _with_badge(_modem),
    "auto_manual.ico": _with_badge(_sliders),
}


def build(out_dir):
    for name, draw in ICONS.items():
        write(os.path.join(out_dir, name), ico_bytes([_scaled(draw, 32), _scaled(draw, 16)]))
