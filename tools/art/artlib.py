"""Tiny writer of palette icons (.ico) and bitmaps (.bmp) for the resource
script, so that every picture of the program is made by code and can be made
again byte for byte."""
import struct

# The 16 colours of the standard VGA palette (what 16-colour icons use).
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)
CLEAR = -1  # transparent pixel of an icon


class Image:
    def __init__(self, width, height, fill=CLEAR, palette=None):
        self.width, self.height = width, height
        self.palette = list(palette or VGA16)
        self.px = [[fill] * width for _ in range(height)]

    def set(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, c):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c):
        for y in range(self.height):
            for x in range(self.width):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def ring(self, cx, cy, r_out, r_in, c):
        for y in range(self.height):
            for x in range(self.width):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if r_in * r_in < d <= r_out * r_out:
                    self.set(x, y, c)

    def blit(self, other, ox, oy):
        for y in range(other.height):
            for x in range(other.width):
                c = other.px[y][x]
                if c != CLEAR:
                    self.set(ox + x, oy + y, c)

    def pattern(self, x0, y0, rows, colours):
        """Draws a small picture given as strings, one character a pixel;
        `colours` maps characters to palette indices ('.' is left alone)."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in colours:
                    self.set(x0 + dx, y0 + dy, colours[ch])


def _rows(img, bpp, transparent_as=0):
    """Pixel rows bottom-up, packed at `bpp`, each padded to 4 bytes."""
    out = b""
    for y in range(img.height - 1, -1, -1):
        bits = []
        for x in range(img.width):
            c = img.px[y][x]
            bits.append(transparent_as if c == CLEAR else c)
        row = bytearray()
        if bpp == 8:
            row = bytearray(bits)
        elif bpp == 4:
            for i in range(0, len(bits), 2):
                hi = bits[i]
                lo = bits[i + 1] if i + 1 < len(bits) else 0
                row.append((hi << 4) | lo)
        elif bpp == 1:
            for i in range(0, len(bits), 8):
                b = 0
                for k in range(8):
                    if i + k < len(bits) and bits[i + k]:
                        b |= 0x80 >> k
                row.append(b)
        while len(row) % 4:
            row.append(0)
        out += bytes(row)
    return out


def _palette(img, bpp):
    n = 1 << bpp
    pal = img.palette + [(0, 0, 0)] * (n - len(img.palette))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in pal[:n])


def ico_bytes(images, bpp=4):
    """An icon file holding `images` (for example a 32x32 and a 16x16)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for img in images:
        info = struct.pack("<IiiHHIIiiII", 40, img.width, img.height * 2, 1, bpp, 0, 0, 0, 0, 0, 0)
        mask = Image(img.width, img.height, 0)
        for y in range(img.height):
            for x in range(img.width):
                mask.px[y][x] = 1 if img.px[y][x] == CLEAR else 0
        blob = info + _palette(img, bpp) + _rows(img, bpp) + _rows(mask, 1)
        colours = 0 if bpp >= 8 else (1 << bpp)
        entries += struct.pack("<BBBBHHII", img.width % 256, img.height % 256, colours, 0, 1, bpp,
                               len(blob), offset)
        blobs += blob
        offset += len(blob)
    return header + entries + blobs


def bmp_bytes(img, bpp=8):
    """A bottom-up palette bitmap with a full colour table of 2**bpp entries."""
    pal = _palette(img, bpp)
    pixels = _rows(img, bpp)
    info = struct.pack("<IiiHHIIiiII", 40, img.width, img.height, 1, bpp, 0, len(pixels), 2835,
                       2835, 0, 0)
    offset = 14 + len(info) + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + pal + pixels


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
