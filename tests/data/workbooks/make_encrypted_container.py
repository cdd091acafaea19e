#!/usr/bin/env python3
"""Writes password_protected_xlsx_container.xlsx: the outer form of a password-protected .xlsx,
an OLE compound file (version 3, 512-byte sectors) holding the streams EncryptionInfo and
EncryptedPackage. The stream contents are filler; only the container's layout matters."""
import struct
import sys

SECTOR = 512
FREE, END, FATSECT = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD
STREAM_SECTORS = 8  # 4096 bytes each, the size at which streams leave the mini stream


def header():
    h = bytes.fromhex("D0CF11E0A1B11AE1") + bytes(16)
    h += struct.pack("<HHHHH", 0x3E, 3, 0xFFFE, 9, 6) + bytes(6)
    h += struct.pack("<IIIIIIIII", 0, 1, 1, 0, 4096, END, 0, END, 0)
    h += struct.pack("<I", 0) + struct.pack("<I", FREE) * 108
    return h


def entry(name, kind, left, right, child, start, size):
    encoded = (name + "\0").encode("utf-16-le")
    e = encoded.ljust(64, b"\0") + struct.pack("<HBB", len(encoded), kind, 1)
    e += struct.pack("<III", left, right, child) + bytes(16 + 4 + 16)
    return e + struct.pack("<IQ", start, size)


def main(path):
    fat = [FATSECT, END]
    info_start = len(fat)
    fat += [info_start + i + 1 for i in range(STREAM_SECTORS - 1)] + [END]
    package_start = len(fat)
    fat += [package_start + i + 1 for i in range(STREAM_SECTORS - 1)] + [END]
    fat += [FREE] * (SECTOR // 4 - len(fat))
    size = STREAM_SECTORS * SECTOR
    directory = entry("Root Entry", 5, FREE, FREE, 1, END, 0)
    directory += entry("EncryptionInfo", 2, FREE, 2, FREE, info_start, size)
    directory += entry("EncryptedPackage", 2, FREE, FREE, FREE, package_start, size)
    directory += entry("", 0, FREE, FREE, FREE, 0, 0)
    with open(path, "wb") as out:
        out.write(header() + struct.pack("<128I", *fat) + directory)
        out.write(b"\x04\x00\x04\x00" + bytes(size - 4) + bytes(range(256)) * (size // 256))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "password_protected_xlsx_container.xlsx")
