"""Samples the tray from /proc once a second and judges whether its resources
stay flat."""

import os
import statistics
import threading
import time

TICKS = os.sysconf("SC_CLK_TCK")
# A probe child lives at most 3 s; allow for the poll step, the kill and a
# sample taken on a loaded machine.
CHILD_AGE_LIMIT = 4.5


def stat_fields(pid):
    """Fields of /proc/PID/stat after the command name, from the state on."""
    with open(f"/proc/{pid}/stat", encoding="latin-1") as stat:
        return stat.read().rpartition(")")[2].split()


def uptime():
    with open("/proc/uptime", encoding="ascii") as seconds:
        return float(seconds.read().split()[0])


def children_of(parent):
    """(pid, state, age in seconds) of each child of `parent`."""
    now = uptime()
    found = []
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            fields = stat_fields(name)
        except OSError:
            continue  # ended meanwhile
        if int(fields[1]) == parent:
            found.append((int(name), fields[0], now - int(fields[19]) / TICKS))
    return found


def status_value(pid, key):
    with open(f"/proc/{pid}/status", encoding="latin-1") as status:
        for line in status:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    raise KeyError(key)


class Sample:
    def __init__(self, at, pid):
        self.at = at
        self.fds = len(os.listdir(f"/proc/{pid}/fd"))
        self.rss_kib = status_value(pid, "VmRSS")
        self.threads = status_value(pid, "Threads")
        self.children = children_of(pid)


class Sampler(threading.Thread):
    def __init__(self, pid, stop, on_sample=lambda: None):
        super().__init__(name="sampler", daemon=True)
        self.pid = pid
        self.stop = stop
        self.on_sample = on_sample
        self.samples = []
        self.failures = []
        self.oldest_child = 0.0

    def run(self):
        start = time.monotonic()
        zombies = set()
        while not self.stop.wait(1.0):
            try:
                sample = Sample(time.monotonic() - start, self.pid)
            except (OSError, KeyError) as error:
                self.failures.append(f"tray gone at {time.monotonic() - start:.0f} s: {error}")
                return
            self.samples.append(sample)
            now_zombies = {pid for pid, state, _ in sample.children if state == "Z"}
            for pid in now_zombies & zombies:
                self.failures.append(f"zombie {pid} over two samples at {sample.at:.0f} s")
            zombies = now_zombies
            for pid, _, age in sample.children:
                self.oldest_child = max(self.oldest_child, age)
                if age > CHILD_AGE_LIMIT:
                    self.failures.append(f"child {pid} alive after {age:.1f} s")
            if len(sample.children) > 1:
                self.failures.append(f"{len(sample.children)} children at {sample.at:.0f} s")
            self.on_sample()


def third_medians(values):
    third = max(1, len(values) // 3)
    return statistics.median(values[:third]), statistics.median(values[-third:])


def flatness_failures(samples, warm_up):
    """After the warm-up the maxima stay near the start and the last third is
    no higher than the first, beyond a small allowance for what is in flight."""
    steady = [s for s in samples if s.at >= warm_up]
    if len(steady) < 6:
        return [f"only {len(steady)} samples after the warm-up"]
    failures = []
    # Open connections come and go with the clients: a few descriptors of
    # slack; a leak of one per request or per probe would pass this at once.
    for name, values, allowance in (
            ("descriptors", [s.fds for s in steady], 6),
            ("threads", [s.threads for s in steady], 0),
            ("RSS KiB", [s.rss_kib for s in steady], 1024)):
        first, last = third_medians(values)
        if last > first + allowance:
            failures.append(f"{name} rose: median {first} in the first third, {last} in the last")
        if max(values) > first + 2 * allowance:
            failures.append(f"{name} peaked at {max(values)}, median of the first third {first}")
    return failures
