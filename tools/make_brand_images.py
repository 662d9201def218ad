#!/usr/bin/env python3
"""Draw the THALDEN Datalogger brand images and the Windows icon/manifest.

Writes, relative to the repository root:

  resources/images/thalden-download.png    32 x 32 RGBA  toolbar: download from tester
  resources/images/thalden-save.png        32 x 32 RGBA  toolbar: save results
  resources/images/thalden-open.png        32 x 32 RGBA  toolbar: open results file
  resources/images/thalden-device.png      32 x 32 RGB   the PV tester
  resources/images/thalden-logo.png       300 x 100 RGB  logo (panel + "THALDEN")
  resources/appicon/thalden-datalogger.png  64 x 64 RGBA  application icon
  resources/windows/thalden-datalogger.ico  the application icon for Windows:
                                           16, 20, 24, 32, 40, 48 and 64 px as
                                           32-bit images with alpha, 256 px as PNG
  resources/windows/thalden-datalogger.manifest  manifest for the .exe (asInvoker)
  desktop/icons/N/thalden-datalogger.png   N x N RGBA  the application icon for the
                                           desktop's icon theme, N = 16 ... 256

With --installer-images FOLDER it writes only the installer's artwork, which
the Windows build draws at build time (24-bit BMP, as NSIS wants it):

  FOLDER/header.bmp     150 x 57   the header of the installer's inner pages
  FOLDER/welcome.bmp    164 x 314  the welcome and finish pages' side picture

Everything is drawn here from flat shapes using only the standard library, and
the output is byte-for-byte the same on every run.  Rerun after a change with

    python3 tools/make_brand_images.py

from the repository root (the script finds the root itself, so any working
directory will do) and commit the regenerated files together with this script.
"""

import math
import os
import struct
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

SUBSAMPLES = 4  # per axis; 16 coverage samples per pixel give smooth edges

# Brand palette.
NAVY = "#1b2a4a"
CELL = "#2a5ca8"
CELL_LIGHT = "#3f78c8"
CELL_LINE = "#9fbde6"
SUN = "#ffc233"
SUN_RAY = "#f39c12"
ORANGE = "#f28c0f"
FOLDER_BACK = "#e0900f"
FOLDER_FRONT = "#ffc233"
SKY_TOP = "#eaf3fd"
SKY_BOTTOM = "#b9d5f2"
STEEL = "#c7d0dc"
PAPER = "#f4f7fb"
SCREEN = "#c4ead0"
WHITE = "#ffffff"


def rgb(colour):
    """'#rrggbb' -> (r, g, b) with components in 0..1."""
    return tuple(int(colour[i:i + 2], 16) / 255.0 for i in (1, 3, 5))


def mix(a, b, t):
    """Linear blend of two '#rrggbb' colours, returned as an (r, g, b) tuple."""
    ca, cb = rgb(a), rgb(b)
    return tuple(x + (y - x) * t for x, y in zip(ca, cb))


# --------------------------------------------------------------------------
# Canvas
# --------------------------------------------------------------------------

