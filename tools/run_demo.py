#!/usr/bin/env python3
"""Boots the setup demo in QEMU/OVMF on a 1024x768 monitor and plays the script
of tools/demo_script.py with real input: keys, and a USB tablet as the pointer.
A boot of the script may bring a larger monitor: setup then keeps that mode and
centres its layout, and the runner moves the script's positions and checked
areas to where the front-end says on serial that the layout sits.
Each step's screenshot goes to <out>/step-<nn>-<name>.png, and
<out>/index.html shows the steps in order with their captions and checks.
Pictures the front-end asks for itself ("SCREENSHOT <name>") are kept as
<out>/demo-<name>.png and shown too. Exits 1 when a check fails or the
front-end stops answering.

With --live the demo opens for a person instead: in a window where a desktop
is present (DISPLAY or WAYLAND_DISPLAY set), else over VNC on 127.0.0.1:5900.
"""
import argparse
import html
import os
import re
import runpy
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qemu  # noqa: E402
import script_steps  # noqa: E402

DEFAULT_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "demo_script.py")
# How long the front-end may take to report an input handled, to come up, or to
# shut down after a step that leaves.
INPUT_TIMEOUT = 30.0
START_TIMEOUT = 120.0
LEAVE_TIMEOUT = 120.0
# The front-end's word on where its layout sits on the panel.
PANEL_LINE = re.compile(r"panel (\d+)x(\d+), layout at (\d+),(\d+)")
# The demo's own monitor: OVMF starts in 1024x768, which setup keeps.
DEMO_DISPLAY = qemu.panel_display(script_steps.SCREEN_WIDTH, script_steps.SCREEN_HEIGHT)


def load_steps(path):
    steps = runpy.run_path(path)["STEPS"]
    names = [s["name"] for s in steps]
    if len(set(names)) != len(names):
        raise ValueError("%s: step names repeat" % path)
    return steps


def load_boots(path):
    """The script's boots (BOOTS), or its STEPS as one boot. Step names are
    unique across boots: a later boot's checks may name an earlier boot's step."""
    script = runpy.run_path(path)
    boots = script.get("BOOTS") or [script_steps.boot("demo", script["STEPS"])]
    names = [s["name"] for b in boots for s in b["steps"]]
    if len(set(names)) != len(names):
        raise ValueError("%s: step names repeat" % path)
    return boots


def corrupt_variable(vars_file, name, offset=20):
    """Alters one data byte of every copy of variable `name` in a variable store
    file: the data follows the variable's UTF-16 name. The copies altered."""
    needle = (name + "\0").encode("utf-16-le")
    with open(vars_file, "rb") as f:
        data = bytearray(f.read())
    count = 0
    at = data.find(needle)
    while at >= 0:
        data[at + len(needle) + offset] ^= 0xFF
        count += 1
        at = data.find(needle, at + 1)
    with open(vars_file, "wb") as f:
        f.write(data)
    return count


# ---------------------------------------------------------------- pictures

