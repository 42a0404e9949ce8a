#!/usr/bin/env python3
"""Command-line speed and memory of orbisk against cp, measured side by side.

Each round runs cp and orbisk on the same input, in alternating order, and the figures are
medians over the rounds: the median of each command's time and the median of the per-round
ratios orbisk/cp. Peak memory is the maximum resident set size that GNU time reports (a
child of this Python process would inherit its peak instead).

Usage: bench/cli_speed.py [path/to/orbisk]   (default: build/release/bin/orbisk)
Needs python3 and GNU time (Debian packages python3, time).
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ORBISK = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build/release/bin/orbisk")
CP = shutil.which("cp")
TIME = "/usr/bin/time"
DEVNULL = os.open(os.devnull, os.O_RDWR)


def spawn(argv, cwd):
    """Runs argv to completion; returns its wall-clock time in seconds."""
    os.chdir(cwd)
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, {"LC_ALL": "C"},
                         file_actions=[(os.POSIX_SPAWN_DUP2, DEVNULL, 0),
                                       (os.POSIX_SPAWN_DUP2, DEVNULL, 1)])
    _, status = os.waitpid(pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"failed: {' '.join(argv)}")
    return elapsed


def peak_kib(argv, cwd):
    """The peak resident set size of argv, in KiB, as GNU time measures it."""
    result = subprocess.run([TIME, "-f", "%M", *argv], cwd=cwd, capture_output=True, text=True,
                            check=True, env={"LC_ALL": "C"})
    return int(result.stderr.strip().splitlines()[-1])


def paired(rounds, cp_run, orbisk_run, clean):
    cp_times, orbisk_times, ratios = [], [], []
    for i in range(rounds):
        pair = [("cp", cp_run), ("orbisk", orbisk_run)]
        if i % 2:
            pair.reverse()
        result = {}
        for name, run in pair:
            clean()
            result[name] = run()
        cp_times.append(result["cp"])
        orbisk_times.append(result["orbisk"])
        ratios.append(result["orbisk"] / result["cp"])
    clean()
    return statistics.median(cp_times), statistics.median(orbisk_times), statistics.median(ratios)


def sample(path, size):
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


def report(title, cp_time, orbisk_time, ratio, target):
    verdict = "ok" if ratio <= target else "OVER TARGET"
    print(f"{title}: cp {cp_time * 1e3:.2f} ms, orbisk {orbisk_time * 1e3:.2f} ms, "
          f"median ratio {ratio:.2f} (target <= {target}) {verdict}")


def main():
    if not os.access(ORBISK, os.X_OK):
        sys.exit(f"no orbisk at {ORBISK}: build it first (scripts/run --version)")
    if not os.access(TIME, os.X_OK):
        sys.exit("GNU time is missing: apt-get install time")
    with tempfile.TemporaryDirectory(prefix="orbisk-bench-") as work:
        # One 40 KB file.
        sample(f"{work}/prog.9xt", 40 * 1024)
        report("one 40 KB file, 301 rounds",
               *paired(301,
                       lambda: spawn([CP, "prog.9xt", "copy.9xt"], work),
                       lambda: spawn([ORBISK, "prog.9xt"], work),
                       lambda: remove(f"{work}/copy.9xt", f"{work}/prog.v2t")),
               1.3)

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

        report("1,000 files of 40 KB in one call, 21 rounds",
               *paired(21,
                       lambda: spawn([CP, *names, "../copies"], many),
                       lambda: spawn([ORBISK, *names], many),
                       clean_many),
               1.5)
        shutil.rmtree(many)

        # One 100 MB file, and peak memory against a 1 MB one.
        sample(f"{work}/big.9xt", 100 * 1000 * 1000)
        report("one 100 MB file, 11 rounds",
               *paired(11,
                       lambda: spawn([CP, "big.9xt", "copy.9xt"], work),
                       lambda: spawn([ORBISK, "big.9xt"], work),
                       lambda: remove(f"{work}/copy.9xt", f"{work}/big.v2t")),
               1.2)
        sample(f"{work}/small.9xt", 1000 * 1000)
        peaks = {}
        for name in ("small", "big"):
            rss = []
            for _ in range(5):
                remove(f"{work}/{name}.v2t")
                rss.append(peak_kib([ORBISK, f"{name}.9xt"], work))
            peaks[name] = statistics.median(rss)
        print(f"peak resident memory (median of 5): 1 MB file {peaks['small']} KiB, "
              f"100 MB file {peaks['big']} KiB")


if __name__ == "__main__":
    main()