class Canvas:
    """Straight-alpha RGBA float canvas with coverage-based anti-aliasing."""

    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        if background is None:
            pixel = (0.0, 0.0, 0.0, 0.0)
        else:
            pixel = rgb(background) + (1.0,)
        self.pixels = [list(pixel) for _ in range(width * height)]

    def blend(self, x, y, colour, alpha):
        """Composite one source pixel over the canvas ("over" operator)."""
        p = self.pixels[y * self.width + x]
        below = p[3] * (1.0 - alpha)
        out = alpha + below
        if out <= 0.0:
            return
        for i in range(3):
            p[i] = (colour[i] * alpha + p[i] * below) / out
        p[3] = out

    def fill(self, shape, colour, opacity=1.0):
        """Fill a shape (inside-test, bounding box) with a flat colour."""
        inside, (bx0, by0, bx1, by1) = shape
        if isinstance(colour, str):
            colour = rgb(colour)
        x0 = max(0, int(math.floor(bx0)))
        y0 = max(0, int(math.floor(by0)))
        x1 = min(self.width, int(math.ceil(bx1)))
        y1 = min(self.height, int(math.ceil(by1)))
        n = SUBSAMPLES
        offsets = [(i + 0.5) / n for i in range(n)]
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for dy in offsets:
                    for dx in offsets:
                        if inside(x + dx, y + dy):
                            hits += 1
                if hits:
                    self.blend(x, y, colour, opacity * hits / (n * n))

    def vertical_gradient(self, top, bottom):
        """Paint the whole canvas opaque, from colour `top` to `bottom`."""
        for y in range(self.height):
            colour = mix(top, bottom, y / max(1, self.height - 1))
            for x in range(self.width):
                self.pixels[y * self.width + x] = list(colour) + [1.0]

    def rows(self, with_alpha):
        """Yield each row as bytes: RGBA or RGB, top row first."""
        channels = 4 if with_alpha else 3
        for y in range(self.height):
            row = bytearray()
            for p in self.pixels[y * self.width:(y + 1) * self.width]:
                row.extend(int(c * 255.0 + 0.5) for c in p[:channels])
            yield bytes(row)

    def is_opaque(self):
        return all(p[3] >= 1.0 - 1e-9 for p in self.pixels)


# --------------------------------------------------------------------------
# Shapes: each returns (inside(x, y) -> bool, bounding box)
# --------------------------------------------------------------------------

def snap(v):
    """Round a computed coordinate to 1/256 px so trigonometry cannot make the
    result depend on the last bit of the platform's libm."""
    return round(v * 256.0) / 256.0


def rect(x0, y0, x1, y1, radius=0.0):
    """Axis-aligned rectangle, optionally with rounded corners."""
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        if radius <= 0.0:
            return True
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    return inside, (x0, y0, x1, y1)


def circle(cx, cy, r):
    def inside(x, y):
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside, (cx - r, cy - r, cx + r, cy + r)


def polygon(points):
    """Any simple polygon (even-odd rule)."""
    pts = [(snap(x), snap(y)) for x, y in points]

    def inside(x, y):
        result = False
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y):
                if x < xi + (y - yi) * (xj - xi) / (yj - yi):
                    result = not result
            j = i
        return result
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return inside, (min(xs), min(ys), max(xs), max(ys))


def stroke(points, width):
    """Polyline with round joins and caps."""
    pts = [(snap(x), snap(y)) for x, y in points]
    half = width / 2.0
    segments = list(zip(pts, pts[1:]))

    def near(x, y, a, b):
        (ax, ay), (bx, by) = a, b
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else ((x - ax) * dx + (y - ay) * dy) / length2
        t = min(1.0, max(0.0, t))
        ex, ey = ax + t * dx - x, ay + t * dy - y
        return ex * ex + ey * ey <= half * half

    def inside(x, y):
        return any(near(x, y, a, b) for a, b in segments)
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return inside, (min(xs) - half, min(ys) - half,
                    max(xs) + half, max(ys) + half)


def quad_point(corners, u, v):
    """Bilinear point inside a quadrilateral given as TL, TR, BR, BL."""
    (tlx, tly), (trx, try_), (brx, bry), (blx, bly) = corners
    topx, topy = tlx + (trx - tlx) * u, tly + (try_ - tly) * u
    botx, boty = blx + (brx - blx) * u, bly + (bry - bly) * u
    return topx + (botx - topx) * v, topy + (boty - topy) * v


def sub_quad(corners, u0, v0, u1, v1):
    return polygon([quad_point(corners, u0, v0), quad_point(corners, u1, v0),
                    quad_point(corners, u1, v1), quad_point(corners, u0, v1)])


# --------------------------------------------------------------------------
# Motifs
# --------------------------------------------------------------------------

