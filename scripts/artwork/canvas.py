"""Drawing primitives, the colours the pictures share, and the picture file formats (BMP, ICO)."""

import struct

MAGENTA = (255, 0, 255)  # the transparent colour of the tree's image strips
CLEAR = (0, 0, 0, 0)

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK_GREY = (80, 80, 80)
GREY = (128, 128, 128)
LIGHT_GREY = (192, 192, 192)
PALE_GREY = (224, 224, 224)
SCREEN = (32, 96, 192)
SCREEN_LIGHT = (112, 176, 240)
CABLE = (40, 104, 176)
METAL = (232, 200, 64)
FOLDER_EDGE = (144, 104, 16)
FOLDER = (248, 208, 88)
FOLDER_BACK = (224, 176, 56)
FOLDER_LIGHT = (255, 240, 176)


class Canvas:
    """A grid of RGBA pixels with a few drawing primitives; (0, 0) is the top-left pixel."""

    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.pixels = [[_rgba(background)] * width for _ in range(height)]

    def pixel(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = _rgba(colour)

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle whose corners are (x0, y0) and (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pixel(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def line(self, x0, y0, x1, y1, colour):
        """A one-pixel line from (x0, y0) to (x1, y1), both ends included (Bresenham)."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.pixel(x0, y0, colour)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygon(self, points, colour):
        """Fills the pixels whose centres lie inside the polygon (even-odd rule)."""
        for y in range(self.height):
            for x in range(self.width):
                if _inside(points, x + 0.5, y + 0.5):
                    self.pixel(x, y, colour)

    def blend(self, x, y, colour, coverage):
        """Puts colour over the pixel with the given coverage (0 to 1), as alpha compositing does."""
        if not (0 <= x < self.width and 0 <= y < self.height) or coverage <= 0:
            return
        r, g, b, a = _rgba(colour)
        alpha = a / 255 * min(coverage, 1)
        br, bg, bb, ba = self.pixels[y][x]
        below = ba / 255 * (1 - alpha)
        out = alpha + below
        if out <= 0:
            self.pixels[y][x] = CLEAR
            return
        mix = [round((c * alpha + d * below) / out) for c, d in ((r, br), (g, bg), (b, bb))]
        self.pixels[y][x] = (mix[0], mix[1], mix[2], round(out * 255))

    def shape(self, inside, colour):
        """Smooth-edged fill: inside(px, py) tells whether a point is in the shape; 4x4 samples a pixel."""
        for y in range(self.height):
            for x in range(self.width):
                hits = sum(inside(x + (i + 0.5) / 4, y + (j + 0.5) / 4) for i in range(4) for j in range(4))
                self.blend(x, y, colour, hits / 16)

    def disc(self, cx, cy, radius, colour):
        self.shape(lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= radius**2, colour)

    def ring(self, cx, cy, outer, inner, colour):
        self.shape(lambda px, py: inner**2 <= (px - cx) ** 2 + (py - cy) ** 2 <= outer**2, colour)

    def stroke(self, x0, y0, x1, y1, width, colour):
        """A smooth line of the given width with round ends, in pixel coordinates."""
        self.shape(lambda px, py: _distance_to_segment(px, py, x0, y0, x1, y1) <= width / 2, colour)

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.pixel(left + x, top + y, other.pixels[y][x])


def _rgba(colour):
    return colour if len(colour) == 4 else (colour[0], colour[1], colour[2], 255)


def _inside(points, px, py):
    inside = False
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        if (y0 > py) != (y1 > py) and px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
            inside = not inside
    return inside


def _distance_to_segment(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    length = dx * dx + dy * dy
    t = 0 if length == 0 else max(0, min(1, ((px - x0) * dx + (py - y0) * dy) / length))
    return ((px - x0 - t * dx) ** 2 + (py - y0 - t * dy) ** 2) ** 0.5


# --- File formats ---


def bmp_bytes(canvas):
    """A 24-bit bottom-up BMP of the canvas (alpha is dropped)."""
    row_size = (canvas.width * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(canvas.height)):
        row = b"".join(bytes((b, g, r)) for r, g, b, _ in canvas.pixels[y])
        rows.append(row + b"\0" * (row_size - len(row)))
    image = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(image), 0, 0, 14 + len(header))
    return file_header + header + image


def icon_image_bytes(canvas):
    """One image of an .ico: a 32-bit DIB of twice the height, the colours then the 1-bit AND mask."""
    colours = b"".join(
        bytes((b, g, r, a)) for y in reversed(range(canvas.height)) for r, g, b, a in canvas.pixels[y]
    )
    mask_row_size = (canvas.width + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray(mask_row_size)
        for x, (_, _, _, a) in enumerate(canvas.pixels[y]):
            if a < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack(
        "<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0
    )
    return header + colours + bytes(mask)


def ico_bytes(canvases):
    images = [icon_image_bytes(c) for c in canvases]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for canvas, image in zip(canvases, images):
        directory += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


# The 16 colours of the classic palette, for pictures of 16 colours.
PALETTE_16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def bmp4_bytes(canvas, palette=PALETTE_16):
    """A 4-bit (16-colour) bottom-up BMP of the canvas; every pixel must be a colour of the palette."""
    index = {colour: i for i, colour in enumerate(palette)}
    row_size = ((canvas.width + 1) // 2 + 3) // 4 * 4
    rows = []
    for y in reversed(range(canvas.height)):
        row = bytearray(row_size)
        for x, (r, g, b, _) in enumerate(canvas.pixels[y]):
            if (r, g, b) not in index:
                raise ValueError(f"colour {(r, g, b)} at ({x}, {y}) is not in the palette")
            row[x // 2] |= index[(r, g, b)] << (0 if x % 2 else 4)
        rows.append(bytes(row))
    image = b"".join(rows)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    header = struct.pack(
        "<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 4, 0, len(image), 2835, 2835, len(palette), 0
    )
    offset = 14 + len(header) + len(colours)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    return file_header + header + colours + image
