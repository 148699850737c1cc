#!/usr/bin/env python3
"""Writes the tiny seed images for the image probe fuzz target beside this script."""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))


def write(name, data):
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)


def gif(width, height, colour_bits=None, before=b""):
    packed = 0 if colour_bits is None else 0x80 | colour_bits
    data = b"GIF89a" + struct.pack("<HHBBB", 640, 480, packed, 0, 0)
    if colour_bits is not None:
        data += b"\x11" * (3 << (colour_bits + 1))
    data += before + b"," + struct.pack("<HHHHB", 1, 2, width, height, 0)
    return data + b"\x02\x02\x4c\x01\x00\x3b"


def segment(marker, body):
    return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body


def jpeg(sof, width, height):
    app0 = segment(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    comment = segment(0xFE, b"seed")
    frame = segment(sof, struct.pack(">BHH", 8, height, width) + b"\x01\x01\x11\x00")
    scan = segment(0xDA, b"\x01\x01\x00\x00\x3f\x00") + b"\x12\x34\xff\xd9"
    return b"\xff\xd8" + app0 + b"\xff\xff\xff" + comment + frame + scan


def png(width, height):
    return (b"\x89PNG\r\n\x1a\n" + struct.pack(">I", 13) + b"IHDR" + struct.pack(">II", width, height)
            + b"\x08\x02\x00\x00\x00" + struct.pack(">I", 0x12345678)
            + struct.pack(">I", 0) + b"IEND" + struct.pack(">I", 0xAE426082))


graphic_control = b"\x21\xf9\x04\x01\x0a\x00\x00\x00"
animation = b"\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"

write("plain.gif", gif(120, 80))
write("table.gif", gif(120, 80, 2, graphic_control))
write("animated.gif", gif(16, 16, 1, animation + graphic_control))
write("baseline.jpg", jpeg(0xC0, 640, 480))
write("progressive.jpg", jpeg(0xC2, 20, 10))
write("scan_first.jpg", b"\xff\xd8" + segment(0xDA, b"\x00") + segment(0xC0, b"\x08\x00\x01\x00\x01"))
write("small.png", png(300, 200))
write("large.png", png(2000, 100))