def draw_sun(c, cx, cy, r, ray_from, ray_to, ray_width, rays=8):
    for k in range(rays):
        angle = 2.0 * math.pi * k / rays + math.pi / rays
        dx, dy = math.cos(angle), math.sin(angle)
        c.fill(stroke([(cx + dx * ray_from, cy + dy * ray_from),
                       (cx + dx * ray_to, cy + dy * ray_to)], ray_width), SUN_RAY)
    c.fill(circle(cx, cy, r), SUN)


def draw_panel(c, corners, cols, rows, frame=0.05, gap=0.06):
    """A solar module in slight perspective: navy frame, blue cells."""
    c.fill(polygon(corners), NAVY)
    inner = [quad_point(corners, frame, frame * 1.6),
             quad_point(corners, 1 - frame, frame * 1.6),
             quad_point(corners, 1 - frame, 1 - frame * 1.6),
             quad_point(corners, frame, 1 - frame * 1.6)]
    c.fill(polygon(inner), CELL_LINE)
    for row in range(rows):
        for col in range(cols):
            u0, u1 = (col + gap / 2) / cols, (col + 1 - gap / 2) / cols
            v0, v1 = (row + gap) / rows, (row + 1 - gap) / rows
            # Light falls from the upper right, where the sun is.
            t = (col / max(1, cols - 1)) * 0.6 + (1 - row / max(1, rows - 1)) * 0.4
            c.fill(sub_quad(inner, u0, v0, u1, v1), mix(CELL, CELL_LIGHT, t))


def draw_solar_scene(c, ox, oy, s):
    """Sun behind a panel on a post; designed on a 64 x 64 grid, placed at
    (ox, oy) and scaled by s."""
    def p(x, y):
        return ox + x * s, oy + y * s

    cx, cy = p(45, 18)
    draw_sun(c, cx, cy, 9.5 * s, 12.5 * s, 16 * s, 3.2 * s)
    post_x0, post_y0 = p(29, 50)
    post_x1, post_y1 = p(35, 60)
    c.fill(rect(post_x0, post_y0, post_x1, post_y1), NAVY)
    base_x0, base_y0 = p(20, 58)
    base_x1, base_y1 = p(44, 62)
    c.fill(rect(base_x0, base_y0, base_x1, base_y1, 1.5 * s), NAVY)
    draw_panel(c, [p(13, 27), p(51, 27), p(60, 53), p(4, 53)], cols=4, rows=3)


# --------------------------------------------------------------------------
# Block font (5 x 7), only the letters we need
# --------------------------------------------------------------------------

FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "N": ["#...#", "##..#", "##..#", "#.#.#", "#..##", "#..##", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
}
GLYPH_W, GLYPH_H = 5, 7


def text_width(text, scale, spacing):
    return len(text) * GLYPH_W * scale + (len(text) - 1) * spacing


def draw_text(c, text, x, y, scale, spacing, colour):
    for ch in text:
        for gy, line in enumerate(FONT[ch]):
            for gx, bit in enumerate(line):
                if bit == "#":
                    c.fill(rect(x + gx * scale, y + gy * scale,
                                x + (gx + 1) * scale, y + (gy + 1) * scale), colour)
        x += GLYPH_W * scale + spacing


# --------------------------------------------------------------------------
# The images
# --------------------------------------------------------------------------

def app_icon(size=64):
    # The motif alone: Explorer, taskbars and menus show it on their own background.
    c = Canvas(size, size)
    draw_solar_scene(c, 0, 0, size / 64)
    return c


