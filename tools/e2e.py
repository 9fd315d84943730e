#!/usr/bin/env python3
"""End-to-end run in real firmware: boots the front-end in QEMU/OVMF in its
checking mode, once per display device, collects its CHECK lines, and compares
its picture of the fixed primitive scene pixel for pixel with the same scene
drawn by the host build.

Prints one line per result, tagged with the display, and closes with
"N passed, N failed"; exits 1 on any failure.
"""
import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qemu  # noqa: E402

# The checks the front-end must report; a missing one is a failure.
EXPECTED_CHECKS = [
    "driver-loaded",
    "string-length",
    "frame-buffer-capture",
    "video-mode",
    "pens-screen",
    "pens-buffer",
    "clear-buffer",
    "blit-position",
    "banner-text",
    "banner-screen",
    "render-text-size",
    "render-text-wrap",
    "opaque-text",
    "opaque-text-fit",
    "transparent-text",
    "capture-screen",
    "capture-again",
    "dim-captured-screen",
    "restore-captured-screen",
    "capture-frame-buffer",
    "capture-small-mode",
    "capture-path",
    "capture-control",
    "wipe-transition",
    "dissolve-transition",
    "primitive-calls",
    "message-box-size",
    "scroll-bar-hits",
    "progress-text-colour",
    "readout-sizes",
    "readout-paint",
    "readout-one",
    "setting-row-slider",
    "setting-row-paint",
    "list-popup-height",
    "list-popup-width",
    "list-popup-hits",
    "list-popup-thumb",
    "list-popup-capture",
    "option-popup-close-box",
    "option-popup-rows",
    "option-popup-move",
    "icon-dock-3-items",
    "icon-dock-10-items",
    "icon-dock-kept-strip",
    "input-dialog-layout",
    "input-dialog-hits",
    "input-dialog-paint",
    "absolute-pointer",
    "startup-without-float",
    "startup-without-print",
    "startup-without-both",
]


# What each display offers in OVMF at 1024x768: the pixel format (1 blue-green-red
# 32-bit, 2 bit mask, 3 Blt only) and whether a frame buffer is published.
OFFERS = {
    "std": (1, True),
    "virtio": (3, False),
    "cirrus": (2, True),
    "bochs": (1, True),
    "ramfb": (1, True),
}


# A bound on one soak pass in OVMF under TCG, for the boot's timeout: about a
# second on an idle machine, more than twice that on a busy one.
SOAK_PASS_SECONDS = 5.0


class Results:
    def __init__(self):
        self.passed = 0
        self.failed = 0
        self.display = ""

    def add(self, name, ok, detail=""):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
        tag = " [%s]" % self.display if self.display else ""
        print("%s %s%s%s" % ("PASS" if ok else "FAIL", name, tag, ("  " + detail) if detail else ""))
        sys.stdout.flush()


def compare_scene(build, shot, out, results):
    tool = os.path.join(build, "host", "render-scene")
    if not os.path.isfile(tool):
        results.add("primitive-scene", False, "missing %s (make BUILD=%s %s)" % (tool, build, tool))
        return
    reference = os.path.join(out, "e2e-primitives-host.png")
    diff = os.path.join(out, "e2e-%s-primitives-diff.png" % results.display)
    if os.path.exists(diff):
        os.remove(diff)
    run = subprocess.run([tool, "--out", reference, "--compare", shot, "--diff", diff],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=60)
    text = run.stdout.decode(errors="replace").strip()
    summary = [l for l in text.splitlines() if l.startswith("mismatches")]
    detail = summary[0] if summary else text
    if run.returncode != 0:
        detail = text.replace("\n", "; ")
    results.add("primitive-scene", run.returncode == 0, detail)


def compare_banner(build, boot, results):
    """The banner text the firmware front-end read must be the host build's, to the character."""
    firmware = [t for t in boot.lines("INFO") if t.startswith("banner ")]
    tool = os.path.join(build, "host", "render-scene")
    if not firmware or not os.path.isfile(tool):
        results.add("banner-text-as-host", False,
                    "no banner line from the firmware" if not firmware else "missing " + tool)
        return
    run = subprocess.run([tool, "--banner"], stdout=subprocess.PIPE, timeout=60)
    host = run.stdout.decode(errors="replace").strip()
    results.add("banner-text-as-host", host == firmware[0],
                "same text" if host == firmware[0] else "host %s, firmware %s" % (host, firmware[0]))


