#!/usr/bin/env python3
"""Checks that a Windows program is built for the expected machine: pe-machine.py FILE i386|amd64."""
import struct
import sys

MACHINES = {0x14C: "i386", 0x8664: "amd64"}


def machine_of(path):
    with open(path, "rb") as f:
        data = f.read(4096)
    if data[:2] != b"MZ":
        return None
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        return None
    return MACHINES.get(struct.unpack_from("<H", data, offset + 4)[0], "other")


def main():
    path, expected = sys.argv[1], sys.argv[2]
    found = machine_of(path)
    if found != expected:
        print(f"{path}: expected a {expected} program, found {found}", file=sys.stderr)
        return 1
    print(f"{path}: {found} program")
    return 0


if __name__ == "__main__":
    sys.exit(main())
