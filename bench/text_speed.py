#!/usr/bin/env python3
"""Speed of orbisk's text modes against cp of the same file, as whole processes, side by
side (see sidebyside.py): --show and --to-text of a 64 KB text variable, and --from-text
of a 64 KB UTF-8 file; the same for a 64 KB program in text form, and its 7-bit export;
and the program converted to another model.

Usage: bench/text_speed.py [path/to/orbisk] [--before path/to/earlier/orbisk]
       (default: build/release/bin/orbisk; an earlier build is timed in the same rounds of
       the text variable, which it can read)
Needs python3 (Debian package python3).
"""
import argparse
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


def tokenized_program(path):
    """A TI-89 file of a tokenized program of about 64 KB: the statements of a real one
    repeated between its Prgm and its EndPrgm."""
    real = open(os.path.join(ROOT, "tests/data/sgs/sgsgeoan.89p"), "rb").read()
    size = real[0x56] << 8 | real[0x57]
    data = real[0x58:0x58 + size]
    prgm = data.index(b"\x19\xe4\xe5")  # the instruction Prgm, right under the arguments
    statements = data[5:prgm]           # after E9, EndPrgm and its new line
    body = statements * ((65000 - len(data) + len(statements)) // len(statements))
    data = data[:5] + body + data[prgm:]
    header = bytearray(real[:0x56])
    header[0:8] = b"**TI89**"
    total = 0x56 + 2 + len(data) + 2
    header[0x4C:0x50] = total.to_bytes(4, "little")
    variable = len(data).to_bytes(2, "big") + data
    checksum = (sum(variable) & 0xFFFF).to_bytes(2, "little")
    with open(path, "wb") as f:
        f.write(bytes(header) + variable + checksum)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("orbisk", nargs="?", default=os.path.join(ROOT, "build/release/bin/orbisk"))
    parser.add_argument("--before", help="an earlier orbisk, timed in the same rounds")
    args = parser.parse_args()
    orbisk = os.path.abspath(args.orbisk)
    if not os.access(orbisk, os.X_OK):
        sys.exit(f"no orbisk at {orbisk}: build it first (scripts/run --version)")
    programs = {"orbisk": orbisk}
    if args.before:
        programs["before"] = os.path.abspath(args.before)
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

        def each(make):
            return {name: (lambda p=path: make(p)) for name, path in programs.items()}

        report(f"--show of the variable file, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "prog.9xt", "copy.9xt"], work),
                               **each(lambda p: spawn([p, "--show", "prog.9xt"], work,
                                                      stdout=devnull))},
                      lambda: remove(f"{work}/copy.9xt")), 1.5)
        report(f"--to-text of the variable file, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "prog.9xt", "copy.9xt"], work),
                               **each(lambda p: spawn([p, "--to-text", "prog.9xt"], work))},
                      lambda: remove(f"{work}/copy.9xt", f"{work}/prog.txt")), 1.5)
        report(f"--from-text of the UTF-8 file, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "notes.txt", "copy.txt"], work),
                               **each(lambda p: spawn([p, "--from-text", "notes.txt"], work))},
                      lambda: remove(f"{work}/copy.txt", f"{work}/notes.v2t")), 1.5)

        # A program of the same lines: shown, exported and imported at a text's speed.
        program = "()\nPrgm\n" + text[: len(text) - 200] + "EndPrgm\n"
        with open(f"{work}/code.txt", "wb") as f:
            f.write(program.encode())
        spawn([orbisk, "--from-text", "--type", "prgm", "code.txt"], work)
        os.rename(f"{work}/code.v2p", f"{work}/prog.v2p")
        spawn([orbisk, "--to-text", "--ascii", "prog.v2p"], work)
        os.rename(f"{work}/prog.txt", f"{work}/code7.txt")
        print(f"a program of {len(program.encode())} bytes of UTF-8, "
              f"{os.path.getsize(f'{work}/prog.v2p')} bytes as a variable file")
        report(f"--show of the program, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "prog.v2p", "copy.v2p"], work),
                               "orbisk": lambda: spawn([orbisk, "--show", "prog.v2p"], work,
                                                       stdout=devnull)},
                      lambda: remove(f"{work}/copy.v2p")), 1.2)
        report(f"--to-text of the program, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "prog.v2p", "copy.v2p"], work),
                               "orbisk": lambda: spawn([orbisk, "--to-text", "prog.v2p"], work)},
                      lambda: remove(f"{work}/copy.v2p", f"{work}/prog.txt")), 1.2)
        report(f"--from-text --type prgm of the UTF-8 file, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "code.txt", "copy.txt"], work),
                               "orbisk": lambda: spawn([orbisk, "--from-text", "--type", "prgm",
                                                        "code.txt"], work)},
                      lambda: remove(f"{work}/copy.txt", f"{work}/code.v2p")), 1.2)
        report(f"--from-text of its 7-bit export, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "code7.txt", "copy.txt"], work),
                               "orbisk": lambda: spawn([orbisk, "--from-text", "code7.txt"],
                                                       work)},
                      lambda: remove(f"{work}/copy.txt", f"{work}/code7.v2p")), 1.2)
        # Converting a program to another model copies it as a text is copied: at cp's speed.
        report(f"conversion of the program to TI92+, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "prog.v2p", "copy.v2p"], work),
                               "orbisk": lambda: spawn([orbisk, "--to", "92p", "prog.v2p"], work)},
                      lambda: remove(f"{work}/copy.v2p", f"{work}/prog.9xp")), 1.0)

        # A tokenized program, as programs come off a calculator: read back as text.
        tokenized_program(f"{work}/tok.89p")
        print(f"a tokenized program of {os.path.getsize(f'{work}/tok.89p')} bytes as a file")
        report(f"--show of the tokenized program, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "tok.89p", "copy.89p"], work),
                               "orbisk": lambda: spawn([orbisk, "--show", "tok.89p"], work,
                                                       stdout=devnull)},
                      lambda: remove(f"{work}/copy.89p")), 1.2)
        report(f"--to-text of the tokenized program, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "tok.89p", "copy.89p"], work),
                               "orbisk": lambda: spawn([orbisk, "--to-text", "tok.89p"], work)},
                      lambda: remove(f"{work}/copy.89p", f"{work}/tok.txt")), 1.2)
        report(f"conversion of the tokenized program to Voyager 200, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "tok.89p", "copy.89p"], work),
                               "orbisk": lambda: spawn([orbisk, "--to", "v2", "tok.89p"], work)},
                      lambda: remove(f"{work}/copy.89p", f"{work}/tok.v2p")), 1.0)

if __name__ == "__main__":
    main()