def check_display(boot, results):
    """The display must offer what the run expects of it, or its checks prove nothing."""
    lines = [t for t in boot.lines("INFO") if t.startswith("display ")]
    if not lines:
        results.add("display", False, "no display line from the firmware")
        return
    fields = lines[-1].split()
    seen = dict(zip(fields[2::2], fields[3::2]))
    size = fields[1]
    form = int(seen.get("format", "-1"))
    has_frame = int(seen.get("frame-buffer", "0x0"), 16) != 0 and int(seen.get("size", "0")) != 0
    want_form, want_frame = OFFERS.get(results.display, (form, has_frame))
    results.add("display", size == "1024x768" and form == want_form and has_frame == want_frame,
                "%s, format %d, %s frame buffer; scan line %s" % (
                    size, form, "a" if has_frame else "no", seen.get("scan-line")))


def report_soak(boot, passes):
    """How long the soak's passes took, from the serial lines' arrival times."""
    started = [s for s, kind, text in boot.events if kind == "INFO" and text.startswith("soak started")]
    ended = [s for s, kind, text in boot.events if kind == "CHECK" and text.startswith("soak ")]
    if started and ended:
        seconds = ended[0] - started[0]
        print("  soak: %d passes in %.1f s (%.0f ms a pass)" % (passes, seconds, 1000 * seconds / passes))


def run_display(args, display, results, soak=0):
    results.display = display
    # Time for the soak's passes comes on top of the boot's own.
    timeout = args.timeout + soak * SOAK_PASS_SECONDS
    files = {"orvane-soak": str(soak)} if soak > 0 else {}
    try:
        boot = qemu.Boot(args.build, "e2e", args.out, timeout, prefix="e2e-%s-" % display,
                         display=display, files=files).run()
    except qemu.BootError as error:
        results.add("boot", False, str(error))
        return

    start = boot.first_time("START")
    done = boot.first_time("DONE")
    results.add("boot", start is not None,
                "front-end started after %.1f s" % start if start is not None
                else "the front-end never reported on serial")

    seen = {}
    for text in boot.lines("CHECK"):
        name, _, rest = text.partition(" ")
        verdict, _, detail = rest.partition(" ")
        seen[name] = True
        results.add(name, verdict == "PASS", detail)
    for name in EXPECTED_CHECKS + (["soak"] if soak > 0 else []):
        if name not in seen:
            results.add(name, False, "not reported")
    if soak > 0:
        report_soak(boot, soak)

    compare_banner(args.build, boot, results)
    check_display(boot, results)

    shot = boot.shots.get("primitives")
    if shot is None or not os.path.isfile(shot):
        results.add("primitive-scene", False, "no screenshot taken")
    elif "primitives" in boot.late_shots:
        results.add("primitive-scene", False, "screenshot taken after the front-end moved on")
    else:
        compare_scene(args.build, shot, args.out, results)

    if boot.timed_out:
        last = " | ".join("%s %s" % (k, t) for _, k, t in boot.events[-3:])
        results.add("finished", False, "timed out after %.0f s; %s" % (
            timeout, "last lines: " + last if last else "the front-end printed nothing"))
    else:
        results.add("finished", done is not None,
                    "shut down after %.1f s (front-end ran %.1f s)" % (boot.seconds, done - start)
                    if done is not None and start is not None
                    else "QEMU exited (%s) before DONE" % boot.exit_code)
    for seconds, kind, text in boot.events:
        if kind in ("INFO", "QEMU"):
            print("  %6.2f s  %s" % (seconds, text))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", default="build")
    parser.add_argument("--out", default="out", help="where screenshots are kept")
    parser.add_argument("--timeout", type=float, default=120.0, help="seconds for each boot")
    parser.add_argument("--displays", default="std,virtio",
                        help="comma-separated display devices, of: " + ", ".join(qemu.DISPLAYS))
    parser.add_argument("--soak", type=int, default=20,
                        help="soak passes, run on the first display only (0: none)")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    results = Results()
    for index, display in enumerate(args.displays.split(",")):
        started = time.monotonic()
        run_display(args, display, results, soak=args.soak if index == 0 else 0)
        print("  [%s] screenshots in %s; run %.1f s" % (display, args.out, time.monotonic() - started))
    print("%d passed, %d failed" % (results.passed, results.failed))
    return 0 if results.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