class Picture:
    """A screendump in PPM (P6, 8-bit), read into RGB rows. Positions are the
    layout's: origin is where its top-left pixel sits on the screen."""

    def __init__(self, path, origin=(0, 0)):
        self.width, self.height, self.pixels = qemu.read_ppm(path)
        self.origin = origin

    def colour(self, x, y):
        at = ((y + self.origin[1]) * self.width + x + self.origin[0]) * 3
        r, g, b = self.pixels[at:at + 3]
        return (r << 16) | (g << 8) | b

    def area(self, x, y, w, h):
        """The area's bytes, or None when it does not lie inside the picture."""
        x, y = x + self.origin[0], y + self.origin[1]
        if x < 0 or y < 0 or w <= 0 or h <= 0 or x + w > self.width or y + h > self.height:
            return None
        return b"".join(self.pixels[((y + r) * self.width + x) * 3:((y + r) * self.width + x + w) * 3]
                        for r in range(h))

    def margin(self, colour):
        """(pixels around the layout, how many of them are not colour, the first such)."""
        ox, oy = self.origin
        right = ox + script_steps.SCREEN_WIDTH
        bottom = oy + script_steps.SCREEN_HEIGHT
        want = bytes(((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF))
        total, wrong, first = 0, 0, None
        for y in range(self.height):
            spans = [(0, self.width)] if not oy <= y < bottom else [(0, ox), (right, self.width)]
            for a, b in spans:
                if b <= a:
                    continue
                total += b - a
                row = self.pixels[(y * self.width + a) * 3:(y * self.width + b) * 3]
                if row == want * (b - a):
                    continue
                bad = [a + i // 3 for i in range(0, len(row), 3) if row[i:i + 3] != want]
                wrong += len(bad)
                first = first or (bad[0], y)
        return total, wrong, first


def run_check(check, picture, earlier):
    """(passed, what was seen) for one check on a step's picture."""
    kind, (x, y, w, h), want = check
    if kind == "margin":
        total, wrong, first = picture.margin(want)
        if total == 0:
            return False, "margin: the layout fills the %dx%d screen" % (picture.width, picture.height)
        if not wrong:
            return True, "margin: the %d pixels around the layout are %06x" % (total, want)
        return False, "margin: %d of %d pixels not %06x, first at screen (%d,%d)" % (
            wrong, total, want, first[0], first[1])
    where = "(%d,%d %dx%d)" % (x, y, w, h)
    mine = picture.area(x, y, w, h)
    if mine is None:
        return False, "%s %s lies outside the %dx%d screen" % (kind, where, picture.width, picture.height)
    if kind in ("pixel", "region"):
        wrong = [(x + i % w, y + i // w) for i in range(w * h)
                 if picture.colour(x + i % w, y + i // w) != want]
        if not wrong:
            return True, "%s %s is %06x" % (kind, where, want)
        first = wrong[0]
        return False, "%s %s: %d pixels not %06x, first (%d,%d) is %06x" % (
            kind, where, len(wrong), want, first[0], first[1], picture.colour(*first))
    if want not in earlier:
        return False, "%s %s: no earlier step %s" % (kind, where, want)
    theirs = earlier[want].area(x, y, w, h)
    same = theirs == mine
    if kind == "same":
        changed = sum(1 for i in range(0, len(mine), 3) if mine[i:i + 3] != theirs[i:i + 3])
        return same, "%s as in %s" % (where, want) if same else "%s: %d pixels differ from %s" % (
            where, changed, want)
    return not same, "%s %s %s" % (where, "changed since" if not same else "is still as in", want)


# ---------------------------------------------------------------- the player

class Player:
    """Plays the steps as the front-end reports READY; a handler for qemu.Boot.

    Each input is sent once the front-end has counted every event sent before
    it; after a step's last input has been counted, the screen is photographed
    and checked. Ends the run after the last step, or when the front-end stops
    answering. After a step that leaves, the front-end is expected to shut
    down instead of answering. `order` lists the pictures as they were taken:
    ("step", index into results) and ("own", name) for the front-end's own."""

    def __init__(self, steps, out, clock=time.monotonic, input_timeout=INPUT_TIMEOUT,
                 start_timeout=START_TIMEOUT, leave_timeout=LEAVE_TIMEOUT, earlier=None, number_from=0):
        """earlier: pictures of an earlier boot's steps, by name, for checks to name.
        number_from: the number of this boot's first picture."""
        self.steps = steps
        self.number_from = number_from
        self.out = out
        self.clock = clock
        self.input_timeout = input_timeout
        self.start_timeout = start_timeout
        self.leave_timeout = leave_timeout
        self.leaving = False   # the last inputs of a leaving step are out
        self.order = []
        self.index = -1        # the step being played; -1 before the first READY
        self.pending = []      # its inputs not sent yet
        self.sent = 0          # events sent, as the front-end should count them
        self.handled = None    # the last READY count
        self.offset = 0        # READY count minus events sent, fixed at the first READY
        self.pointer = None    # where the tablet is, in tablet units
        # The panel's size and the layout's top-left corner on it.
        self.panel = (script_steps.SCREEN_WIDTH, script_steps.SCREEN_HEIGHT, 0, 0)
        self.buttons = set()
        self.waiting_since = clock()
        self.results = []      # (step, picture path, [(passed, text)])
        self.pictures = dict(earlier or {})  # step name -> Picture
        self.problems = []
        self.finished = False

    def __call__(self, boot, qmp, kind, text):
        if kind in ("SCREENSHOT", "MIDWAY") and text in boot.shots:
            self.order.append(("own", text))
        if kind == "INFO" and PANEL_LINE.match(text):
            self.panel = tuple(int(v) for v in PANEL_LINE.match(text).groups())
        if kind == "READY" and self.leaving:
            return False
        if kind == "READY":
            try:
                count = int(text.split()[0])
            except (IndexError, ValueError):
                self.problems.append("unreadable READY line: %r" % text)
                return True
            if self.handled is None:
                self.offset = count
            self.handled = count
            return self._advance(boot, qmp)
        if kind is None and not self.finished:
            limit = (self.start_timeout if self.handled is None else
                     self.leave_timeout if self.leaving else self.input_timeout)
            if self.clock() - self.waiting_since > limit:
                self.problems.append(self._stuck())
                return True
        return False

    def _stuck(self):
        if self.handled is None:
            return "the front-end never reported READY"
        if self.leaving:
            return "the front-end did not shut down after step %s" % self.steps[self.index]["name"]
        name = self.steps[self.index]["name"] if 0 <= self.index < len(self.steps) else "?"
        return "step %s: the front-end counted %d events, the runner sent %d" % (
            name, self.handled - self.offset, self.sent)

    def _advance(self, boot, qmp):
        while self.handled - self.offset >= self.sent:
            if self.pending:
                self.sent += self._send(qmp, self.pending.pop(0))
                self.waiting_since = self.clock()
                if not self.pending and self.steps[self.index].get("leaves"):
                    self.leaving = True
                    return False
                continue
            if self.index >= 0:
                self._photograph(boot, qmp, self.steps[self.index])
            self.index += 1
            if self.index >= len(self.steps):
                self.finished = True
                return True
            self.pending = list(self.steps[self.index]["inputs"])
        return False

    def _send(self, qmp, item):
        """Sends one input; the number of events the front-end will count for it."""
        if item[0] == "key":
            qmp.key(item[1])
            return 1
        if item[0] == "move":
            width, height, x, y = self.panel
            at = (script_steps.to_tablet(item[1] + x, width),
                  script_steps.to_tablet(item[2] + y, height))
            if at == self.pointer:
                return 0
            qmp.move(*at)
            self.pointer = at
            return 1
        if item[0] == "button":
            _, name, down = item
            if (name in self.buttons) == down:
                return 0
            qmp.button(name, down)
            (self.buttons.add if down else self.buttons.discard)(name)
            return 1
        raise ValueError("unknown input %r" % (item,))

    def _photograph(self, boot, qmp, step):
        name = "step-%02d-%s" % (self.number_from + self.index, step["name"])
        qmp.command("stop")
        try:
            shot = boot.shoot(qmp, name)
            with tempfile.TemporaryDirectory() as work:
                raw = os.path.join(work, "shot.ppm")
                qmp.screendump(raw, "ppm")
                picture = Picture(raw, self.panel[2:])
        finally:
            qmp.command("cont")
        outcomes = [run_check(c, picture, self.pictures) for c in step["checks"]]
        self.pictures[step["name"]] = picture
        self.order.append(("step", len(self.results)))
        self.results.append((step, shot, outcomes))

    def ended(self):
        """The machine is off: after a leaving step, that is the script's end."""
        if self.leaving and not self.problems:
            self.finished = True


# ---------------------------------------------------------------- the page

def write_index(out, entries, problems):
    """out/index.html: the pictures in order, each with its caption and checks."""
    rows = []
    for number, (title, caption, path, outcomes) in enumerate(entries):
        checks = "".join('<li class="%s">%s %s</li>' % ("pass" if ok else "fail", "PASS" if ok else "FAIL",
                                                        html.escape(text)) for ok, text in outcomes)
        rows.append('<section><h2>%d. %s</h2><p>%s</p>%s<img src="%s" alt="%s"></section>' % (
            number + 1, html.escape(title), html.escape(caption),
            "<ul>%s</ul>" % checks if checks else "", html.escape(os.path.relpath(path, out)),
            html.escape(title)))
    trouble = "".join("<li>%s</li>" % html.escape(p) for p in problems)
    page = ("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Setup demo</title><style>"
            "body{font-family:sans-serif;margin:2em;background:#f4f4f4}section{margin-bottom:2em}"
            "img{border:1px solid #888;max-width:100%%}.pass{color:#176317}.fail{color:#b00000}"
            "</style></head><body><h1>Setup demo, step by step</h1>%s%s</body></html>\n") % (
        "<ul class=\"fail\">%s</ul>" % trouble if trouble else "", "\n".join(rows))
    path = os.path.join(out, "index.html")
    with open(path, "w") as f:
        f.write(page)
    return path


# ---------------------------------------------------------------- runs

def play_boot(args, plan, prefix, vars_file, earlier, number_from):
    """Plays one boot's steps. (player, boot, problems); boot is None when QEMU failed."""
    problems = []
    if plan.get("corrupt"):
        if not corrupt_variable(vars_file, plan["corrupt"]):
            problems.append("no variable %s to corrupt" % plan["corrupt"])
    player = Player(plan["steps"], args.out, earlier=earlier, number_from=number_from)
    try:
        display = qemu.panel_display(*plan["panel"]) if plan.get("panel") else args.display
        boot = qemu.Boot(args.build, "demo", args.out, args.timeout, prefix=prefix, midway=True,
                         display=display, handler=player, vars_file=vars_file).run()
    except qemu.BootError as error:
        return player, None, problems + ["QEMU: %s" % error]
    for seconds, kind, text in boot.events:
        if kind in ("START", "SCREENSHOT", "INFO", "CHECK", "DONE", "QEMU"):
            print("  %6.2f s  %s %s" % (seconds, kind, text))
    problems += player.problems
    if boot.timed_out:
        problems.append("timed out after %.0f s" % args.timeout)
    if boot.late_shots:
        problems.append("pictures taken too late: " + ", ".join(boot.late_shots))
    if any(not text.startswith("driver-loaded PASS") for text in boot.lines("CHECK")):
        problems.append("the driver did not load")
    if not boot.timed_out:
        player.ended()
    # A front-end that draws its stages and never waits for input plays no script.
    if player.handled is not None and not player.finished and not problems:
        problems.append("the front-end ended before step %d of %d" % (player.index + 1,
                                                                      len(plan["steps"])))
    for text in plan.get("serial", []):
        if not any(text in line for line in boot.lines("INFO")):
            problems.append("serial never said \"%s\"" % text)
    # Restoring the captured screen gives back the very picture that was captured.
    if "shapes" in boot.shots and "restored" in boot.shots:
        with open(boot.shots["shapes"], "rb") as a, open(boot.shots["restored"], "rb") as b:
            if a.read() != b.read():
                problems.append("the restored screen differs from the captured one")
    return player, boot, problems


def scripted(args):
    boots = load_boots(args.script)
    os.makedirs(args.out, exist_ok=True)
    # Only this run's own kind of files: the end-to-end run keeps its pictures here too.
    prefixes = tuple("%s-" % b["name"] for b in boots[1:])
    for name in os.listdir(args.out):
        if name.startswith(("step-", "demo-") + prefixes) or name in ("demo.png", "index.html"):
            os.remove(os.path.join(args.out, name))
    started = time.monotonic()
    problems, entries, results, screen_timing = [], [], [], []
    failed, earlier, number = 0, {}, 0
    interactive = False
    # One variable store for every boot: what one saves, the next reads.
    store = tempfile.mkdtemp(prefix="orvane-demo-vars-")
    try:
        vars_file = os.path.join(store, "OVMF_VARS.fd")
        for index, plan in enumerate(boots):
            if len(boots) > 1:
                print("boot %d of %d: %s" % (index + 1, len(boots), plan["name"]))
            prefix = "" if index == 0 else "%s-" % plan["name"]
            player, boot, trouble = play_boot(args, plan, prefix, vars_file, earlier, number)
            problems += ["%s: %s" % (plan["name"], t) if len(boots) > 1 else t for t in trouble]
            if boot is None:
                break
            interactive = interactive or player.handled is not None
            earlier.update(player.pictures)
            number += len(plan["steps"])
            screen_timing += [t for t in boot.lines("INFO") if t.startswith("screen-timing")]
            # Every picture in the order it was taken.
            for kind, key in dict.fromkeys(player.order):
                if kind == "own":
                    path = os.path.join(args.out, "demo-%s%s.png" % (prefix, key))
                    os.replace(boot.shots[key], path)
                    entries.append((key, "The front-end's own picture \"%s\"." % key, path, []))
                else:
                    step, path, outcomes = player.results[key]
                    entries.append((step["name"], step["caption"], path, outcomes))
                    failed += sum(1 for ok, _ in outcomes if not ok)
            results += player.results
            if trouble:
                break
    finally:
        shutil.rmtree(store, ignore_errors=True)
    if failed:
        problems.append("%d checks failed" % failed)
    if entries:
        shutil.copy(entries[-1][2], os.path.join(args.out, "demo.png"))
    index = write_index(args.out, entries, problems)

    print("demo ran %.1f s" % (time.monotonic() - started))
    # The whole setup screen timed in the firmware: every control painted once.
    for text in screen_timing:
        print("  " + text)
    for step, path, outcomes in results:
        shown = os.path.relpath(path)
        print("  %-22s %s" % (step["name"], path if shown.startswith("..") else shown))
        for ok, text in outcomes:
            print("      %s %s" % ("PASS" if ok else "FAIL", text))
    if not interactive:
        print("the front-end did not wait for input: it showed %d pictures of its own, no script steps"
              % len(entries))
    print("Pictures and captions: %s" % os.path.abspath(index))
    if problems:
        print("demo incomplete: " + "; ".join(problems))
        return 1
    return 0


def live(args):
    view = "window" if qemu.has_desktop() else "vnc"
    if view == "vnc":
        port = 5900 + int(qemu.VNC_ADDRESS.rsplit(":", 1)[1])
        print("No desktop here (DISPLAY and WAYLAND_DISPLAY are unset): the demo is served over VNC.")
        print("Connect a VNC viewer to 127.0.0.1:%d, e.g. `vncviewer 127.0.0.1::%d`; from another" % (port, port))
        print("machine, first `ssh -L %d:127.0.0.1:%d <this host>`. Ctrl-C here ends it." % (port, port))
    else:
        print("The demo opens in a QEMU window; closing the window or Ctrl-C here ends it.")
    shots = tempfile.mkdtemp(prefix="orvane-live-")
    try:
        boot = qemu.Boot(args.build, "demo", shots, None, display=args.display, view=view,
                         handler=echo).run()
    except qemu.BootError as error:
        print("demo failed: %s" % error)
        return 1
    except KeyboardInterrupt:
        return 0
    finally:
        shutil.rmtree(shots, ignore_errors=True)
    return 0 if boot.exit_code == 0 else 1


def echo(boot, qmp, kind, text):
    if kind in ("START", "INFO", "CHECK", "DONE"):
        print("  %s %s" % (kind, text))
        sys.stdout.flush()
    return False


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build")
    parser.add_argument("--out", default="out")
    parser.add_argument("--script", default=DEFAULT_SCRIPT, help="the steps to play")
    parser.add_argument("--timeout", type=float, default=600.0, help="seconds for the whole run")
    parser.add_argument("--display", default=DEMO_DISPLAY, choices=sorted(qemu.DISPLAYS),
                        help="the display device (the default: the standard one on a 1024x768 monitor)")
    parser.add_argument("--live", action="store_true", help="open the demo for a person instead")
    args = parser.parse_args()
    return live(args) if args.live else scripted(args)


if __name__ == "__main__":
    sys.exit(main())