THEME_ICON_SIZES = (16, 32, 48, 64, 128, 256)
# What Explorer, the taskbar and the Start menu ask for at 100 to 250 % scaling.
ICO_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def draw_wordmark(c, x, y, big, small):
    """"THALDEN" with an orange rule and "DATALOGGER" spread to its width."""
    name_w = text_width("THALDEN", big, big)
    draw_text(c, "THALDEN", x, y, big, big, NAVY)
    rule_y = y + (GLYPH_H + 2) * big
    c.fill(rect(x, rule_y, x + name_w, rule_y + max(1, big // 2)), SUN_RAY)
    spacing = (name_w - len("DATALOGGER") * GLYPH_W * small) / (len("DATALOGGER") - 1)
    draw_text(c, "DATALOGGER", x, rule_y + 2 * big, small, spacing, NAVY)
    return name_w


def installer_header():
    """The inner pages' header: white like the page's top band, the scene and the name."""
    c = Canvas(150, 57, WHITE)
    draw_solar_scene(c, 2, 4, 50 / 64)
    draw_wordmark(c, 60, 10, 2, 1)
    return c


def installer_welcome():
    """The welcome and finish pages' side picture."""
    c = Canvas(164, 314)
    c.vertical_gradient(SKY_TOP, SKY_BOTTOM)
    draw_solar_scene(c, 12, 40, 140 / 64)
    name_w = text_width("THALDEN", 3, 3)
    draw_wordmark(c, (164 - name_w) // 2, 215, 3, 2)
    return c


def logo():
    c = Canvas(300, 100, WHITE)
    draw_solar_scene(c, 4, 4, 1.45)
    name_w = text_width("THALDEN", 4, 4)
    draw_wordmark(c, 108 + (300 - 108 - name_w) // 2, 22, 4, 2)
    return c


def download_icon():
    c = Canvas(32, 32)
    c.fill(rect(3, 17, 8, 29, 1.5), NAVY)        # tray: left wall
    c.fill(rect(24, 17, 29, 29, 1.5), NAVY)      # right wall
    c.fill(rect(3, 24, 29, 29, 1.5), NAVY)       # bottom
    c.fill(rect(13, 2, 19, 13), ORANGE)          # arrow shaft
    c.fill(polygon([(7, 12), (25, 12), (16, 22)]), ORANGE)
    return c


def save_icon():
    c = Canvas(32, 32)
    c.fill(polygon([(3, 3), (24, 3), (29, 8), (29, 29), (3, 29)]), NAVY)
    c.fill(rect(9, 3, 22, 12, 1.0), STEEL)       # metal shutter
    c.fill(rect(17, 5, 20, 10), NAVY)            # shutter window
    c.fill(rect(7, 16, 25, 29, 1.0), PAPER)      # label
    c.fill(rect(7, 16, 25, 19), ORANGE)          # label stripe
    c.fill(rect(10, 22, 22, 23), STEEL)
    c.fill(rect(10, 25, 19, 26), STEEL)
    return c


def open_icon():
    c = Canvas(32, 32)
    c.fill(polygon([(2, 6), (11, 6), (14, 9), (27, 9), (27, 27), (2, 27)]),
           FOLDER_BACK)
    c.fill(rect(6, 11, 24, 20), PAPER)           # sheet sticking out
    c.fill(polygon([(7, 14), (31, 14), (26, 27), (2, 27)]), FOLDER_FRONT)
    return c


def device_icon():
    c = Canvas(32, 32)
    c.vertical_gradient(SKY_TOP, SKY_BOTTOM)
    c.fill(rect(6, 1, 26, 31, 3.0), NAVY)        # tester housing
    c.fill(rect(9, 4, 23, 15, 1.0), SCREEN)      # display
    # I-V curve on the display.
    c.fill(stroke([(10.5, 6.5), (15.0, 6.9), (18.0, 7.8), (19.8, 9.4),
                   (20.9, 11.5), (21.5, 13.6)], 1.3), NAVY)
    c.fill(circle(12, 20, 2.2), ORANGE)          # keys
    c.fill(circle(20, 20, 2.2), STEEL)
    for x in (10, 14.5, 19):
        c.fill(rect(x, 25, x + 3, 27, 0.8), STEEL)
    return c


# --------------------------------------------------------------------------
# File formats
# --------------------------------------------------------------------------

def png_bytes(canvas, with_alpha):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    colour_type = 6 if with_alpha else 2
    ihdr = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, colour_type, 0, 0, 0)
    raw = b"".join(b"\x00" + row for row in canvas.rows(with_alpha))  # filter: none
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(canvases):
    """A multi-size .ico: 32-bit BGRA images (with the 1-bit mask older
    readers want) up to 64 px, the 256 px image as PNG as Windows stores it."""
    images = []
    for canvas in canvases:
        size = canvas.width
        assert canvas.height == size and not canvas.is_opaque()
        if size >= 256:
            images.append((size, png_bytes(canvas, with_alpha=True)))
            continue
        rows = list(canvas.rows(with_alpha=True))
        xor = b"".join(bytes(row[i + k] for i in range(0, len(row), 4) for k in (2, 1, 0, 3))
                       for row in reversed(rows))            # bottom-up, BGRA
        mask_row = (size + 31) // 32 * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(mask_row)
            for x in range(size):
                if row[4 * x + 3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask.extend(bits)
        info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, info + xor + bytes(mask)))
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return data + b"".join(image for _, image in images)


def bmp_bytes(canvas):
    """A 24-bit, bottom-up Windows bitmap of an opaque canvas."""
    assert canvas.is_opaque()
    stride = (canvas.width * 3 + 3) // 4 * 4
    pixels = b"".join(bytes(row[i + 2 - k] for i in range(0, len(row), 3) for k in range(3))
                      .ljust(stride, b"\0") for row in reversed(list(canvas.rows(with_alpha=False))))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


# Windows reads the execution level from this; asInvoker keeps UAC from
# asking for elevation.  CR LF line ends, no XML declaration.
MANIFEST_LINES = [
    '<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">',
    '  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">',
    '    <security>',
    '      <requestedPrivileges>',
    '        <requestedExecutionLevel',
    '          level="asInvoker"',
    '          uiAccess="false" />',
    '      </requestedPrivileges>',
    '    </security>',
    '  </trustInfo>',
    '</assembly>',
]


def manifest_bytes():
    data = "".join(line + "\r\n" for line in MANIFEST_LINES).encode("ascii")
    assert len(data) == 346, len(data)
    return data


# --------------------------------------------------------------------------

def write(relative_path, data):
    path = os.path.join(ROOT, relative_path)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print(f"{len(data):7d}  {relative_path}")


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--installer-images":
        os.makedirs(sys.argv[2], exist_ok=True)
        for name, canvas in (("header.bmp", installer_header()), ("welcome.bmp", installer_welcome())):
            with open(os.path.join(sys.argv[2], name), "wb") as f:
                f.write(bmp_bytes(canvas))
        return
    icons = [("thalden-download.png", download_icon(), True),
             ("thalden-save.png", save_icon(), True),
             ("thalden-open.png", open_icon(), True),
             ("thalden-device.png", device_icon(), False)]
    for name, canvas, with_alpha in icons:
        assert (canvas.width, canvas.height) == (32, 32)
        if with_alpha:  # motif must sit on a transparent surround
            assert canvas.pixels[0][3] == 0.0 and not canvas.is_opaque()
        else:
            assert canvas.is_opaque()
        write(os.path.join("resources", "images", name), png_bytes(canvas, with_alpha))

    brand = logo()
    assert (brand.width, brand.height) == (300, 100) and brand.is_opaque()
    write(os.path.join("resources", "images", "thalden-logo.png"),
          png_bytes(brand, with_alpha=False))

    icons = {size: app_icon(size) for size in sorted(set(ICO_SIZES + THEME_ICON_SIZES))}
    write(os.path.join("resources", "appicon", "thalden-datalogger.png"),
          png_bytes(icons[64], with_alpha=True))
    write(os.path.join("resources", "windows", "thalden-datalogger.ico"),
          ico_bytes([icons[size] for size in ICO_SIZES]))
    write(os.path.join("resources", "windows", "thalden-datalogger.manifest"),
          manifest_bytes())

    for size in THEME_ICON_SIZES:
        write(os.path.join("desktop", "icons", str(size), "thalden-datalogger.png"),
              png_bytes(icons[size], with_alpha=True))


if __name__ == "__main__":
    main()
