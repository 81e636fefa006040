#!/usr/bin/env python3
"""Draws Quillon's own small pictures (menu icons, buttons, smileys) as BMP and GIF files of the
program folder. Run it again after changing a drawing; the files it writes are committed."""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "Images")


def bmp(path, pixels):
    """pixels: rows top to bottom of (r, g, b)."""
    height, width = len(pixels), len(pixels[0])
    row_size = (width * 3 + 3) & ~3
    data = b""
    for row in reversed(pixels):
        line = b"".join(struct.pack("BBB", b, g, r) for (r, g, b) in row)
        data += line + b"\0" * (row_size - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(header + info + data)


def gif(path, pixels):
    """A GIF with a palette of the picture's colours (at most 256), white as transparent."""
    colours = sorted(set(c for row in pixels for c in row))
    assert len(colours) <= 256
    bits = max(2, (len(colours) - 1).bit_length())
    table = colours + [(0, 0, 0)] * ((1 << bits) - len(colours))
    index = {c: i for i, c in enumerate(colours)}
    height, width = len(pixels), len(pixels[0])
    out = b"GIF89a" + struct.pack("<HHBBB", width, height, 0x80 | (bits - 1), 0, 0)
    out += b"".join(struct.pack("BBB", *c) for c in table)
    # Uncompressed LZW: a clear code before each code keeps every code at bits + 1 bits.
    clear, end = 1 << bits, (1 << bits) + 1
    size = bits + 1
    stream, acc, nbits = bytearray(), 0, 0
    codes = []
    for row in pixels:
        for c in row:
            codes += [clear, index[c]]
    codes.append(end)
    for code in codes:
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            stream.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8
    if nbits:
        stream.append(acc & 0xFF)
    out += b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0) + bytes([bits])
    for i in range(0, len(stream), 255):
        chunk = stream[i:i + 255]
        out += bytes([len(chunk)]) + bytes(chunk)
    out += b"\x00\x3b"
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(out)


def canvas(w, h, colour=(255, 255, 255)):
    return [[colour] * w for _ in range(h)]


def disc(p, cx, cy, r, colour):
    for y in range(len(p)):
        for x in range(len(p[0])):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                p[y][x] = colour


def line(p, x0, y0, x1, y1, colour, width=1):
    steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
    for i in range(steps + 1):
        t = i / steps
        x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
        for dy in range(-(width // 2), width - width // 2):
            for dx in range(-(width // 2), width - width // 2):
                xi, yi = int(round(x)) + dx, int(round(y)) + dy
                if 0 <= yi < len(p) and 0 <= xi < len(p[0]):
                    p[yi][xi] = colour


def rect(p, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            p[y][x] = colour


def menu_icons():
    green, red, blue, grey, gold = (40, 160, 60), (200, 40, 40), (40, 90, 200), (110, 110, 110), (220, 170, 20)
    p = canvas(16, 16); line(p, 3, 8, 6, 12, green, 2); line(p, 6, 12, 13, 3, green, 2)
    bmp(f"{ROOT}/Menu/accept.bmp", p)
    p = canvas(16, 16); disc(p, 7.5, 7.5, 6, grey); disc(p, 7.5, 7.5, 2.5, (255, 255, 255))
    for a in range(0, 360, 45):
        disc(p, 7.5 + 6.5 * math.cos(math.radians(a)), 7.5 + 6.5 * math.sin(math.radians(a)), 1.2, grey)
    bmp(f"{ROOT}/Menu/advanced.bmp", p)
    p = canvas(16, 16); rect(p, 1, 2, 14, 10, blue); line(p, 4, 10, 3, 14, blue, 2)
    bmp(f"{ROOT}/Menu/chat.bmp", p)
    p = canvas(16, 16); line(p, 3, 3, 12, 12, red, 2); line(p, 12, 3, 3, 12, red, 2)
    bmp(f"{ROOT}/Menu/cancel.bmp", p)
    p = canvas(16, 16); rect(p, 3, 1, 12, 14, (230, 230, 230)); line(p, 7.5, 4, 7.5, 11, blue, 2)
    line(p, 4.5, 8, 7.5, 11, blue, 2); line(p, 10.5, 8, 7.5, 11, blue, 2)
    bmp(f"{ROOT}/Menu/filetransfer.bmp", p)
    p = canvas(16, 16)
    for x in (3, 8, 13):
        disc(p, x, 8, 1.6, grey)
    bmp(f"{ROOT}/Menu/other.bmp", p)
    p = canvas(16, 16); line(p, 10, 1, 5, 8, gold, 2); line(p, 5, 8, 11, 8, gold, 2); line(p, 11, 8, 6, 15, gold, 2)
    bmp(f"{ROOT}/Menu/shortcuts.bmp", p)


def buttons():
    # The chat button (101 normal, 102 hover, 103 pressed) and the main button (201-203): a
    # quill on a round face, lighter under the mouse, darker when pressed.
    for base, size in ((100, 20), (200, 16)):
        for offset, face in ((1, (90, 140, 220)), (2, (130, 180, 250)), (3, (50, 90, 170))):
            p = canvas(size, size, (236, 233, 216))
            c = (size - 1) / 2
            disc(p, c, c, size / 2 - 1, face)
            line(p, size * 0.3, size * 0.75, size * 0.72, size * 0.22, (255, 255, 255), 2)
            bmp(f"{ROOT}/Buttons/{base + offset}.bmp", p)


def smileys():
    # One picture per mouth: ! followed by the mouth character, as the chat view names them.
    yellow, dark = (250, 210, 40), (60, 40, 0)
    mouths = {"(": "sad", ")": "smile", "x": "sealed", "D": "grin", "O": "surprise", "P": "tongue"}
    for mouth, _ in mouths.items():
        p = canvas(19, 19)
        disc(p, 9, 9, 8.5, yellow)
        disc(p, 6, 7, 1.2, dark)
        disc(p, 12, 7, 1.2, dark)
        if mouth == ")":
            for x in range(5, 14):
                p[12 + int(round(((x - 9) ** 2) / 12 * -1 + 1))][x] = dark
        elif mouth == "(":
            for x in range(5, 14):
                p[13 + int(round(((x - 9) ** 2) / 12))][x] = dark
        elif mouth == "D":
            rect(p, 5, 11, 13, 13, dark); rect(p, 6, 11, 12, 11, (255, 255, 255))
        elif mouth == "O":
            disc(p, 9, 13, 2.2, dark)
        elif mouth == "P":
            line(p, 5, 12, 13, 12, dark); rect(p, 8, 13, 11, 15, (220, 60, 80))
        elif mouth == "x":
            line(p, 5, 12, 13, 12, dark); line(p, 7, 11, 7, 13, dark); line(p, 11, 11, 11, 13, dark)
        name = "!" + mouth + ".gif"
        gif(f"{ROOT}/smileys/{name}", p)


if __name__ == "__main__":
    menu_icons()
    buttons()
    smileys()
