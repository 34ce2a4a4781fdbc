#!/usr/bin/env python3
"""Draws the background map of the map_drawing example: an island with hill shading, contour
lines, a lake and a faint grid, written as a 24-bit BMP. Pure Python, deterministic."""
import math
import struct
import sys

W, H = 624, 400
SEED = 7


def lattice(ix, iy):
    n = (ix * 374761393 + iy * 668265263 + SEED * 982451653) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((n ^ (n >> 16)) & 0xFFFF) / 65535.0


def smooth_noise(x, y):
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = x - ix, y - iy
    sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a, b = lattice(ix, iy), lattice(ix + 1, iy)
    c, d = lattice(ix, iy + 1), lattice(ix + 1, iy + 1)
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy


def fbm(x, y):
    total, amp, freq = 0.0, 0.5, 1.0
    for _ in range(5):
        total += amp * smooth_noise(x * freq, y * freq)
        amp *= 0.5
        freq *= 2.0
    return total


def elevation(x, y):
    # An island: noise lifted in the middle, sunk towards the edges.
    nx, ny = (x - W * 0.5) / (W * 0.5), (y - H * 0.52) / (H * 0.5)
    d = math.sqrt(nx * nx * 0.9 + ny * ny * 1.1)
    e = fbm(x / 90.0, y / 90.0) * 1.25 - d * 0.95 + 0.18
    # A lake in the west.
    lx, ly = (x - W * 0.33) / 38.0, (y - H * 0.42) / 26.0
    e -= 0.35 * math.exp(-(lx * lx + ly * ly))
    return e


RAMP = [  # elevation, colour
    (-0.40, (28, 62, 110)),
    (-0.05, (52, 110, 165)),
    (0.00, (110, 170, 205)),
    (0.02, (226, 214, 164)),
    (0.08, (148, 190, 110)),
    (0.22, (92, 150, 80)),
    (0.36, (130, 140, 82)),
    (0.48, (150, 120, 90)),
    (0.58, (190, 180, 170)),
    (0.70, (250, 250, 250)),
]


def colour(e):
    if e <= RAMP[0][0]:
        return RAMP[0][1]
    for (e0, c0), (e1, c1) in zip(RAMP, RAMP[1:]):
        if e <= e1:
            t = (e - e0) / (e1 - e0)
            return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(3))
    return RAMP[-1][1]


def main(path):
    elev = [[elevation(x, y) for x in range(W + 1)] for y in range(H + 1)]
    rows = []
    for y in range(H):
        row = bytearray()
        for x in range(W):
            e = elev[y][x]
            r, g, b = colour(e)
            if e > 0:
                # Light from the north-west.
                dx = elev[y][x + 1] - e
                dy = elev[y + 1][x] - e
                shade = max(0.55, min(1.35, 1.0 - (dx + dy) * 18.0))
                r, g, b = r * shade, g * shade, b * shade
                # Contour lines every 0.08.
                band = math.floor(e / 0.08)
                if band != math.floor(elev[y][x + 1] / 0.08) or band != math.floor(elev[y + 1][x] / 0.08):
                    r, g, b = r * 0.78, g * 0.78, b * 0.72
            else:
                # Shallow water lighter near the shore.
                w = max(0.0, 1.0 + e * 6.0)
                r, g, b = r + 40 * w, g + 40 * w, b + 25 * w
            if x % 78 == 0 or y % 80 == 0:
                r, g, b = r * 0.88 + 20, g * 0.88 + 20, b * 0.88 + 24
            row += bytes((max(0, min(255, int(b))), max(0, min(255, int(g))), max(0, min(255, int(r)))))
        row += b"\0" * ((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    size = 54 + sum(len(r) for r in rows)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", size, 0, 0, 54))
        f.write(struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, size - 54, 2835, 2835, 0, 0))
        for r in reversed(rows):  # bottom-up
            f.write(r)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "map.bmp")
