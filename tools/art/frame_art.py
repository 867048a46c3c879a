"""Pictures of the main window and the About box: the program icon (128),
the About icon (161), the toolbar strip (bitmap 128, one 17 x 16 image per
button) and the About picture (bitmap 152, 125 x 138, 256 colours)."""
import math
import os

from artlib import (BLACK, BLUE, CLEAR, CYAN, GREEN, GREY, LIME, MAROON, NAVY, OLIVE, RED,
                    SILVER, TEAL, WHITE, YELLOW, Image, bmp_bytes, ico_bytes, write)

TOOL_W, TOOL_H = 17, 16

# Letters of the small patterns below.
COLOURS = {
    "k": BLACK, "r": MAROON, "g": GREEN, "o": OLIVE, "n": NAVY, "t": TEAL, "s": SILVER,
    "d": GREY, "R": RED, "G": LIME, "Y": YELLOW, "B": BLUE, "C": CYAN, "w": WHITE,
}


def _pattern(img, x0, y0, rows):
    for row in rows:
        assert len(row) <= img.width, row
    img.pattern(x0, y0, rows, COLOURS)


# ---- toolbar images, in button order (spacers are blank) ----

def tool_apply(img):
    for dy, c in ((0, LIME), (1, GREEN), (2, GREEN)):
        img.line(2, 7 + dy, 6, 11 + dy, c)
        img.line(6, 11 + dy, 14, 3 + dy, c)


def tool_ping(img):
    for (x, y) in ((1, 1), (9, 7)):
        img.frame(x, y, x + 6, y + 5, BLACK)
        img.rect(x + 1, y + 1, x + 5, y + 4, TEAL)
        img.rect(x + 1, y + 1, x + 3, y + 2, CYAN)
        img.rect(x + 2, y + 6, x + 4, y + 6, BLACK)
        img.rect(x + 1, y + 7, x + 5, y + 7, GREY)
    for x in range(4, 9, 2):
        img.set(x, 11, RED)
    for y in range(9, 12, 2):
        img.set(4, y, RED)
    img.set(8, 11, RED)


def tool_restore(img):
    cx, cy = 8, 8
    for y in range(TOOL_H):
        for x in range(TOOL_W):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if 16 < d <= 42 and abs(y - cy) > 1:
                img.set(x, y, GREEN if y < cy else BLUE)
    # heads: the upper arrow turns down on the right, the lower up on the left
    for i in range(4):
        img.rect(11 + i, 7 + i, 17 - i - 1, 7 + i, GREEN)
        img.rect(0 + i, 9 - i, 5 - i, 9 - i, BLUE)


def _cube(img, x, y, face, side, top):
    img.rect(x, y + 2, x + 4, y + 6, face)
    img.rect(x + 5, y + 1, x + 5, y + 5, side)
    img.rect(x + 1, y, x + 5, y, top)
    img.rect(x, y + 1, x + 4, y + 1, top)
    img.frame(x, y + 2, x + 4, y + 6, BLACK)


def tool_backup(img):
    _cube(img, 5, 1, YELLOW, OLIVE, WHITE)
    _cube(img, 1, 8, RED, MAROON, WHITE)
    _cube(img, 8, 8, BLUE, NAVY, CYAN)


def _globe(img, cx, cy, r, land=GREEN, sea=BLUE, edge=NAVY, grid=CYAN):
    for y in range(img.height):
        for x in range(img.width):
            dx, dy = x - cx, y - cy
            d = math.hypot(dx, dy)
            if d > r + 0.5:
                continue
            c = sea
            if abs(dy) < 0.6 or abs(abs(dx) - r * 0.45) < 0.5 or abs(dx) < 0.5:
                c = grid
            u = (dx / r, dy / r)
            if math.sin(3.1 * u[0] + 1.0) * math.cos(2.3 * u[1] - 0.4) > 0.45:
                c = land
            if d > r - 0.7:
                c = edge
            img.set(x, y, c)


def tool_internet(img):
    _globe(img, 8, 8, 6.6)


def tool_system(img):
    img.frame(1, 1, 15, 10, BLACK)
    img.rect(2, 2, 14, 9, SILVER)
    img.rect(3, 3, 13, 8, TEAL)
    img.rect(4, 4, 8, 5, CYAN)
    img.rect(6, 11, 10, 11, GREY)
    img.frame(2, 12, 14, 14, BLACK)
    img.rect(3, 13, 13, 13, WHITE)
    img.set(12, 13, LIME)


