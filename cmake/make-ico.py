#!/usr/bin/env python3
"""Writes a Windows icon file (.ico) holding the given PNG images, each as it is
(PNG-compressed icon images, which Windows reads since Vista).
   make-ico.py OUTPUT.ico IMAGE.png..."""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("not a PNG image")
    return struct.unpack(">II", data[16:24])


def main(output, images):
    entries = []
    for name in images:
        with open(name, "rb") as f:
            data = f.read()
        width, height = png_size(data)
        if width > 256 or height > 256:
            raise ValueError(f"{name}: an icon image is at most 256 pixels wide and high")
        entries.append((width, height, data))
    entries.sort(key=lambda e: e[0])
    header = struct.pack("<HHH", 0, 1, len(entries))
    offset = len(header) + 16 * len(entries)
    directory = b""
    for width, height, data in entries:
        # 256 is written as 0; 32 bits per pixel, no palette.
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                                 len(data), offset)
        offset += len(data)
    with open(output, "wb") as f:
        f.write(header + directory + b"".join(e[2] for e in entries))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
