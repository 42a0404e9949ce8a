#!/usr/bin/env python3
"""Speed of orbisk's text modes against cp of the same file, as whole processes, side by
side (see sidebyside.py): --show and --to-text of a 64 KB text variable, and --from-text
of a 64 KB UTF-8 file.

Usage: bench/text_speed.py [path/to/orbisk]   (default: build/release/bin/orbisk)
Needs python3 (Debian package python3).
"""
import os
import shutil
import sys
import tempfile

from sidebyside import report, rounds, spawn

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CP = shutil.which("cp")
ROUNDS = 101

# Lines of French text with Greek letters and mathematical signs, as UTF-8.
LINE = "Si Δ≥0 alors x=(−b±√Δ)/(2·a) ; π=3,14… et ∫ de α à β, déjà vu à l'école."


def remove(*paths):
    for path in paths:
        if os.path.exists(path):
            os.remove(path)


def main():
    orbisk = os.path.abspath(sys.argv[1] if len(sys.argv) > 1
                             else os.path.join(ROOT, "build/release/bin/orbisk"))
    if not os.access(orbisk, os.X_OK):
        sys.exit(f"no orbisk at {orbisk}: build it first (scripts/run --version)")
    with tempfile.TemporaryDirectory(prefix="orbisk-bench-") as work:
        # A UTF-8 file of 64 KB whose text fits one variable.
        text = ""
        while len((text + LINE + "\n").encode()) <= 64 * 1024:
            text += LINE + "\n"
        with open(f"{work}/notes.txt", "wb") as f:
            f.write(text.encode())
        devnull = os.open(os.devnull, os.O_WRONLY)
        spawn([orbisk, "--from-text", "--to", "9xt", "notes.txt"], work)
        os.rename(f"{work}/notes.9xt", f"{work}/prog.9xt")
        variable = os.path.getsize(f"{work}/prog.9xt")
        print(f"a text of {len(text.encode())} bytes of UTF-8, {variable} bytes as a variable file")

        report(f"--show of the variable file, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "prog.9xt", "copy.9xt"], work),
                               "orbisk": lambda: spawn([orbisk, "--show", "prog.9xt"], work,
                                                       stdout=devnull)},
                      lambda: remove(f"{work}/copy.9xt")), 1.5)
        report(f"--to-text of the variable file, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "prog.9xt", "copy.9xt"], work),
                               "orbisk": lambda: spawn([orbisk, "--to-text", "prog.9xt"], work)},
                      lambda: remove(f"{work}/copy.9xt", f"{work}/prog.txt")), 1.5)
        report(f"--from-text of the UTF-8 file, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "notes.txt", "copy.txt"], work),
                               "orbisk": lambda: spawn([orbisk, "--from-text", "notes.txt"],
                                                       work)},
                      lambda: remove(f"{work}/copy.txt", f"{work}/notes.v2t")), 1.5)


if __name__ == "__main__":
    main()
