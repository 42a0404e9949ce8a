#!/usr/bin/env python3
"""Writes bonjour.9xt, the sample TI92+ text file of the README: a single text variable
"bonjour" in the folder "main", laid out as these calculators' single-variable files are.

The other sample, formules.9xt, is made by Orbisk itself from its UTF-8 text:
    orbisk --from-text --to 9xt examples/formules.txt
"""
import struct

LINES = ["Bonjour !", "Ceci est un texte de test pour Orbisk.", "Fin."]
# Each line starts with its kind (a space for plain text); lines end with a carriage return.
body = b"\r".join(b" " + line.encode("ascii") for line in LINES)
data = b"\x00\x01" + body + b"\x00\xe0"  # cursor position, the text, the end and the text tag

header = b"**TI92P*" + b"\x01\x00" + b"main".ljust(8, b"\0") + b"Sample text file".ljust(40, b"\0")
entry = struct.pack("<HI", 1, 0x52) + b"bonjour".ljust(8, b"\0") + bytes([0x0B, 0, 0, 0])
payload = struct.pack(">H", len(data)) + data
size = len(header) + len(entry) + 4 + 2 + 4 + len(payload) + 2
file = header + entry + struct.pack("<I", size) + b"\xa5\x5a" + b"\0\0\0\0" + payload
file += struct.pack("<H", sum(payload) & 0xFFFF)
assert len(file) == size
open("bonjour.9xt", "wb").write(file)
