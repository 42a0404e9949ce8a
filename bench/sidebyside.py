"""Timing whole processes side by side, shared by the benchmarks of bench/.

Each round runs every command once on the same input, in an order that rotates from round
to round, and the figures are medians over the rounds: each command's median time, and the
median of its per-round ratios to the reference command (cp). Peak memory is the maximum
resident set size that GNU time reports (a child of this Python process would inherit its
peak instead).
"""
import os
import statistics
import subprocess
import sys
import time

TIME = "/usr/bin/time"
DEVNULL = os.open(os.devnull, os.O_RDWR)


def spawn(argv, cwd, stdout=DEVNULL):
    """Runs argv to completion in cwd; returns its wall-clock time in seconds."""
    os.chdir(cwd)
    start = time.perf_counter()
    pid = os.posix_spawn(argv[0], argv, {"LC_ALL": "C.UTF-8"},
                         file_actions=[(os.POSIX_SPAWN_DUP2, DEVNULL, 0),
                                       (os.POSIX_SPAWN_DUP2, stdout, 1)])
    _, status = os.waitpid(pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"failed: {' '.join(argv)}")
    return elapsed


def peak_kib(argv, cwd):
    """The peak resident set size of argv, in KiB, as GNU time measures it."""
    result = subprocess.run([TIME, "-f", "%M", *argv], cwd=cwd, capture_output=True, text=True,
                            check=True, env={"LC_ALL": "C.UTF-8"})
    return int(result.stderr.strip().splitlines()[-1])


def rounds(count, runs, clean, reference="cp"):
    """Runs each of `runs` (name -> callable returning seconds) once a round, `clean()`
    before each; returns {name: (median seconds, median ratio to the reference)}."""
    names = list(runs)
    times = {name: [] for name in names}
    ratios = {name: [] for name in names}
    for i in range(count):
        order = names[i % len(names):] + names[:i % len(names)]
        result = {}
        for name in order:
            clean()
            result[name] = runs[name]()
        for name in names:
            times[name].append(result[name])
            ratios[name].append(result[name] / result[reference])
    clean()
    return {name: (statistics.median(times[name]), statistics.median(ratios[name]))
            for name in names}


def report(title, figures, target, reference="cp"):
    """Prints one line per command against the reference, marking a ratio over target."""
    base = figures[reference][0]
    print(f"{title}: {reference} {base * 1e3:.2f} ms")
    for name, (seconds, ratio) in figures.items():
        if name == reference:
            continue
        verdict = "ok" if ratio <= target else "OVER TARGET"
        print(f"  {name}: {seconds * 1e3:.2f} ms, median ratio {ratio:.2f} "
              f"(target <= {target}) {verdict}")


def require_time():
    if not os.access(TIME, os.X_OK):
        sys.exit("GNU time is missing: apt-get install time")
