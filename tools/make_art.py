#!/usr/bin/env python3
"""Helpers for make_art.sh (standard library only).

  galaxy OUT.ppm         draw the starry ring galaxy behind the advert text
  bmp    IN.ppm OUT.bmp  write a 24-bit bottom-up BMP at 23621 pixels/metre
  ico    IN.pam OUT.ico  wrap a 32x32 RGBA picture as a 256-colour icon

Writing the BMP and ICO bytes here, rather than letting ImageMagick do it,
keeps every header field exactly as Windows expects and the output stable.
"""
import math
import random
import struct
import sys

W, H = 800, 600


def read_pnm(path):
    """Read a binary P6 (RGB) or P7 (RGB_ALPHA) file -> (w, h, depth, bytes)."""
    data = open(path, "rb").read()
    if data.startswith(b"P6"):
        parts = data.split(maxsplit=4)
        w, h = int(parts[1]), int(parts[2])
        return w, h, 3, parts[4][: w * h * 3]
    head, _, body = data.partition(b"ENDHDR\n")
    fields = dict(line.split(None, 1) for line in head.decode().splitlines()[1:])
    w, h, d = int(fields["WIDTH"]), int(fields["HEIGHT"]), int(fields["DEPTH"])
    return w, h, d, body[: w * h * d]


def galaxy(out):
    rnd = random.Random(1995)  # fixed seed: identical picture on every run

    # Coarse random grid, bilinearly sampled, gives soft clumpy texture.
    G = 64
    grid = [[rnd.random() for _ in range(G)] for _ in range(G)]
    for row in grid:                   # wrap around so the texture has no seams
        row.append(row[0])
    grid.append(grid[0])

    def noise(x, y):
        x, y = x % G, y % G
        i, j = int(x), int(y)
        fx, fy = x - i, y - j
        a = grid[j][i] + (grid[j][i + 1] - grid[j][i]) * fx
        b = grid[j + 1][i] + (grid[j + 1][i + 1] - grid[j + 1][i]) * fx
        return a + (b - a) * fy

    # Bright star-forming knots scattered along the ring.
    knots = []
    for _ in range(55):
        ang = rnd.uniform(0, 2 * math.pi)
        rad = rnd.gauss(185, 12)
        knots.append((rad * math.cos(ang), rad * math.sin(ang), rnd.uniform(0.4, 1.2)))

    cx, cy = 400.0, 262.0
    tilt = math.radians(-22)
    ct, st = math.cos(tilt), math.sin(tilt)
    squash = 0.58                      # galaxy seen at an angle
    pitch = 1.0 / math.tan(math.radians(18))
    buf = bytearray(W * H * 3)

    for y in range(H):
        for x in range(W):
            dx, dy = x - cx, y - cy
            u = dx * ct + dy * st
            v = (-dx * st + dy * ct) / squash
            r = math.hypot(u, v) + 1e-6
            phi = math.atan2(v, u)

            core = 2.2 * math.exp(-(r / 26.0) ** 2) + 0.5 * math.exp(-r / 70.0)
            arm = 0.5 + 0.5 * math.cos(2 * (phi - pitch * math.log(r / 20.0)))
            arms = arm ** 3 * math.exp(-r / 150.0) * min(1.0, r / 40.0)
            ring = math.exp(-((r - 185.0) / 24.0) ** 2) * (0.7 + 0.5 * arm)
            tex = noise(u / 14.0 + 7, v / 14.0 + 3)
            dust = 1.0 - 0.55 * (1 - arm) * math.exp(-((r - 110) / 80.0) ** 2)
            halo = 0.12 * math.exp(-r / 260.0)

            blue = (arms * 0.9 + ring * 1.1) * (0.55 + 0.9 * tex) * dust
            pink = 0.0
            if 120 < r < 250:
                for kx, ky, kb in knots:
                    d2 = (u - kx) ** 2 + (v - ky) ** 2
                    if d2 < 100:
                        pink += kb * math.exp(-d2 / 18.0)

            # faint background nebulosity keeps the space from being flat black
            neb = 0.05 * noise(x / 40.0, y / 40.0) ** 2

            R = core * 1.00 + blue * 0.45 + pink * 1.0 + halo * 0.6 + neb * 0.6
            Gc = core * 0.90 + blue * 0.60 + pink * 0.35 + halo * 0.5 + neb * 0.3
            B = core * 0.70 + blue * 1.10 + pink * 0.75 + halo * 0.8 + neb * 1.0
            i = (y * W + x) * 3
            buf[i] = int(255 * (1 - math.exp(-1.6 * R)))
            buf[i + 1] = int(255 * (1 - math.exp(-1.6 * Gc)))
            buf[i + 2] = int(255 * (1 - math.exp(-1.6 * B)))

    # Stars: many faint dots, a few bright ones with small cross-shaped glints.
    def add(x, y, c, k):
        if 0 <= x < W and 0 <= y < H:
            i = (y * W + x) * 3
            for n in range(3):
                buf[i + n] = min(255, buf[i + n] + int(c[n] * k))

    for _ in range(900):
        x, y = rnd.randrange(W), rnd.randrange(H)
        k = rnd.random() ** 3
        tint = rnd.choice([(255, 255, 255), (200, 215, 255), (255, 235, 200)])
        add(x, y, tint, 0.3 + 0.7 * k)
        if k > 0.5:
            for ddx, ddy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                add(x + ddx, y + ddy, tint, 0.4 * k)
        if k > 0.85:
            for s in (2, 3):
                for ddx, ddy in ((s, 0), (-s, 0), (0, s), (0, -s)):
                    add(x + ddx, y + ddy, tint, 0.25 * k / s)

    with open(out, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (W, H))
        f.write(buf)


