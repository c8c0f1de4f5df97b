"""The background landscape: a calm summer day over farm hills.

render() paints the whole 20 x 11 tile map as one picture, 64 texels per tile,
and tells which cells are ground. The picture repeats horizontally (column 19
runs on into column 0), and it is built so that many cells come out exactly
alike: the sky is a gradient that depends only on height, the hills repeat
every ten columns, the hedge and fence rows repeat every column, and the
ground rows pick from a few variants whose side edges are all the same. The
tile tool slices it, keeps one image per distinct cell, and writes the map.
"""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

TILE = 64
COLUMNS = 20
ROWS = 11
WIDTH = COLUMNS * TILE
HEIGHT = ROWS * TILE
SOLID_ROWS = (9, 10)          # turf and soil: the ground of the map
SUPER = 4                     # shapes are drawn four times larger, then averaged
PERIOD = 10 * TILE            # the hills repeat every ten columns

# Colours, chosen calm and unsaturated so that the pig, the apples and the
# hostiles stay the brightest and darkest things on the screen.
SKY_TOP = (118, 168, 214)
SKY_HORIZON = (208, 227, 236)
SUN_CORE = (255, 249, 228)
SUN_GLOW = (255, 241, 204)
CLOUD_LIGHT = (250, 251, 253)
CLOUD_SHADE = (209, 219, 234)
FAR_HILL_TOP = (160, 190, 200)
FAR_HILL_LOW = (144, 178, 176)
FAR_HILL_RIM = (192, 214, 220)
MID_HILL_TOP = (150, 184, 164)
MID_HILL_LOW = (138, 174, 142)
NEAR_HILL_TOP = (146, 178, 118)
NEAR_HILL_LOW = (126, 162, 98)
NEAR_HILL_RIM = (176, 202, 136)
TREE = (94, 134, 86)
TREE_LIGHT = (116, 154, 98)
TRUNK = (104, 86, 68)
HEDGE = (86, 124, 72)
HEDGE_LIGHT = (104, 142, 82)
MEADOW_TOP = (206, 198, 124)
MEADOW_LOW = (190, 182, 106)
MEADOW_STROKE = (174, 166, 90)
MEADOW_SHINE = (222, 214, 150)
WOOD = (166, 128, 88)
WOOD_LIGHT = (196, 162, 116)
WOOD_DARK = (122, 90, 60)
TURF = (96, 146, 66)
TURF_DARK = (78, 124, 54)
TURF_LIGHT = (122, 170, 82)
SOIL = (116, 84, 56)
SOIL_DARK = (92, 66, 44)
PEBBLE = (150, 138, 122)
PEBBLE_DARK = (116, 106, 94)

# Heights in texels of the whole picture (row r spans r * 64 to r * 64 + 63).
HORIZON = 336
FIELD_TOP = 448
HEDGE_Y = 490
MEADOW_Y = 500
TURF_Y = 586
SOIL_Y = 626


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def sky(y):
    t = y / HORIZON
    return mix(SKY_TOP, SKY_HORIZON, t * t * (3 - 2 * t))


def far_hill(y):
    return mix(FAR_HILL_TOP, FAR_HILL_LOW, (y - 326) / 120)


def mid_hill(y):
    return mix(MID_HILL_TOP, MID_HILL_LOW, (y - 366) / 80)


def near_hill(y):
    return mix(NEAR_HILL_TOP, NEAR_HILL_LOW, (y - 396) / (HEDGE_Y - 396))


def meadow(y):
    return mix(MEADOW_TOP, MEADOW_LOW, (y - MEADOW_Y) / (TURF_Y - MEADOW_Y))


def soil(y):
    return mix(SOIL, SOIL_DARK, (y - SOIL_Y) / (HEIGHT - SOIL_Y))


def wave(x, base, terms):
    """A ridge line that repeats every PERIOD texels."""
    return base - sum(a * math.sin(2 * math.pi * k * x / PERIOD + phase) for k, a, phase in terms)


FAR_RIDGE = (350, [(1, 12, 0.3), (2, 7, 1.7), (3, 4, 4.0)])
MID_RIDGE = (382, [(1, 8, 4.1), (3, 5, 2.5), (4, 3, 0.2)])
NEAR_RIDGE = (414, [(1, 9, 2.2), (2, 6, 0.6), (5, 3, 1.0)])


