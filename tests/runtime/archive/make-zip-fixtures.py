#!/usr/bin/env python3
"""Writes zip archives whose entries the system's libzip cannot decode, and
entries that lie about their size, into the folder given: one archive per
case, each holding the entry "data.txt" (see CONTENT)."""
import hashlib
import hmac
import lzma
import os
import struct
import subprocess
import sys
import zlib

CONTENT = b"Kalvora " * 200 + b"koniec\n"
PASSWORD = b"tajne"


def entry(name, method, data, crc, size, flags=0, extra=b""):
    local = struct.pack("<IHHHHHIIIHH", 0x04034B50, 63, flags, method, 0x6000, 0x5021, crc, len(data), size,
                        len(name), len(extra)) + name + extra + data
    central = struct.pack("<IBBHHHHHIIIHHHHHII", 0x02014B50, 63, 0, 63, flags, method, 0x6000, 0x5021, crc,
                          len(data), size, len(name), len(extra), 0, 0, 0, 0, 0) + name + extra
    return local, central


def archive(entries, prefix=b""):
    body = b""
    directory = b""
    for local, central in entries:
        offset = len(body)
        body += local
        # the local header offset is the last field of the fixed central header
        directory += central[:42] + struct.pack("<I", offset) + central[46:]
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(directory), len(body), 0)
    return prefix + body + directory + end


def raw_deflate(data):
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    return packer.compress(data) + packer.flush()


def lzma_zip_data(data):
    # The zip form of LZMA: version 9.20, the properties' size, the
    # properties, then the raw stream with its end marker.
    filters = [{"id": lzma.FILTER_LZMA1, "dict_size": 1 << 16}]
    raw = lzma.compress(data, format=lzma.FORMAT_RAW, filters=filters)
    props = lzma._encode_filter_properties(filters[0])
    return struct.pack("<BBH", 9, 20, len(props)) + props + raw


def ppmd_zip(folder):
    # PPMd has no encoder in Python: 7-Zip writes the archive.
    source = os.path.join(folder, "data.txt")
    with open(source, "wb") as out:
        out.write(CONTENT)
    target = os.path.join(folder, "ppmd.zip")
    if os.path.exists(target):
        os.remove(target)
    subprocess.run(["7z", "a", "-tzip", "-mm=PPMd", target, source], stdout=subprocess.DEVNULL, check=True)
    os.remove(source)


def zstd_data(data):
    return subprocess.run(["zstd", "-q", "-c", "-19"], input=data, stdout=subprocess.PIPE, check=True).stdout


def aes_ctr(key, data):
    from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes
    encryptor = Cipher(algorithms.AES(key), modes.ECB()).encryptor()
    out = bytearray()
    for block in range(0, len(data), 16):
        counter = (block // 16 + 1).to_bytes(16, "little")
        stream = encryptor.update(counter)
        out += bytes(a ^ b for a, b in zip(data[block:block + 16], stream))
    return bytes(out)


def winzip_aes(data, inner_method, password, vendor_version=2):
    salt = bytes(range(16))
    keys = hashlib.pbkdf2_hmac("sha1", password, salt, 1000, 32 * 2 + 2)
    encryption_key, mac_key, verifier = keys[:32], keys[32:64], keys[64:]
    encrypted = aes_ctr(encryption_key, data)
    code = hmac.new(mac_key, encrypted, hashlib.sha1).digest()[:10]
    extra = struct.pack("<HHH2sBH", 0x9901, 7, vendor_version, b"AE", 3, inner_method)
    return salt + verifier + encrypted + code, extra


def main(folder):
    os.makedirs(folder, exist_ok=True)
    crc = zlib.crc32(CONTENT)
    size = len(CONTENT)
    cases = {
        "lzma.zip": [entry(b"data.txt", 14, lzma_zip_data(CONTENT), crc, size, flags=0x0002)],
        "xz.zip": [entry(b"data.txt", 95, lzma.compress(CONTENT, format=lzma.FORMAT_XZ), crc, size)],
        "zstd.zip": [entry(b"data.txt", 93, zstd_data(CONTENT), crc, size)],
        # An unknown method is refused with its name.
        "wavpack.zip": [entry(b"data.txt", 97, CONTENT, crc, size)],
        # A damaged LZMA entry fails its CRC.
        "lzma-badcrc.zip": [entry(b"data.txt", 14, lzma_zip_data(CONTENT), crc ^ 1, size, flags=0x0002)],
        # The entry declares other sizes than its data has.
        "declares-less.zip": [entry(b"data.txt", 8, raw_deflate(b"x" * 100000), zlib.crc32(b"x" * 100000), 10)],
        "declares-more.zip": [entry(b"data.txt", 8, raw_deflate(b"0123456789"), zlib.crc32(b"0123456789"),
                                    0xF0000000)],
        "declares-less-stored.zip": [entry(b"data.txt", 0, b"y" * 5000, zlib.crc32(b"y" * 5000), 10)],
    }
    encrypted, extra = winzip_aes(raw_deflate(CONTENT), 8, PASSWORD)
    cases["aes2.zip"] = [entry(b"data.txt", 99, encrypted, 0, size, flags=0x0001, extra=extra)]
    tampered = bytearray(encrypted)
    tampered[40] ^= 0x55
    cases["aes2-tampered.zip"] = [entry(b"data.txt", 99, bytes(tampered), 0, size, flags=0x0001, extra=extra)]
    for name, entries in cases.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(archive(entries))
    ppmd_zip(folder)


if __name__ == "__main__":
    main(sys.argv[1])
