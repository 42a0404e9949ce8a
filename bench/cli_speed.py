#!/usr/bin/env python3
"""Command-line speed and memory of orbisk against cp, measured side by side.

Each round runs cp and orbisk (and, with --before, an earlier build of orbisk) on the same
input, in rotating order; the figures are medians over the rounds (see sidebyside.py).
With --before, the start-up of `orbisk --version` is compared too.

Usage: bench/cli_speed.py [path/to/orbisk] [--before path/to/earlier/orbisk]
       (default: build/release/bin/orbisk)
Needs python3 and GNU time (Debian packages python3, time).
"""
import argparse
import os
import shutil
import statistics
import sys
import tempfile

from sidebyside import peak_kib, report, require_time, rounds, spawn

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CP = shutil.which("cp")


def sample(path, size):
    """A TI92+ text file of `size` bytes: a sound one when it fits a variable (so that the
    conversion has nothing to say of it), otherwise a header and every byte value."""
    if size <= 0x58 + 0xFFFF + 2:
        text = b" " + bytes(0x20 + i % 0x5F for i in range(size - 0x58 - 2 - 5))
        data = b"\x00\x01" + text + b"\x00\xe0"
        sized = len(data).to_bytes(2, "big") + data
        body = b"\x00" * 4 + sized + (sum(sized) & 0xFFFF).to_bytes(2, "little")
        header = (b"**TI92P*\x01\x00main\0\0\0\0" + b" " * 31 + b"\0" * 9 + b"\x01\x00" +
                  (0x52).to_bytes(4, "little") + b"bench\0\0\0\x0b\0\0\0" +
                  (0x52 + len(body)).to_bytes(4, "little") + b"\xa5\x5a")
        with open(path, "wb") as f:
            f.write(header + body)
        return
    with open(path, "wb") as f:
        f.write(b"**TI92P*\x01\x00main\0\0\0\0" + b"c" * 40)
        chunk = bytes(range(256)) * 4096
        remaining = size - 58
        while remaining > 0:
            f.write(chunk[:remaining])
            remaining -= len(chunk)


def remove(*paths):
    for path in paths:
        if os.path.exists(path):
            os.remove(path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("orbisk", nargs="?", default=os.path.join(ROOT, "build/release/bin/orbisk"))
    parser.add_argument("--before", help="an earlier orbisk, timed in the same rounds")
    args = parser.parse_args()
    programs = {"orbisk": os.path.abspath(args.orbisk)}
    if args.before:
        programs["before"] = os.path.abspath(args.before)
    for path in programs.values():
        if not os.access(path, os.X_OK):
            sys.exit(f"no orbisk at {path}: build it first (scripts/run --version)")
    require_time()

    def each(argv_of, cwd):
        runs = {"cp": lambda: spawn(argv_of(CP, "cp"), cwd)}
        for name, path in programs.items():
            runs[name] = lambda path=path: spawn(argv_of(path, name), cwd)
        return runs

    with tempfile.TemporaryDirectory(prefix="orbisk-bench-") as work:
        # Start-up alone, against the earlier build: orbisk --version.
        if args.before:
            version = {name: lambda path=path: spawn([path, "--version"], work)
                       for name, path in programs.items()}
            figures = rounds(501, version, lambda: None, reference="before")
            grown = (figures["orbisk"][0] - figures["before"][0]) * 1e3
            print(f"start-up, orbisk --version, 501 rounds: before {figures['before'][0] * 1e3:.3f}"
                  f" ms, now {figures['orbisk'][0] * 1e3:.3f} ms, {grown:+.3f} ms"
                  f" (target <= +0.3 ms) {'ok' if grown <= 0.3 else 'OVER TARGET'}")

        # One 40 KB file.
        sample(f"{work}/prog.9xt", 40 * 1024)
        one = each(lambda p, n: [p, "prog.9xt", "copy.9xt"] if n == "cp" else [p, "prog.9xt"],
                   work)
        report("one 40 KB file, 301 rounds",
               rounds(301, one, lambda: remove(f"{work}/copy.9xt", f"{work}/prog.v2t")), 1.3)

        # 1,000 files in one call.
        many = f"{work}/many"
        os.mkdir(many)
        os.mkdir(f"{work}/copies")
        names = [f"p{i:04}.9xt" for i in range(1000)]
        for name in names:
            sample(f"{many}/{name}", 40 * 1024)

        def clean_many():
            for name in names:
                remove(f"{many}/{name[:-3]}v2t", f"{work}/copies/{name}")

        thousand = each(lambda p, n: [p, *names, "../copies"] if n == "cp" else [p, *names], many)
        report("1,000 files of 40 KB in one call, 21 rounds", rounds(21, thousand, clean_many),
               1.5)
        shutil.rmtree(many)

        # One 100 MB file, and peak memory against a 1 MB one.
        sample(f"{work}/big.9xt", 100 * 1000 * 1000)
        big = each(lambda p, n: [p, "big.9xt", "copy.9xt"] if n == "cp" else [p, "big.9xt"],
                   work)
        report("one 100 MB file, 11 rounds",
               rounds(11, big, lambda: remove(f"{work}/copy.9xt", f"{work}/big.v2t")), 1.2)
        sample(f"{work}/small.9xt", 1000 * 1000)
        for program, path in programs.items():
            peaks = {}
            for name in ("small", "big"):
                rss = []
                for _ in range(5):
                    remove(f"{work}/{name}.v2t")
                    rss.append(peak_kib([path, f"{name}.9xt"], work))
                peaks[name] = statistics.median(rss)
            print(f"{program}: peak resident memory (median of 5): 1 MB file {peaks['small']} KiB,"
                  f" 100 MB file {peaks['big']} KiB")


if __name__ == "__main__":
    main()