def tool_modems(img):
    # handset on the box
    img.rect(4, 2, 12, 3, BLACK)
    img.rect(2, 3, 4, 5, BLACK)
    img.rect(12, 3, 14, 5, BLACK)
    img.frame(1, 7, 15, 13, BLACK)
    img.rect(2, 8, 14, 8, WHITE)
    img.rect(2, 9, 14, 12, SILVER)
    img.rect(2, 12, 14, 12, GREY)
    img.set(4, 10, LIME)
    img.set(6, 10, RED)
    img.set(8, 10, YELLOW)
    img.set(10, 10, LIME)


def tool_network(img):
    for (x, y) in ((0, 0), (11, 0), (5, 9)):
        img.frame(x, y, x + 5, y + 4, BLACK)
        img.rect(x + 1, y + 1, x + 4, y + 3, TEAL)
        img.set(x + 1, y + 1, CYAN)
        img.rect(x + 1, y + 5, x + 4, y + 5, GREY)
    img.rect(2, 6, 2, 7, BLACK)
    img.rect(13, 6, 13, 7, BLACK)
    img.rect(2, 7, 13, 7, BLACK)
    img.rect(7, 7, 7, 8, BLACK)


def tool_help(img):
    img.rect(3, 1, 13, 13, BLUE)
    img.rect(3, 1, 4, 14, NAVY)
    img.rect(5, 14, 13, 14, WHITE)
    img.rect(14, 2, 14, 14, WHITE)
    img.frame(2, 0, 14, 15, BLACK)
    img.rect(7, 4, 11, 5, YELLOW)
    img.rect(7, 7, 11, 7, CYAN)


def tool_about(img):
    _pattern(img, 3, 1, [
        "...kkkkkk",
        "..kBBBBBBk",
        ".kBBkkkkBBk",
        ".kBBk..kBBk",
        "..kk..kBBBk",
        ".....kBBBk",
        "....kBBBk",
        "....kBBk",
        "....kBBk",
        ".....kk",
        "....kkkk",
        "....kBBk",
        "....kBBk",
        ".....kk",
    ])


def tool_web(img):
    img.rect(3, 0, 11, 15, WHITE)
    img.rect(12, 4, 13, 15, WHITE)
    img.frame(2, 0, 14, 15, BLACK)
    # folded corner
    for i in range(4):
        img.rect(11 + i, i, 14, i, SILVER)
    img.line(11, 0, 11, 3, BLACK)
    img.line(11, 3, 14, 3, BLACK)
    img.line(11, 0, 14, 3, BLACK)
    # the house
    for i in range(4):
        img.rect(8 - i, 5 + i, 8 + i, 5 + i, RED)
    img.rect(6, 9, 10, 13, YELLOW)
    img.rect(8, 11, 8, 13, BLACK)
    img.frame(5, 9, 11, 13, BLACK)
    img.rect(5, 9, 11, 9, MAROON)


def tool_findmtu(img):
    # a packet, and beneath it the span it is measured by
    img.frame(3, 1, 13, 8, BLACK)
    img.rect(4, 2, 12, 7, YELLOW)
    img.line(4, 2, 8, 5, OLIVE)
    img.line(12, 2, 8, 5, OLIVE)
    img.rect(2, 12, 14, 12, NAVY)
    for i in range(3):
        img.rect(1 + i, 12 - i, 1 + i, 12 + i, NAVY)
        img.rect(15 - i, 12 - i, 15 - i, 12 + i, NAVY)


def blank(img):
    pass


# The images in the strip's order; the Find Largest MTU button, added later,
# has the last one.
TOOLBAR = [tool_apply, tool_ping, blank, tool_restore, tool_backup, blank, tool_internet,
           tool_system, tool_modems, tool_network, blank, tool_help, tool_about, tool_web,
           tool_findmtu]


def toolbar_strip():
    strip = Image(TOOL_W * len(TOOLBAR), TOOL_H, SILVER)
    for i, draw in enumerate(TOOLBAR):
        cell = Image(TOOL_W, TOOL_H, CLEAR)
        draw(cell)
        strip.blit(cell, i * TOOL_W, 0)
    return strip


# ---- icons ----