def far_ridge(x):
    return wave(x, *FAR_RIDGE)


def mid_ridge(x):
    return wave(x, *MID_RIDGE)


def near_ridge(x):
    return wave(x, *NEAR_RIDGE)


# --- drawing helpers -------------------------------------------------------

class Mask:
    """A coverage mask drawn large and averaged down, for smooth edges.
    Coordinates are texels relative to the mask's own top-left corner."""

    def __init__(self, width, height):
        self.size = (width, height)
        self.image = Image.new("L", (width * SUPER, height * SUPER), 0)
        self.draw = ImageDraw.Draw(self.image)

    def ellipse(self, cx, cy, rx, ry, value=255):
        s = SUPER
        self.draw.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s], fill=value)

    def rect(self, x0, y0, x1, y1, value=255):
        s = SUPER
        self.draw.rectangle([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], fill=value)

    def polygon(self, points, value=255):
        self.draw.polygon([(x * SUPER, y * SUPER) for x, y in points], fill=value)

    def line(self, points, width, value=255):
        self.draw.line([(x * SUPER, y * SUPER) for x, y in points], fill=value, width=round(width * SUPER))

    def small(self):
        return self.image.resize(self.size, Image.BOX)


def gradient(width, top, height, colour_at):
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    for i in range(height):
        draw.line([(0, i), (width - 1, i)], fill=colour_at(top + i))
    return image


def paint(picture, mask, colour, left=0, top=0):
    """Covers the picture with a colour (or a same-sized image) through a mask."""
    small = mask.small()
    source = Image.new("RGB", small.size, colour) if isinstance(colour, tuple) else colour
    picture.paste(source, (left, top), small)


def ridge_polygon(ridge, width, bottom):
    points = [(x / SUPER, ridge(x / SUPER)) for x in range(-SUPER, (width + 1) * SUPER)]
    return points + [(width + 1, bottom), (-1, bottom)]


# --- the sky ---------------------------------------------------------------

# Clouds: (column, row, columns wide, rows high, puffs as (x, y, rx, ry) in
# texels of their block, flat bottom height).
CLOUDS = [
    (3, 2, 3, 2, [(40, 70, 26, 20), (74, 52, 32, 30), (112, 60, 28, 24), (146, 76, 24, 16),
                  (96, 84, 52, 14)], 96),
    (10, 1, 2, 1, [(30, 36, 18, 12), (56, 28, 22, 18), (86, 36, 20, 12), (60, 42, 40, 8)], 48),
    (15, 4, 1, 1, [(24, 38, 13, 10), (38, 32, 15, 14), (40, 42, 20, 7)], 48),
]
SUN = (17, 1)  # clouds and sun keep clear of row 0, where the score is written


def draw_cloud(picture, column, row, wide, high, puffs, bottom):
    width, height = wide * TILE, high * TILE
    shape = Mask(width, height)
    for x, y, rx, ry in puffs:
        shape.ellipse(x, y, rx, ry)
    shape.rect(0, bottom, width, height, 0)
    # Sunlit where the cloud goes on a little further below: the undersides stay shaded.
    lit = Image.new("L", shape.image.size, 0)
    lit.paste(shape.image.crop((0, 5 * SUPER, shape.image.width, shape.image.height)), (0, 0))
    lit = ImageChops.multiply(lit.filter(ImageFilter.GaussianBlur(2 * SUPER)), shape.image)
    left, top = column * TILE, row * TILE
    body = gradient(width, 0, height, lambda y: mix(CLOUD_LIGHT, CLOUD_SHADE, (y - 10) / max(1, bottom - 10)))
    paint(picture, shape, body, left, top)
    light = Mask(width, height)
    light.image = lit
    paint(picture, light, CLOUD_LIGHT, left, top)


