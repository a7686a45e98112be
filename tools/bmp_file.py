"""The BMP file the picture generators beside it write: a file header, a BITMAPINFOHEADER
and rows already laid out bottom-up, each padded to four bytes."""
import struct


def write_bmp(path, width, height, bits, pixels, pixels_per_metre):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), pixels_per_metre,
                       pixels_per_metre, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as out:
        out.write(header + info + pixels)