def _orbit(img, cx, cy, a, b, colour, nodes, node_r, front_only_below=None):
    def shown(t):
        """The orbit's pixel at angle t, or None where the globe hides it."""
        x, y = cx + a * math.cos(t), cy + b * math.sin(t)
        if front_only_below is not None and math.sin(t) < 0 and \
                math.hypot(x - cx, y - cy) < front_only_below:
            return None
        return int(round(x)), int(round(y))

    steps = 720
    for k in range(steps):
        p = shown(2 * math.pi * k / steps)
        if p is not None:
            img.set(p[0], p[1], colour)
    glint = 1 if node_r > 1 else 0
    for t in nodes:
        p = shown(t)
        if p is not None:
            img.disc(p[0], p[1], node_r, RED)
            img.set(p[0] - glint, p[1] - glint, YELLOW)


def program_icon(size):
    img = Image(size, size, CLEAR)
    if size == 32:
        _globe(img, 15.5, 15.5, 12.5)
        _orbit(img, 15.5, 16, 15, 5, YELLOW, (0.5, 1.9, 3.0), 2, front_only_below=12.5)
    else:
        _globe(img, 7.5, 7.5, 6.4)
        _orbit(img, 7.5, 8, 7.4, 2.4, YELLOW, (0.5, 2.7), 1, front_only_below=6.4)
    return img


def about_icon(size):
    img = program_icon(size)
    # a white information badge in the lower right corner
    if size == 32:
        img.disc(24, 24, 7, NAVY)
        img.disc(24, 24, 6, WHITE)
        img.rect(23, 22, 25, 28, NAVY)
        img.rect(23, 19, 25, 20, NAVY)
    else:
        img.disc(12, 12, 3.6, NAVY)
        img.disc(12, 12, 2.8, WHITE)
        img.rect(12, 12, 12, 14, NAVY)
        img.set(12, 10, NAVY)
    return img


# ---- the About picture: 125 x 138, its own 256-colour palette ----

PIC_W, PIC_H = 125, 138


def _ramp(a, b, n):
    return [tuple(int(round(a[i] + (b[i] - a[i]) * k / (n - 1))) for i in range(3))
            for k in range(n)]


SKY, SEA, LAND, GOLD, GREYS = 0, 64, 128, 160, 192
PALETTE = (_ramp((8, 14, 52), (36, 120, 160), 64)        # background, top to bottom
           + _ramp((4, 22, 90), (150, 210, 255), 64)     # ocean, shadow to light
           + _ramp((10, 60, 20), (150, 220, 110), 32)    # land
           + _ramp((120, 70, 0), (255, 240, 150), 32)    # gold
           + _ramp((0, 0, 0), (255, 255, 255), 64))      # greys


def _shade(base, n, v):
    return base + max(0, min(n - 1, int(v * (n - 1))))