def draw_sun(picture, column, row):
    left, top = column * TILE, row * TILE
    glow = Image.new("L", (TILE, TILE), 0)
    for y in range(TILE):
        for x in range(TILE):
            r = math.hypot(x + 0.5 - 32, y + 0.5 - 32)
            fade = max(0.0, 1.0 - (r - 13) / 18) if r > 13 else 1.0
            glow.putpixel((x, y), round(150 * fade * fade))
    picture.paste(Image.new("RGB", (TILE, TILE), SUN_GLOW), (left, top), glow)
    core = Mask(TILE, TILE)
    core.ellipse(32, 32, 13, 13)
    paint(picture, core, SUN_CORE, left, top)


# --- the hills (rows 5 and 6, repeating every ten columns) ---------------------

# Trees on the near hills: (x, size, how far below the ridge line they stand).
TREES = [(60, 5, 0), (72, 6, 0), (120, 4, 14), (226, 5, 0), (238, 7, 0), (250, 5, 0), (300, 5, 18),
         (310, 4, 20), (404, 6, 0), (470, 5, 10), (540, 5, 0), (552, 6, 0), (604, 4, 16)]


def draw_tree(mask_trunk, mask_crown, mask_shine, x, base, size):
    mask_trunk.rect(x - 1, base - size, x + 1, base + 2)
    mask_crown.ellipse(x, base - size - 3, size * 0.95, size * 1.15)
    mask_shine.ellipse(x - size * 0.3, base - size - 5, size * 0.45, size * 0.5)


def hill(strip, top, ridge, colour_at, rim=None):
    """One range of hills under a ridge line, with an optional lighter rim along it."""
    height = strip.height
    outline = [(x, y - top) for x, y in ridge_polygon(ridge, PERIOD, HEIGHT)]
    body = Mask(PERIOD, height)
    body.polygon(outline)
    paint(strip, body, gradient(PERIOD, top, height, colour_at))
    if rim:
        colour, below, width, strength = rim
        line = Mask(PERIOD, height)
        line.line([(x, y + below) for x, y in outline[:-2]], width, strength)
        paint(strip, line, colour)


def hills_strip():
    top, height = 5 * TILE, 2 * TILE
    strip = gradient(PERIOD, top, height, sky)
    hill(strip, top, far_ridge, far_hill, (FAR_HILL_RIM, 1.2, 1.6, 90))
    hill(strip, top, mid_ridge, mid_hill)
    hill(strip, top, near_ridge, near_hill, (NEAR_HILL_RIM, 2.5, 3, 70))

    trunks, crowns, shine = Mask(PERIOD, height), Mask(PERIOD, height), Mask(PERIOD, height)
    for x, size, lower in TREES:
        for shift in (-PERIOD, 0, PERIOD):
            draw_tree(trunks, crowns, shine, x + shift, near_ridge(x) - top + 2 + lower, size)
    paint(strip, trunks, TRUNK)
    paint(strip, crowns, TREE)
    paint(strip, shine, TREE_LIGHT)
    return strip


def tile_feature(picture, column, row, draw):
    """Overlays a small picture inside one cell; it never reaches the cell's edges."""
    left, top = column * TILE, row * TILE
    cell = picture.crop((left, top, left + TILE, top + TILE))
    draw(cell, left, top)
    picture.paste(cell, (left, top))


def farmhouse(cell, left, top):
    ground = max(near_ridge(left + x) for x in range(16, 46)) - top
    walls = Mask(TILE, TILE)
    walls.rect(20, ground - 13, 42, ground + 3)
    paint(cell, walls, (228, 222, 206))
    roof = Mask(TILE, TILE)
    roof.polygon([(17, ground - 12), (31, ground - 22), (45, ground - 12)])
    paint(cell, roof, (160, 106, 88))
    windows = Mask(TILE, TILE)
    windows.rect(24, ground - 8, 28, ground - 4)
    windows.rect(35, ground - 8, 39, ground - 4)
    paint(cell, windows, (120, 132, 150))
    door = Mask(TILE, TILE)
    door.rect(30, ground - 8, 33, ground + 3)
    paint(cell, door, (128, 96, 70))


def oak(cell, left, top):
    base = near_ridge(left + 32) - top + 2
    trunks, crowns, shine = Mask(TILE, TILE), Mask(TILE, TILE), Mask(TILE, TILE)
    draw_tree(trunks, crowns, shine, 30, base, 9)
    draw_tree(trunks, crowns, shine, 40, base + 1, 6)
    paint(cell, trunks, TRUNK)
    paint(cell, crowns, TREE)
    paint(cell, shine, TREE_LIGHT)