def bmp(src, out):
    w, h, d, px = read_pnm(src)
    row = w * 3
    pad = (-row) % 4
    image = bytearray()
    for y in range(h - 1, -1, -1):          # BMP rows run bottom-up
        line = px[y * w * d:(y + 1) * w * d]
        for x in range(w):
            r, g, b = line[x * d:x * d + 3]
            image += bytes((b, g, r))       # stored as blue, green, red
        image += b"\0" * pad
    ppm = 23621                             # 600 dots per inch
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(image), ppm, ppm, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 14 + 40)
    open(out, "wb").write(head + info + image)


def ico(src, out):
    w, h, d, px = read_pnm(src)
    assert (w, h) == (32, 32) and d == 4, "icon source must be 32x32 RGBA"
    opaque = [px[i + 3] >= 128 for i in range(0, len(px), 4)]
    rgb = [tuple(px[i:i + 3]) for i in range(0, len(px), 4)]
    colours = sorted({c for c, o in zip(rgb, opaque) if o})
    palette = [(0, 0, 0)] + [c for c in colours if c != (0, 0, 0)]
    assert len(palette) <= 256, "too many colours: %d" % len(palette)
    palette += [(0, 0, 0)] * (256 - len(palette))
    index = {c: n for n, c in reversed(list(enumerate(palette)))}

    xor = bytearray()
    mask = bytearray()
    for y in range(h - 1, -1, -1):          # bottom-up like a BMP
        bits = 0
        for x in range(w):
            n = y * w + x
            xor.append(index[rgb[n]] if opaque[n] else 0)
            bits = (bits << 1) | (0 if opaque[n] else 1)   # 1 = transparent
        mask += struct.pack(">I", bits)      # 32 bits = 4 bytes, already aligned
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    # Height is doubled in the icon's BITMAPINFOHEADER: colour rows + mask rows.
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 8, 0,
                       len(xor) + len(mask), 0, 0, 256, 0)
    body = info + pal + bytes(xor) + bytes(mask)
    header = struct.pack("<HHH", 0, 1, 1)   # reserved, type 1 = icon, 1 image
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, 1, 8, len(body), 6 + 16)
    open(out, "wb").write(header + entry + body)


if __name__ == "__main__":
    cmd, args = sys.argv[1], sys.argv[2:]
    {"galaxy": galaxy, "bmp": bmp, "ico": ico}[cmd](*args)