# A 5 x 7 pixel font for the few letters the picture needs.
FONT = {
    "V": ["X...X", "X...X", "X...X", "X...X", ".X.X.", ".X.X.", "..X.."],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "L": ["X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "R": ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
    "A": [".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "2": [".XXX.", "X...X", "....X", "...X.", "..X..", ".X...", "XXXXX"],
    "0": [".XXX.", "X...X", "X..XX", "X.X.X", "XX..X", "X...X", ".XXX."],
    "1": ["..X..", ".XX..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
    "5": ["XXXXX", "X....", "XXXX.", "....X", "....X", "X...X", ".XXX."],
    "v": [".....", ".....", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
    ".": [".....", ".....", ".....", ".....", ".....", ".XX..", ".XX.."],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


def _text_width(text, scale):
    return len(text) * 6 * scale - scale


def _text(img, x0, y0, text, scale, colour_of_row, shadow):
    for pass_, (ox, oy) in enumerate(((1, 1), (0, 0))):
        for i, ch in enumerate(text):
            for gy, row in enumerate(FONT[ch]):
                for gx, cell in enumerate(row):
                    if cell != "X":
                        continue
                    for sy in range(scale):
                        for sx in range(scale):
                            y = y0 + gy * scale + sy
                            c = shadow if pass_ == 0 else colour_of_row(gy * scale + sy)
                            img.set(x0 + i * 6 * scale + gx * scale + sx + ox, y + oy, c)


def about_picture():
    img = Image(PIC_W, PIC_H, 0, PALETTE)
    for y in range(PIC_H):
        for x in range(PIC_W):
            img.set(x, y, _shade(SKY, 64, y / (PIC_H - 1)))
    # a few faint stars in the upper sky
    for (x, y) in ((9, 7), (31, 15), (104, 9), (117, 27), (15, 38), (112, 58), (6, 70)):
        img.set(x, y, GREYS + 52)

    cx, cy, r = 62.0, 50.0, 36.0
    orbit_a, orbit_b, tilt = 56.0, 14.0, -0.28

    def orbit_point(t):
        x, y = orbit_a * math.cos(t), orbit_b * math.sin(t)
        return (cx + x * math.cos(tilt) - y * math.sin(tilt),
                cy + 6 + x * math.sin(tilt) + y * math.cos(tilt))

    def draw_orbit(front):
        for k in range(1440):
            t = 2 * math.pi * k / 1440
            if (math.sin(t) > 0) != front:
                continue
            x, y = orbit_point(t)
            for (dx, dy) in ((0, 0), (0, 1)):
                img.set(int(x) + dx, int(y) + dy, _shade(GOLD, 32, 0.55 + 0.4 * math.sin(t)))

    draw_orbit(front=False)
    light = (-0.5, -0.6, 0.62)
    for y in range(PIC_H):
        for x in range(PIC_W):
            dx, dy = (x + 0.5 - cx) / r, (y + 0.5 - cy) / r
            d2 = dx * dx + dy * dy
            if d2 > 1.0:
                continue
            dz = math.sqrt(1.0 - d2)
            lum = max(0.0, dx * light[0] + dy * light[1] + dz * light[2])
            lum = 0.12 + 0.88 * lum
            lon = math.atan2(dx, dz) + 0.6
            lat = math.asin(max(-1.0, min(1.0, dy)))
            land = (math.sin(2.1 * lon + 0.5) * math.cos(1.7 * lat)
                    + 0.6 * math.sin(4.3 * lon - 0.9 + 2.0 * lat) * math.cos(3.7 * lat + 0.4)
                    + 0.35 * math.sin(7.9 * lon + 2.2) * math.sin(6.1 * lat + 1.1)) > 0.5
            grid = (abs(((lat * 180 / math.pi) + 90) % 30) < 1.1
                    or abs(((lon * 180 / math.pi) + 180) % 30) < 1.4 * max(0.3, dz) ** -0.2 * 1.0)
            if land:
                c = _shade(LAND, 32, lum)
            else:
                c = _shade(SEA, 64, lum)
            if grid:
                c = _shade(SEA, 64, min(1.0, lum + 0.35)) if not land else _shade(LAND, 32, min(1.0, lum + 0.3))
            if d2 > 0.93:
                c = _shade(SEA, 64, lum * 0.5)
            img.set(x, y, c)
    draw_orbit(front=True)

    # network nodes on the orbit, joined to the globe's centre of view
    for t in (0.35, 1.6, 2.75, 4.4):
        x, y = orbit_point(t)
        if math.sin(t) < 0 and math.hypot(x - cx, y - cy) < r:
            continue
        img.disc(int(round(x)), int(round(y)), 3.2, _shade(GOLD, 32, 0.35))
        img.disc(int(round(x)), int(round(y)), 2.2, _shade(GOLD, 32, 0.95))
        img.set(int(round(x)) - 1, int(round(y)) - 1, GREYS + 63)

    white = lambda row: _shade(GREYS, 64, 1.0 - row / 40.0)
    gold = lambda row: _shade(GOLD, 32, 1.0 - row / 20.0)
    title = "VELORA"
    _text(img, (PIC_W - _text_width(title, 2)) // 2, 96, title, 2, white, GREYS + 4)
    year = "2001"
    _text(img, (PIC_W - _text_width(year, 2)) // 2, 114, year, 2, gold, GREYS + 4)
    version = "v5.1"
    _text(img, PIC_W - _text_width(version, 1) - 5, 129, version, 1, white, GREYS + 4)
    return img


def build(out_dir):
    write(os.path.join(out_dir, "velora.ico"), ico_bytes([program_icon(32), program_icon(16)]))
    write(os.path.join(out_dir, "about.ico"), ico_bytes([about_icon(32), about_icon(16)]))
    write(os.path.join(out_dir, "toolbar.bmp"), bmp_bytes(toolbar_strip(), 4))
    write(os.path.join(out_dir, "about.bmp"), bmp_bytes(about_picture(), 8))