def windmill(cell, left, top):
    base = max(near_ridge(left + x) for x in range(27, 38)) - top + 2
    tower = Mask(TILE, TILE)
    tower.polygon([(28, base), (30, base - 17), (34, base - 17), (36, base)])
    paint(cell, tower, (214, 220, 226))
    cap = Mask(TILE, TILE)
    cap.polygon([(29, base - 16), (32, base - 21), (35, base - 16)])
    paint(cell, cap, (150, 140, 140))
    sails = Mask(TILE, TILE)
    hub = (32, base - 17)
    for angle in (25, 115, 205, 295):
        a = math.radians(angle)
        sails.line([hub, (hub[0] + 12 * math.cos(a), hub[1] + 12 * math.sin(a))], 1.6)
    paint(cell, sails, (128, 136, 150))


# --- the repeating rows: hedge (row 7) and fence (row 8) ----------------------

def wrapped(draw_at):
    for shift in (-TILE, 0, TILE):
        draw_at(shift)


def hedge_tile():
    top = 7 * TILE
    cell = gradient(TILE, top, TILE, near_hill)
    field = Mask(TILE, TILE)
    field.rect(0, MEADOW_Y - top, TILE, TILE)
    paint(cell, field, gradient(TILE, top, TILE, meadow))
    bush, shine = Mask(TILE, TILE), Mask(TILE, TILE)
    bush.rect(0, HEDGE_Y - top, TILE, MEADOW_Y - top + 2)
    for x in range(0, TILE, 16):
        wrapped(lambda s: bush.ellipse(x + 8 + s, HEDGE_Y - top, 9, 6))
        wrapped(lambda s: shine.ellipse(x + 6 + s, HEDGE_Y - top - 2, 4, 2.5))
    paint(cell, bush, HEDGE)
    paint(cell, shine, HEDGE_LIGHT)
    return cell


def meadow_strokes(cell, top, rng, count, low, high):
    strokes, shine = Mask(TILE, TILE), Mask(TILE, TILE)
    for _ in range(count):
        x, y = rng.uniform(0, TILE), rng.uniform(low, high) - top
        lean, length = rng.uniform(-1.5, 1.5), rng.uniform(2.5, 5)
        target = shine if rng.random() < 0.35 else strokes
        wrapped(lambda s: target.line([(x + s, y), (x + s + lean, y - length)], 0.8, 200))
    paint(cell, strokes, MEADOW_STROKE)
    paint(cell, shine, MEADOW_SHINE)


def fence_tile():
    top = 8 * TILE
    cell = gradient(TILE, top, TILE, meadow)
    meadow_strokes(cell, top, random.Random(8), 36, top + 2, top + TILE)
    wood, light, dark = Mask(TILE, TILE), Mask(TILE, TILE), Mask(TILE, TILE)
    for rail in (14, 34):
        wood.rect(0, rail, TILE, rail + 5)
        light.rect(0, rail, TILE, rail + 1)
        dark.rect(0, rail + 4, TILE, rail + 5)
    wood.polygon([(28, 10), (32, 5), (36, 10), (36, 58), (28, 58)])
    light.rect(28, 9, 30, 58)
    dark.rect(34.5, 10, 36, 58)
    paint(cell, wood, WOOD)
    paint(cell, light, WOOD_LIGHT)
    paint(cell, dark, WOOD_DARK)
    return cell


def flowering_bush(cell):
    bush, shine, flowers = Mask(TILE, TILE), Mask(TILE, TILE), Mask(TILE, TILE)
    for x, y, r in ((21, 50, 10), (34, 45, 13), (46, 51, 9), (32, 54, 14)):
        bush.ellipse(x, y, r, r * 0.6 if y > 52 else r * 0.85)
        shine.ellipse(x - r * 0.3, y - r * 0.35, r * 0.45, r * 0.35)
    for x, y in ((18, 47), (27, 41), (33, 50), (41, 38), (45, 48), (24, 54), (50, 52)):
        flowers.ellipse(x, y, 1.6, 1.6)
    paint(cell, bush, HEDGE)
    paint(cell, shine, HEDGE_LIGHT)
    paint(cell, flowers, (246, 244, 232))
    return cell


