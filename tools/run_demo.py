#!/usr/bin/env python3
"""Boots the setup demo in QEMU/OVMF at 1024x768 and keeps a picture of every
stage as <out>/demo-<stage>.png, and the final screen as <out>/demo.png."""
import argparse
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qemu  # noqa: E402

STAGES = ["pens", "text", "shapes", "dim", "restored", "wipe-midway", "wipe", "dissolve-midway",
          "dissolve", "final"]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", default="build")
    parser.add_argument("--out", default="out")
    parser.add_argument("--timeout", type=float, default=300.0, help="seconds for the whole boot")
    parser.add_argument("--display", default="std", choices=sorted(qemu.DISPLAYS),
                        help="the display device")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name in STAGES:
        for stale in ("demo-%s.png" % name, "demo.png"):
            path = os.path.join(args.out, stale)
            if os.path.exists(path):
                os.remove(path)

    started = time.monotonic()
    try:
        boot = qemu.Boot(args.build, "demo", args.out, args.timeout, prefix="demo-", midway=True,
                         display=args.display).run()
    except qemu.BootError as error:
        print("demo failed: %s" % error)
        return 1
    for seconds, kind, text in boot.events:
        if kind in ("START", "SCREENSHOT", "INFO", "CHECK", "DONE", "QEMU"):
            print("  %6.2f s  %s %s" % (seconds, kind, text))

    problems = []
    if boot.timed_out:
        problems.append("timed out after %.0f s" % args.timeout)
    missing = [s for s in STAGES if s not in boot.shots]
    if missing:
        problems.append("no picture of: " + ", ".join(missing))
    if boot.late_shots:
        problems.append("pictures taken too late: " + ", ".join(boot.late_shots))
    if any(not text.startswith("driver-loaded PASS") for text in boot.lines("CHECK")):
        problems.append("the driver did not load")

    # Restoring the captured screen gives back the very picture that was captured.
    if "shapes" in boot.shots and "restored" in boot.shots:
        with open(boot.shots["shapes"], "rb") as a, open(boot.shots["restored"], "rb") as b:
            if a.read() != b.read():
                problems.append("the restored screen differs from the captured one")

    if "final" in boot.shots:
        shutil.copy(boot.shots["final"], os.path.join(args.out, "demo.png"))
    print("demo ran %.1f s" % (time.monotonic() - started))
    for name in STAGES:
        if name in boot.shots:
            print("  %-16s %s" % (name, os.path.relpath(boot.shots[name])))
    if problems:
        print("demo incomplete: " + "; ".join(problems))
        return 1
    print("The demo screen is %s" % os.path.abspath(os.path.join(args.out, "demo.png")))
    return 0


if __name__ == "__main__":
    sys.exit(main())
