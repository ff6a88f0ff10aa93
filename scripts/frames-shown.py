#!/usr/bin/env python3
"""Frames a Wayland client drew against frames the compositor showed, from Weston's timeline.

Usage: frames-shown.py TIMELINE TITLE [SKIP_SECONDS [SECONDS]]

TIMELINE is what `weston-debug timeline` wrote; TITLE the title of the client's top-level window. The
client's drawing surface is the one, of its window and the window's sub-surfaces, that committed most.
Every commit is a frame drawn (core_commit_damage); a frame is shown when a repaint of the output takes the
surface's new content (core_flush_damage); a frame committed on top of one not yet shown is never shown.
Counts from SKIP_SECONDS after the surface's first commit, for SECONDS (default: to the end). Prints one
line: drawn, shown, and the median and 95th percentile of the intervals between shown frames in ms.
"""
import json
import statistics
import sys


def main(path, title, skip=0.0, seconds=None):
    surfaces, events = {}, []
    with open(path, encoding="utf-8") as timeline:
        for line in timeline:
            try:
                record = json.loads(line)
            except ValueError:
                continue  # the last line of a timeline cut off as its writer ended
            if record.get("type") == "weston_surface":
                surfaces[record["id"]] = record
            elif record.get("N") in ("core_commit_damage", "core_flush_damage"):
                events.append((record["T"][0] + record["T"][1] / 1e9, record["N"], record["ws"]))
    window = [i for i, s in surfaces.items() if f"top-level window '{title}' of" in (s.get("desc") or "")]
    family = {i for i, s in surfaces.items() if i in window or s.get("main_surface") in window}
    commits = {i: sum(1 for _, n, ws in events if ws == i and n == "core_commit_damage") for i in family}
    if not commits or max(commits.values()) == 0:
        sys.exit(f"frames-shown: no commits of a window titled '{title}' in {path}")
    surface = max(commits, key=commits.get)
    start = min(t for t, n, ws in events if ws == surface) + skip
    end = start + seconds if seconds is not None else float("inf")
    ours = [(t, n) for t, n, ws in events if ws == surface and start <= t < end]
    drawn = sum(1 for _, n in ours if n == "core_commit_damage")
    shown = [t for t, n in ours if n == "core_flush_damage"]
    gaps = sorted(1000 * (b - a) for a, b in zip(shown, shown[1:])) or [0.0]
    p95 = gaps[min(len(gaps) - 1, int(0.95 * len(gaps)))]
    print(f"drawn {drawn} shown {len(shown)} median_ms {statistics.median(gaps):.1f} p95_ms {p95:.1f}")


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], *(float(a) for a in sys.argv[3:5]))