HAY = (212, 178, 98)
HAY_LIGHT = (234, 206, 134)
HAY_DARK = (170, 132, 62)


def hay_bale(cell):
    """A round bale of hay lying in the meadow in front of the fence, its rolled
    face towards us; its shadow falls on the grass."""
    shadow, bale, rings, shine = (Mask(TILE, TILE) for _ in range(4))
    shadow.ellipse(33, 56, 20, 4, 110)
    bale.ellipse(32, 38, 18, 17)
    for radius in (13, 8.5, 4):
        rings.ellipse(33, 39, radius + 0.9, radius * 0.95 + 0.9)
        rings.ellipse(33, 39, radius - 0.2, radius * 0.95 - 0.2, 0)
    shine.ellipse(25, 30, 7, 5, 150)
    paint(cell, shadow, MEADOW_STROKE)
    paint(cell, bale, gradient(TILE, 0, TILE, lambda y: mix(HAY_LIGHT, HAY, (y - 22) / 24)))
    paint(cell, rings, HAY_DARK)
    paint(cell, shine, HAY_LIGHT)
    return cell


def spare_tiles():
    """Pictures for the tile numbers the landscape itself leaves unused, so that
    every number a map can hold has one and a level may place it: by number."""
    return {62: hay_bale(fence_tile())}


# --- the ground (rows 9 and 10) --------------------------------------------

def turf_base():
    top = 9 * TILE
    cell = gradient(TILE, top, TILE, meadow)
    rng = random.Random(9)
    grass = Mask(TILE, TILE)
    grass.rect(0, TURF_Y - top, TILE, TILE)
    for i in range(24):
        x = i * TILE / 24 + rng.uniform(-1, 1)
        height = rng.uniform(5, 11)
        lean = rng.uniform(-2.5, 2.5)
        wrapped(lambda s: grass.polygon([(x - 1.6 + s, TURF_Y - top + 1), (x + lean + s, TURF_Y - top - height),
                                         (x + 1.6 + s, TURF_Y - top + 1)]))
    paint(cell, grass, gradient(TILE, top, TILE, lambda y: mix(TURF_LIGHT, TURF_DARK, (y - 574) / 50)))
    ground = Mask(TILE, TILE)
    ground.polygon([(x, SOIL_Y - top + 2.5 * math.sin(2 * math.pi * x / 32)) for x in range(-2, TILE + 3)]
                   + [(TILE + 2, TILE), (-2, TILE)])
    paint(cell, ground, gradient(TILE, top, TILE, soil))
    blades = Mask(TILE, TILE)
    for _ in range(30):
        x, y = rng.uniform(0, TILE), rng.uniform(TURF_Y - top + 4, SOIL_Y - top - 4)
        lean = rng.uniform(-1.5, 1.5)
        wrapped(lambda s: blades.line([(x + s, y), (x + lean + s, y - 4)], 0.8, 150))
    paint(cell, blades, TURF_DARK)
    return cell


def daisies(mask_petal, mask_heart, spots):
    for x, y in spots:
        for a in range(0, 360, 60):
            mask_petal.ellipse(x + 2 * math.cos(math.radians(a)), y + 2 * math.sin(math.radians(a)), 1.4, 1.4)
        mask_heart.ellipse(x, y, 1.1, 1.1)


