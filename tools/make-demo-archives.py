#!/usr/bin/env python3
"""Writes the archives of the demo's "Archiwa" category into a folder:

  PAKIET.ZIP                          a plain zip archive (deflated);
  CZESC001.ZIP CZESC002.ZIP CZESC003.ZIP  a spanned zip set, one entry per
                                      part, the directory on the last part;
  ZESTAW.RAR                          a RAR archive (2.9 layout, stored).

Every archive holds the same small tree, so what one extracts can be
compared with what another does.
"""

import struct
import sys
import zipfile
import zlib
from pathlib import Path

# 2021-03-14 10:30:00 as MS-DOS date and time.
DOS_DATE = ((2021 - 1980) << 9) | (3 << 5) | 14
DOS_TIME = (10 << 11) | (30 << 5)

FILES = [
    ("CZYTAJ.TXT", "Archiwum demonstracyjne płyty Kalvora.\r\nRozpakuj je przyciskiem Rozpakuj.\r\n"),
    ("program/start.txt", "Tu zaczyna się program.\r\n" * 20),
    ("program/dane/slowa.txt", "\r\n".join(f"słowo {i}" for i in range(200)) + "\r\n"),
]


def data_of(text):
    return text.encode("utf-8")


def write_zip(path):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, text in FILES:
            info = zipfile.ZipInfo(name, date_time=(2021, 3, 14, 10, 30, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0
            info.external_attr = 0x20
            archive.writestr(info, data_of(text))


def local_header(name, data):
    crc = zlib.crc32(data)
    flags = 0x0800  # names in UTF-8
    return struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, flags, 0, DOS_TIME, DOS_DATE, crc, len(data), len(data),
                       len(name), 0) + name + data


def central_header(name, data, disk, offset):
    crc = zlib.crc32(data)
    return struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0x0800, 0, DOS_TIME, DOS_DATE, crc, len(data),
                       len(data), len(name), 0, 0, disk, 0, 0x20, offset) + name


def write_spanned(folder, base):
    """One entry per part; the first part starts with the spanning mark."""
    parts = []
    central = b""
    for disk, (name, text) in enumerate(FILES):
        part = b"PK\x07\x08" if disk == 0 else b""
        encoded = name.encode("utf-8")
        central += central_header(encoded, data_of(text), disk, len(part))
        part += local_header(encoded, data_of(text))
        parts.append(part)
    last = len(parts) - 1
    directory_offset = len(parts[last])
    end = struct.pack("<IHHHHIIH", 0x06054B50, last, last, len(FILES), len(FILES), len(central), directory_offset, 0)
    parts[last] += central + end
    for number, part in enumerate(parts, start=1):
        (folder / f"{base}{number:03d}.ZIP").write_bytes(part)


def rar_block(kind, flags, body):
    header = bytes([kind]) + struct.pack("<HH", flags, len(body) + 7) + body
    return struct.pack("<H", zlib.crc32(header) & 0xFFFF) + header


def write_rar(path):
    out = b"Rar!\x1A\x07\x00" + rar_block(0x73, 0, bytes(6))
    for name, text in FILES:
        data = data_of(text)
        encoded = name.replace("/", "\\").encode("utf-8")
        body = struct.pack("<IIBIIBBHI", len(data), len(data), 2, zlib.crc32(data), (DOS_DATE << 16) | DOS_TIME,
                           29, 0x30, len(encoded), 0x20) + encoded
        out += rar_block(0x74, 0x8000 | 0x0200, body) + data
    out += rar_block(0x7B, 0x4000, b"")
    path.write_bytes(out)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-demo-archives.py <folder>")
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    write_zip(folder / "PAKIET.ZIP")
    write_spanned(folder, "CZESC")
    write_rar(folder / "ZESTAW.RAR")


if __name__ == "__main__":
    main()
