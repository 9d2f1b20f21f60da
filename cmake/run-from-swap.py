#!/usr/bin/env python3
"""Marks a PE image IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP and IMAGE_FILE_NET_RUN_FROM_SWAP.

Windows then copies the image to the swap file before running it, so a copy started
from a USB stick or a network share can be unplugged without taking its host down.
The GNU linker has no option for these two flags."""
import struct
import sys

FLAGS = 0x0400 | 0x0800  # REMOVABLE_RUN_FROM_SWAP | NET_RUN_FROM_SWAP

for path in sys.argv[1:]:
    with open(path, 'r+b') as f:
        image = f.read(4096)
        (pe,) = struct.unpack_from('<I', image, 0x3C)
        if image[:2] != b'MZ' or image[pe:pe + 4] != b'PE\0\0':
            sys.exit(f'{path}: not a PE image')
        at = pe + 4 + 18  # COFF header: Machine, NumberOfSections, TimeDateStamp, symbols (8), optional size
        (flags,) = struct.unpack_from('<H', image, at)
        f.seek(at)
        f.write(struct.pack('<H', flags | FLAGS))
