#!/usr/bin/env python3
"""Runs the C boot menu of examples/ in QEMU/OVMF with scripted keys and
checks what a user would see.

The menu reports each step on the serial port ("boot-menu: <step> [n]") and
waits for a key after each; the keys go through QMP. The pictures are taken
from the screen: before the menu draws (the machine stopped on the "start"
line), with each row selected, with the confirm box, while the bar fills and
once the screen is restored. Checks:

- the highlighted row (orange text on its dark bar) moves 20 pixels a key;
- Enter brings the confirm box (its light panel and the green focused button),
  and the focus follows Right and Left;
- the progress bar fills: part filled midway, all filled at 100 %;
- the screen comes back exactly as it was before the menu.

Prints a line per check and exits 1 on any failure.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qemu  # noqa: E402

LINE = re.compile(rb"boot-menu: (\w[\w ]*?)(?: (\d+))?\r?$")
SELECTED_TEXT = (0xE3, 0x97, 0x4B)
SELECTION_BAR = (0x56, 0x56, 0x56)
BOX_PANEL = (0xEE, 0xEE, 0xEE)
FOCUS_EDGE = (0x66, 0xBC, 0x29)
BAR_FILLED_TOP = (0xFB, 0xE1, 0x6D)  # first row of the filled part's upper band
BAR_EMPTY_TOP = (0x58, 0x56, 0x57)  # first row of the empty part's upper band


class Late(qemu.BootError):
    """The machine was stopped for a picture after the step it must precede."""


class Picture:
    def __init__(self, path):
        self.width, self.height, self.rgb = qemu.read_ppm(path)

    def where(self, colour):
        """(x, y) of every pixel of exactly that colour."""
        wanted = bytes(colour)
        found = []
        start = self.rgb.find(wanted)
        while start >= 0:
            if start % 3 == 0:
                found.append(((start // 3) % self.width, (start // 3) // self.width))
            start = self.rgb.find(wanted, start + 1)
        return found


class Run:
    def __init__(self, build, display, timeout):
        self.build = build
        self.display = display
        self.deadline = time.monotonic() + timeout
        self.work = tempfile.mkdtemp(prefix="orvane-example-")
        self.log_path = os.path.join(self.work, "serial.log")
        self.seen = []  # (step, number) in order
        self.offset = 0
        self.pending = b""
        self.results = []
        self.shots = 0

    # -------------------------------------------------------------- machine
    def start(self):
        esp = os.path.join(self.work, "esp")
        os.makedirs(os.path.join(esp, "EFI", "BOOT"))
        efi = os.path.join(self.build, "efi")
        shutil.copy(os.path.join(efi, "boot-menu.efi"), os.path.join(esp, "EFI", "BOOT", "BOOTX64.EFI"))
        for name in ("orvane.efi", "platform-shim.efi"):
            shutil.copy(os.path.join(efi, name), esp)
        variables = os.path.join(self.work, "OVMF_VARS.fd")
        shutil.copy(qemu.OVMF_VARS, variables)
        sock = os.path.join(self.work, "qmp.sock")
        command = [
            "qemu-system-x86_64", "-machine", "q35", "-accel", "tcg", "-m", "256",
            *qemu.DISPLAYS[self.display], "-display", "none", "-nic", "none", *qemu.INPUT_DEVICES,
            "-drive", "if=pflash,format=raw,unit=0,readonly=on,file=" + qemu.OVMF_CODE,
            "-drive", "if=pflash,format=raw,unit=1,file=" + variables,
            "-drive", "file=fat:rw:%s,format=raw" % esp,
            "-serial", "file:" + self.log_path, "-qmp", "unix:%s,server=on,wait=off" % sock,
        ]
        self.qemu = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.qmp = qemu.Qmp(sock, time.monotonic() + 60, self.qemu)

    def stop(self):
        if getattr(self, "qmp", None) is not None:
            self.qmp.close()
        if getattr(self, "qemu", None) is not None and self.qemu.poll() is None:
            self.qemu.kill()
            self.qemu.communicate()
        shutil.rmtree(self.work, ignore_errors=True)

    def log_text(self):
        with open(self.log_path, "rb") as f:
            return f.read()

    def wait_for(self, step, number=None):
        """Waits for the line of `step` (and `number`, when given); returns its number."""
        while True:
            if os.path.exists(self.log_path):
                with open(self.log_path, "rb") as f:
                    f.seek(self.offset)
                    data = f.read()
                self.offset += len(data)
                self.pending += data
                *lines, self.pending = self.pending.split(b"\n")
                for raw in lines:
                    match = LINE.search(raw)
                    if match:
                        self.seen.append((match.group(1).decode(), match.group(2) and int(match.group(2))))
            for index, (name, value) in enumerate(self.seen):
                if name == step and (number is None or value == number):
                    del self.seen[:index + 1]
                    return value
                if name == "no toolkit":
                    raise qemu.BootError("the menu found no toolkit")
            if self.qemu.poll() is not None:
                raise qemu.BootError("QEMU ended while waiting for %s" % step)
            if time.monotonic() > self.deadline:
                raise qemu.BootError("no '%s %s' line in time" % (step, "" if number is None else number))
            time.sleep(0.02)

    def photograph(self, stopped_before=None):
        """The screen now. With stopped_before, the machine is stopped for the
        picture and it must not have logged that step yet: else the picture
        may already show it."""
        self.shots += 1
        path = os.path.join(self.work, "shot-%02d.ppm" % self.shots)
        if stopped_before is None:
            self.qmp.screendump(path, fmt="ppm")
            return Picture(path)
        self.qmp.command("stop")
        try:
            if ("boot-menu: " + stopped_before).encode() in self.log_text():
                raise Late("picture came after '%s'" % stopped_before)
            self.qmp.screendump(path, fmt="ppm")
        finally:
            self.qmp.command("cont")
        return Picture(path)

    def check(self, name, ok, detail):
        self.results.append(ok)
        print("%s %s: %s" % ("PASS" if ok else "FAIL", name, detail))

    # -------------------------------------------------------------- the script
    def play(self):
        self.wait_for("start")
        before = self.photograph(stopped_before="painting")

        def highlight(row):
            self.wait_for("row", row)
            shot = self.photograph()
            rows = [y for _, y in shot.where(SELECTED_TEXT)]
            return shot, (min(rows) if rows else None), len(shot.where(SELECTION_BAR))

        menu, top0, bar = highlight(0)
        self.check("menu-shown", top0 is not None and bar > 0 and menu.rgb != before.rgb,
                   "selected row's text from y %s, %d bar pixels" % (top0, bar))
        tops = [top0]
        for key, row in (("down", 1), ("down", 2), ("up", 1)):
            self.qmp.key(key)
            _, top, _ = highlight(row)
            tops.append(top)
        moves = [None if a is None or b is None else b - a for a, b in zip(tops, tops[1:])]
        self.check("highlight-moves", moves == [20, 20, -20], "down, down, up moved it %s" % moves)

        self.qmp.key("ret")
        self.wait_for("confirm", 1)
        box = self.photograph()
        panel, edge = box.where(BOX_PANEL), box.where(FOCUS_EDGE)
        self.check("confirm-box", len(panel) > 5000 and len(edge) > 100,
                   "%d panel pixels, %d focused-edge pixels" % (len(panel), len(edge)))
        self.qmp.key("right")
        self.wait_for("confirm", 2)
        moved = self.photograph().where(FOCUS_EDGE)
        shift = (sum(x for x, _ in moved) / max(len(moved), 1)) - (sum(x for x, _ in edge) / max(len(edge), 1))
        self.check("confirm-focus", len(moved) > 100 and shift > 50,
                   "Right moved the focused edge %.0f pixels" % shift)
        self.qmp.key("left")
        self.wait_for("confirm", 1)
        self.qmp.key("ret")

        self.wait_for("progress", 50)
        mid = self.photograph()
        filled, empty = len(mid.where(BAR_FILLED_TOP)), len(mid.where(BAR_EMPTY_TOP))
        fraction = filled / max(filled + empty, 1)
        self.wait_for("progress", 100)
        full = self.photograph(stopped_before="restoring")
        full_filled, full_empty = len(full.where(BAR_FILLED_TOP)), len(full.where(BAR_EMPTY_TOP))
        self.check("bar-fills", 0.3 < fraction < 0.95 and full_filled > filled and full_empty == 0,
                   "%.0f %% filled at the 50 %% step, %d filled and %d empty columns at 100 %%"
                   % (100 * fraction, full_filled, full_empty))

        self.wait_for("restored")
        after = self.photograph(stopped_before="exit")
        differing = sum(1 for i in range(0, len(before.rgb), 3) if before.rgb[i:i + 3] != after.rgb[i:i + 3])
        self.check("screen-restored", (after.width, after.height) == (before.width, before.height)
                   and differing == 0, "%d of %d pixels differ from the screen before the menu"
                   % (differing, before.width * before.height))
        self.wait_for("exit")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build")
    parser.add_argument("--display", default="std", choices=sorted(qemu.DISPLAYS))
    parser.add_argument("--timeout", type=float, default=240.0, help="seconds for the whole run")
    args = parser.parse_args()
    started = time.monotonic()
    # The first picture must be taken before the menu paints; on a machine too
    # busy to stop it in time the boot is tried again.
    for attempt in range(3):
        run = Run(args.build, args.display, args.timeout)
        try:
            run.start()
            run.play()
        except Late as late:
            print("again: %s" % late)
            continue
        except qemu.BootError as error:
            run.check("run", False, str(error))
        finally:
            run.stop()
        break
    failed = run.results.count(False)
    print("boot menu example: %d passed, %d failed in %.0f s"
          % (run.results.count(True), failed, time.monotonic() - started))
    return 1 if failed or not run.results else 0


if __name__ == "__main__":
    sys.exit(main())
