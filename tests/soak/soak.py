#!/usr/bin/python3
"""Soaks the real tray under a faulty tool, polling clients and a hostile one,
samples it from /proc, ends it with SIGTERM and writes the figures. Exits 1 if
any check failed.

Usage: soak.py --tray build/pellamy-tray --out build/soak [--seconds 600] [--seed N]
"""

import argparse
import os
import sys
import threading
import time
from collections import Counter

import figures
import http_wire
from hostile import Hostile
from pollers import Poller
from sampler import Sampler, flatness_failures
from tray_run import TrayRun, become_subreaper, reap_orphans

SIGTERM_LIMIT = 1.0


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tray", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--seconds", type=float, default=600)
    parser.add_argument("--seed", type=int, default=int(time.time()))
    parser.add_argument("--clients", type=int, default=8)
    parser.add_argument("--poll-pause", type=float, default=0.05)
    parser.add_argument("--hostile-pause", type=float, default=0.02)
    return parser.parse_args()


def idle_connections(port, token):
    """A kept-alive connection after an answer and a half-sent request, both
    left open while the tray is told to stop: neither may hold it up."""
    request = http_wire.request("GET", "/api/status", f"127.0.0.1:{port}",
                                [f"Authorization: Bearer {token}"])
    kept = http_wire.connect(port)
    http_wire.send(kept, request)
    http_wire.Reader(kept).answer()
    half = http_wire.connect(port)
    http_wire.send(half, request[:20])
    return [kept, half]


def soak(options, run, failures):
    port, token = run.dashboard()
    stop_load, stop_sampling = threading.Event(), threading.Event()
    sampler = Sampler(run.process.pid, stop_sampling, lambda: reap_orphans(run.process.pid))
    pollers = [Poller(i, port, token, options.poll_pause, options.seed, stop_load)
               for i in range(options.clients)]
    hostile = Hostile(port, token, options.hostile_pause, options.seed, stop_load)
    sampler.start()
    for client in [*pollers, hostile]:
        client.start()
    start = time.monotonic()
    while time.monotonic() - start < options.seconds and run.process.poll() is None:
        time.sleep(0.5)
    duration = time.monotonic() - start
    stop_load.set()
    for client in [*pollers, hostile]:
        client.join(timeout=30)
        if client.is_alive():
            failures.append(f"{client.name} still waiting for the tray after the soak")
    if run.process.poll() is not None:
        failures.append(f"tray ended on its own with {run.process.returncode} "
                        f"after {duration:.0f} s")
        return duration, pollers, hostile, sampler, (run.process.returncode, 0.0)
    try:
        idle = idle_connections(port, token)
    except (http_wire.Closed, http_wire.Silent, OSError) as error:
        failures.append(f"no answer before SIGTERM: {error}")
        idle = []
    stop_sampling.set()
    sampler.join()
    if not run.wait_for_probe():
        failures.append("no probe started in the last 8 s")
    code, seconds = run.terminate()
    for connection in idle:
        connection.close()
    if code != 0 or seconds > SIGTERM_LIMIT:
        failures.append(f"SIGTERM: exit code {code} after {seconds:.2f} s")
    return duration, pollers, hostile, sampler, (code, seconds)


def main():
    options = arguments()
    become_subreaper()
    run = TrayRun(options.tray, os.path.join(options.out, "run"), options.seed)
    failures = []
    try:
        duration, pollers, hostile, sampler, (code, seconds) = soak(options, run, failures)
    finally:
        if run.process.poll() is None:
            run.process.kill()
            run.process.wait()
        alive_calls, grandchildren = run.leftovers()
    if alive_calls:
        failures.append(f"tool calls still running after the tray ended: {alive_calls}")
    out, err = run.output()
    if out or err:
        failures.append(f"the tray printed {out[:100]!r} {err[:200]!r}")

    calls = run.tool_calls()
    showable = {call["n"] for call in calls if call.get("showable")}
    seen = set().union(*(poller.sequences for poller in pollers))
    if seen - showable:
        failures.append(f"records shown that no good tool call printed: {sorted(seen - showable)}")
    leaked = sorted({fd for call in calls for fd in call["leaked"]})
    if leaked:
        failures.append(f"tool calls inherited descriptors {leaked}")
    for client in [*pollers, hostile, sampler]:
        failures.extend(f"{client.name}: {failure}" for failure in client.failures)
    warm_up = min(60.0, max(10.0, duration / 10))
    failures.extend(flatness_failures(sampler.samples, warm_up))

    statuses = sum((poller.statuses for poller in pollers), Counter())
    text = figures.write(options.out, {
        "seed": options.seed,
        "duration_s": duration,
        "warm_up_s": warm_up,
        "polling": {"clients": len(pollers), "requests": sum(statuses.values()),
                    "statuses": dict(statuses), "connected_records_seen": len(seen)},
        "hostile": {"sent": dict(sorted(hostile.sent.items())),
                    "outcomes": {str(k): v for k, v in sorted(hostile.outcomes.items(),
                                                              key=lambda item: str(item[0]))}},
        "tool": figures.tool_faults(calls),
        "resources": figures.resource_ranges(sampler.samples, warm_up),
        "samples": len(sampler.samples),
        "oldest_child_s": sampler.oldest_child,
        "sigterm": {"exit_code": code, "seconds": seconds},
        "leftovers": {"tool_calls": alive_calls, "grandchildren_killed": len(grandchildren)},
        "failures": failures,
        "series": figures.series(sampler.samples),
    })
    sys.stdout.write(text)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
