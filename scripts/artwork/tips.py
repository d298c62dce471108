"""The tip of the day's picture: a light bulb, 25 x 32 pixels in 16 colours, on white."""

from .canvas import BLACK, GREY, LIGHT_GREY, WHITE, Canvas, bmp4_bytes

YELLOW = (255, 255, 0)
DARK_YELLOW = (128, 128, 0)

WIDTH, HEIGHT = 25, 32
CENTRE_X, CENTRE_Y, RADIUS = 12.5, 10.5, 9.6


def _in_glass(x, y, radius=RADIUS):
    """Whether pixel (x, y) lies in the round part of the bulb or in its neck."""
    px, py = x + 0.5, y + 0.5
    if (px - CENTRE_X) ** 2 + (py - CENTRE_Y) ** 2 <= radius**2:
        return True
    # The neck narrows from the glass down to the screw base.
    if CENTRE_Y < py <= 21.5:
        half = 4.5 + (21.5 - py) * 0.45 - (RADIUS - radius)
        return abs(px - CENTRE_X) <= half
    return False


def draw_bulb():
    c = Canvas(WIDTH, HEIGHT, WHITE)
    # The glass: yellow inside a black outline, closed all round, so that the white of the
    # background stays one area apart from the highlight inside.
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if _in_glass(x, y):
                inner = _in_glass(x, y, RADIUS - 1.1) and _in_glass(x - 1, y) and _in_glass(x + 1, y)
                c.pixel(x, y, YELLOW if inner else BLACK)
    # The highlight on the upper left of the glass.
    for x, y in ((7, 5), (8, 5), (6, 6), (7, 6), (6, 7), (5, 8), (6, 8), (5, 9)):
        c.pixel(x, y, WHITE)
    # The filament: two posts and a zigzag between them.
    c.line(10, 18, 10, 13, DARK_YELLOW)
    c.line(14, 18, 14, 13, DARK_YELLOW)
    for x in range(10, 15):
        c.pixel(x, 12 if x % 2 == 0 else 11, DARK_YELLOW)
    # The screw base: grey threads between black edges, and the contact below.
    c.rect(7, 22, 17, 27, LIGHT_GREY)
    for y in (23, 25, 27):
        c.rect(7, y, 17, y, GREY)
    c.rect(7, 22, 7, 27, BLACK)
    c.rect(17, 22, 17, 27, BLACK)
    c.rect(7, 21, 17, 21, BLACK)
    c.rect(8, 28, 16, 28, BLACK)
    c.rect(10, 29, 14, 30, GREY)
    c.rect(10, 31, 14, 31, BLACK)
    c.rect(9, 29, 9, 30, BLACK)
    c.rect(15, 29, 15, 30, BLACK)
    return c


def pictures():
    return {"bulb.bmp": bmp4_bytes(draw_bulb())}