def decorate_turf(cell, variant):
    petals, hearts, stones, dark, stems = (Mask(TILE, TILE) for _ in range(5))
    top = 9 * TILE
    grass_line = TURF_Y - top
    if variant in ("daisies", "meadow"):
        daisies(petals, hearts, [(16, grass_line + 8), (30, grass_line + 14), (44, grass_line + 6)][:3 if variant == "daisies" else 2])
    if variant in ("buttercups", "meadow"):
        for x, y in ((22, grass_line + 20), (38, grass_line + 24), (48, grass_line + 16)):
            hearts.ellipse(x, y, 2.2, 2.2)
    if variant == "stone":
        stones.ellipse(32, SOIL_Y - top - 2, 9, 6)
        dark.ellipse(34, SOIL_Y - top, 7, 3.5)
    if variant == "pebbles":
        for x, y, r in ((18, 44, 3), (26, 46, 2.2), (44, 45, 3.4)):
            stones.ellipse(x, y, r, r * 0.7)
    if variant == "tuft":
        for lean in (-6, -3, 0, 3, 6):
            stems.line([(32, grass_line + 10), (32 + lean, grass_line - 6 + abs(lean))], 1.4)
    if variant == "clover":
        for x, y in ((20, grass_line + 18), (36, grass_line + 12), (46, grass_line + 22)):
            for dx, dy in ((-1.8, 0), (1.8, 0), (0, -1.8)):
                stems.ellipse(x + dx, y + dy, 1.8, 1.8)
    if variant == "mushroom":
        stones.rect(30, grass_line + 14, 34, grass_line + 22)
        dark.ellipse(32, grass_line + 14, 6, 4)
    if variant == "dandelions":
        for x, y in ((24, grass_line + 10), (42, grass_line + 18)):
            stems.line([(x, y + 8), (x, y)], 0.8)
            petals.ellipse(x, y, 3, 3)
    paint(cell, stems, TURF_LIGHT)
    paint(cell, stones, PEBBLE)
    paint(cell, dark, PEBBLE_DARK if variant != "mushroom" else (176, 140, 100))
    paint(cell, petals, (250, 248, 238))
    paint(cell, hearts, (240, 206, 80))


TURF_VARIANTS = ["plain", "daisies", "buttercups", "stone", "tuft", "meadow", "pebbles", "clover",
                 "mushroom", "dandelions"]
SOIL_VARIANTS = 10


def soil_tile(variant):
    top = 10 * TILE
    cell = gradient(TILE, top, TILE, soil)
    rng = random.Random(100 + variant)
    stones, dark = Mask(TILE, TILE), Mask(TILE, TILE)
    for _ in range(variant % 4 + 1):
        x, y, r = rng.uniform(12, 52), rng.uniform(12, 52), rng.uniform(1.5, 4.5)
        stones.ellipse(x, y, r, r * 0.7)
        dark.ellipse(x + r * 0.3, y + r * 0.3, r * 0.6, r * 0.35)
    if variant % 3 == 2:
        x = rng.uniform(16, 48)
        dark.line([(x, 8), (x + 4, 20), (x + 1, 32)], 1.2)
    paint(cell, stones, PEBBLE_DARK)
    paint(cell, dark, SOIL_DARK)
    return cell


# Which variant each column shows; every variant is used at least once.
TURF_ORDER = [0, 1, 0, 2, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 0, 8, 0, 9, 0, 1]
SOIL_ORDER = [0, 3, 6, 9, 1, 4, 7, 2, 5, 8, 0, 5, 2, 7, 4, 9, 1, 6, 3, 8]
BUSH_COLUMNS = (6, 15)
FEATURES = [(13, 6, farmhouse), (4, 6, oak), (12, 6, windmill)]


def render():
    picture = gradient(WIDTH, 0, HEIGHT, sky)
    for column, row, wide, high, puffs, bottom in CLOUDS:
        draw_cloud(picture, column, row, wide, high, puffs, bottom)
    draw_sun(picture, *SUN)

    strip = hills_strip()
    for left in range(0, WIDTH, PERIOD):
        picture.paste(strip, (left, 5 * TILE))
    for column, row, draw in FEATURES:
        tile_feature(picture, column, row, draw)

    hedge, fence = hedge_tile(), fence_tile()
    bush = flowering_bush(fence.copy())
    turf = []
    for variant in TURF_VARIANTS:
        cell = turf_base()
        decorate_turf(cell, variant)
        turf.append(cell)
    soils = [soil_tile(v) for v in range(SOIL_VARIANTS)]
    for column in range(COLUMNS):
        left = column * TILE
        picture.paste(hedge, (left, 7 * TILE))
        picture.paste(bush if column in BUSH_COLUMNS else fence, (left, 8 * TILE))
        picture.paste(turf[TURF_ORDER[column]], (left, 9 * TILE))
        picture.paste(soils[SOIL_ORDER[column]], (left, 10 * TILE))
    return picture
