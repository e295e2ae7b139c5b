"""The soak's figures, as text for people and JSON for scripts."""

import json
import os
from collections import Counter


def range_of(values):
    return [min(values), max(values)] if values else None


def resource_ranges(samples, warm_up):
    steady = [s for s in samples if s.at >= warm_up]
    ranges = {}
    for name, read in (("descriptors", lambda s: s.fds), ("children", lambda s: len(s.children)),
                       ("rss_kib", lambda s: s.rss_kib), ("threads", lambda s: s.threads)):
        ranges[name] = {"all": range_of([read(s) for s in samples]),
                        "after_warm_up": range_of([read(s) for s in steady])}
    return ranges


def series(samples):
    """Every sample, for plotting: seconds, descriptors, children, RSS KiB, threads."""
    return [[round(s.at, 1), s.fds, len(s.children), s.rss_kib, s.threads] for s in samples]


def tool_faults(calls):
    kinds = Counter(call["kind"] for call in calls)
    variants = Counter(f"{call['kind']}/{call['variant']}" for call in calls)
    return {"probes": len(calls), "by_kind": dict(sorted(kinds.items())),
            "by_variant": dict(sorted(variants.items()))}


def write(directory, figures):
    os.makedirs(directory, exist_ok=True)
    with open(os.path.join(directory, "figures.json"), "w", encoding="utf-8") as out:
        json.dump(figures, out, indent=2, sort_keys=False)
        out.write("\n")
    text = as_text(figures)
    with open(os.path.join(directory, "figures.txt"), "w", encoding="utf-8") as out:
        out.write(text)
    return text


def as_text(f):
    lines = [
        f"Soak of pellamy-tray: {'PASSED' if not f['failures'] else 'FAILED'}",
        f"seed {f['seed']}, {f['duration_s']:.0f} s under load, warm-up {f['warm_up_s']:.0f} s",
        "",
        f"well-formed status requests: {f['polling']['requests']} "
        f"from {f['polling']['clients']} clients, statuses {f['polling']['statuses']}",
        f"  connected answers {f['polling']['connected_records_seen']} distinct records",
        f"hostile requests: {sum(f['hostile']['sent'].values())}, "
        f"outcomes {f['hostile']['outcomes']}",
    ]
    lines += [f"  {name}: {count}" for name, count in f["hostile"]["sent"].items()]
    faults = f["tool"]
    lines += ["", f"probes run: {faults['probes']}, by kind {faults['by_kind']}"]
    lines += [f"  {name}: {count}" for name, count in faults["by_variant"].items()]
    lines += ["", "tray resources, min-max (all samples / after the warm-up):"]
    for name, ranges in f["resources"].items():
        lines.append(f"  {name}: {ranges['all']} / {ranges['after_warm_up']}")
    lines += [
        f"  samples {f['samples']}, oldest probe child seen {f['oldest_child_s']:.1f} s",
        "",
        f"SIGTERM: exit code {f['sigterm']['exit_code']} "
        f"after {f['sigterm']['seconds'] * 1000:.0f} ms",
        f"left behind: tool calls {f['leftovers']['tool_calls']}, "
        f"lingering grandchildren killed {f['leftovers']['grandchildren_killed']}",
        "",
        f"failures: {len(f['failures'])}",
    ]
    lines += [f"  {failure}" for failure in f["failures"][:50]]
    return "\n".join(lines) + "\n"
