#!/usr/bin/env python3
"""Speed and memory of orbisk's group modes, as whole processes, side by side (see
sidebyside.py): --extract of a group of N texts against one run converting the same N
texts as single files (the same bytes read and N files written), --list of a 1,000-entry
group against cp of it, and the peak memory of --list for a 10,000-entry group and of
--check for a 2 GB file that says it is a group.

Usage: bench/group_speed.py [path/to/orbisk]   (default: build/release/bin/orbisk)
Needs python3 and GNU time (Debian packages python3 and time); strace, when installed,
counts the reads of --list.
"""
import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile

from sidebyside import peak_kib, report, require_time, rounds, spawn

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CP = shutil.which("cp")
ROUNDS = 31
TEXTS = 200


def remove(pattern):
    for path in glob.glob(pattern):
        os.remove(path)


def texts(work, count, prefix):
    """`count` UTF-8 texts of a few lines, each named for its own variable."""
    names = []
    for i in range(count):
        name = f"{prefix}{i:05d}.txt"[-12:] if count > 1000 else f"{prefix}{i:03d}.txt"
        with open(f"{work}/{name}", "w", encoding="utf-8") as f:
            f.write(f"Note {i}\nSi Δ≥0 alors x=(−b±√Δ)/(2·a)\n" * 4)
        names.append(name)
    return names


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("orbisk", nargs="?", default=os.path.join(ROOT, "build/release/bin/orbisk"))
    args = parser.parse_args()
    orbisk = os.path.abspath(args.orbisk)
    if not os.access(orbisk, os.X_OK):
        sys.exit(f"no orbisk at {orbisk}: build it first (scripts/run --version)")
    require_time()
    with tempfile.TemporaryDirectory(prefix="orbisk-bench-") as work:
        names = texts(work, TEXTS, "t")
        spawn([orbisk, "--from-text", "--to", "89", *names], work)
        singles = [n.replace(".txt", ".89t") for n in names]
        spawn([orbisk, "--group", "all.89g", *singles], work)
        os.makedirs(f"{work}/out")
        print(f"a group of {TEXTS} texts, {os.path.getsize(f'{work}/all.89g')} bytes")
        report(f"--extract --to v2 of the group against one run converting the {TEXTS} "
               f"files, {ROUNDS} rounds",
               rounds(ROUNDS,
                      {"conversions": lambda: spawn([orbisk, "--to", "v2", *singles], work),
                       "extract": lambda: spawn([orbisk, "--extract", "--to", "v2", "--into",
                                                 "out", "all.89g"], work)},
                      lambda: (remove(f"{work}/*.v2t"), remove(f"{work}/out/*")),
                      reference="conversions"), 1.2, reference="conversions")

        for path in glob.glob(f"{work}/t*"):
            os.remove(path)
        big = texts(work, 1000, "u")
        spawn([orbisk, "--from-text", "--to", "89", *big], work)
        spawn([orbisk, "--group", "big.89g", *[n.replace(".txt", ".89t") for n in big]], work)
        print(f"a group of 1,000 texts, {os.path.getsize(f'{work}/big.89g')} bytes")
        report(f"--list of it against cp, {ROUNDS} rounds",
               rounds(ROUNDS, {"cp": lambda: spawn([CP, "big.89g", "copy.89g"], work),
                               "list": lambda: spawn([orbisk, "--list", "big.89g"], work)},
                      lambda: remove(f"{work}/copy.89g")), 2.0)
        if shutil.which("strace"):
            trace = subprocess.run(["strace", "-e", "trace=openat,read", orbisk, "--list",
                                    "big.89g"], cwd=work, capture_output=True, text=True)
            lines = trace.stderr.splitlines()
            opened = [i for i, line in enumerate(lines) if "big.89g" in line and "openat" in line]
            reads = ([line for line in lines[opened[0]:] if line.startswith("read(")]
                     if opened else [])
            print(f"  --list opened big.89g {len(opened)} time(s) and made {len(reads)} read "
                  "calls after opening it")

        for path in glob.glob(f"{work}/u*"):
            os.remove(path)
        many = texts(work, 10000, "w")
        for start in range(0, len(many), 2000):
            spawn([orbisk, "--from-text", "--to", "89", *many[start:start + 2000]], work)
        spawn([orbisk, "--group", "many.89g", *[n.replace(".txt", ".89t") for n in many]], work)
        print(f"a group of 10,000 texts, {os.path.getsize(f'{work}/many.89g')} bytes: "
              f"--list peaks at {peak_kib([orbisk, '--list', 'many.89g'], work)} KiB")
        # A group's header and table, then 2 GB of nothing.
        with open(f"{work}/many.89g", "rb") as f:
            head = f.read(1 << 20)
        with open(f"{work}/huge.89g", "wb") as f:
            f.write(head)
            f.truncate(2 << 30)
        status = subprocess.run([orbisk, "--check", "huge.89g"], cwd=work,
                                capture_output=True, text=True)
        print(f"a 2 GB group: --check exits {status.returncode}, "
              f"peaks at {peak_kib_failing([orbisk, '--check', 'huge.89g'], work)} KiB: "
              f"{status.stdout.strip().splitlines()[-1]}")


def peak_kib_failing(argv, cwd):
    """peak_kib for a command that exits 1, as --check of a damaged file does."""
    result = subprocess.run(["/usr/bin/time", "-f", "%M", *argv], cwd=cwd, capture_output=True,
                            text=True, env={"LC_ALL": "C.UTF-8"})
    return int(result.stderr.strip().splitlines()[-1])


if __name__ == "__main__":
    main()
