#!/usr/bin/env python3
"""The scripted demo runner without QEMU: a fake machine answers its QMP
commands and a fake screen is photographed, so the order of inputs,
READY waits, screenshots and checks can be followed exactly."""
import os
import struct
import sys
import tempfile
import unittest
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import qemu  # noqa: E402
import run_demo  # noqa: E402
import script_steps as s  # noqa: E402


def write_ppm(path, width, height, colour_at):
    body = bytearray()
    for y in range(height):
        for x in range(width):
            c = colour_at(x, y)
            body += bytes(((c >> 16) & 255, (c >> 8) & 255, c & 255))
    with open(path, "wb") as f:
        f.write(b"P6\n# made by a test\n%d %d\n255\n" % (width, height) + bytes(body))


class FakeMachine:
    """Records what the runner does, in order; the screen is a colour function."""

    def __init__(self, out):
        self.out = out
        self.log = []
        self.screen = lambda x, y: 0
        self.shots = {}
        self.running = True
        self.size = (8, 6)

    # qmp
    def key(self, name):
        self.log.append(("key", name))

    def move(self, x, y):
        self.log.append(("move", x, y))

    def button(self, name, down):
        self.log.append(("button", name, down))

    def command(self, name, **arguments):
        assert name in ("stop", "cont")
        self.running = name == "cont"

    def screendump(self, path, fmt="png"):
        assert not self.running, "photographed a running machine"
        write_ppm(path, *self.size, self.screen)

    # boot
    def shoot(self, qmp, name):
        self.log.append(("shot", name))
        path = os.path.join(self.out, name + ".png")
        qmp.screendump(path)
        self.shots[name] = path
        return path


class Clock:
    def __init__(self):
        self.now = 0.0

    def __call__(self):
        return self.now


class PlayerTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.machine = FakeMachine(self.dir.name)
        self.clock = Clock()

    def tearDown(self):
        self.dir.cleanup()

    def player(self, steps):
        return run_demo.Player(steps, self.dir.name, clock=self.clock, input_timeout=5, start_timeout=50,
                               leave_timeout=100)

    def ready(self, player, n):
        return player(self.machine, self.machine, "READY", str(n))

    def test_each_input_waits_until_the_one_before_is_counted(self):
        steps = [s.step("start", "first"),
                 s.step("walk", "inputs", [s.key("down"), s.move(10, 20), s.move(10, 20),
                                           s.click(10, 20), s.release()]),
                 s.step("end", "last", [s.key("esc")])]
        p = self.player(steps)
        log = self.machine.log
        self.assertFalse(p(self.machine, self.machine, "INFO", "x"))
        self.assertEqual(log, [])
        self.assertFalse(self.ready(p, 0))
        self.assertEqual(log, [("shot", "step-00-start"), ("key", "down")])
        self.assertFalse(self.ready(p, 0))  # said again: nothing new
        self.assertEqual(len(log), 2)
        self.ready(p, 1)
        self.assertEqual(log[2:], [("move", s.to_tablet(10, 1024), s.to_tablet(20, 768))])
        # The same place again sends nothing; the click's move neither; then the press.
        self.ready(p, 2)
        self.assertEqual(log[3:], [("button", "left", True)])
        self.ready(p, 3)
        self.assertEqual(log[4:], [("button", "left", False)])
        # Releasing a released button sends nothing: the step is complete.
        self.ready(p, 4)
        self.assertEqual(log[5:], [("shot", "step-01-walk"), ("key", "esc")])
        self.assertFalse(p.finished)
        self.assertTrue(self.ready(p, 5))
        self.assertEqual(log[7:], [("shot", "step-02-end")])
        self.assertTrue(p.finished and not p.problems)
        self.assertTrue(self.machine.running)

    def test_counts_from_the_first_ready(self):
        p = self.player([s.step("a", "", [s.key("up"), s.key("up")])])
        self.ready(p, 7)
        self.ready(p, 7)
        self.assertEqual(self.machine.log, [("key", "up")])
        self.assertFalse(self.ready(p, 8))
        self.assertEqual(self.machine.log, [("key", "up"), ("key", "up")])
        self.assertTrue(self.ready(p, 9))
        self.assertEqual(self.machine.log[-1], ("shot", "step-00-a"))

    def test_gives_up_on_a_quiet_front_end(self):
        p = self.player([s.step("a", "", [s.key("up"), s.key("down")])])
        self.clock.now = 49
        self.assertFalse(p(self.machine, self.machine, None, None))
        self.clock.now = 51
        self.assertTrue(p(self.machine, self.machine, None, None))
        self.assertEqual(p.problems, ["the front-end never reported READY"])

        p = self.player([s.step("a", "", [s.key("up"), s.key("down")])])
        self.clock.now = 100
        self.ready(p, 0)
        self.clock.now = 104
        self.assertFalse(p(self.machine, self.machine, None, None))
        self.clock.now = 106
        self.assertTrue(p(self.machine, self.machine, None, None))
        self.assertIn("counted 0 events, the runner sent 1", p.problems[0])
        self.assertTrue(p(self.machine, self.machine, "READY", "soon"))
        self.assertIn("unreadable", p.problems[1])

    def test_a_leaving_step_ends_with_the_machine(self):
        p = self.player([s.step("a", "first"), s.step("exit", "leaves", [s.key("down"), s.key("ret")], leaves=True)])
        self.machine.shots["fade"] = "fade.png"
        self.ready(p, 0)
        self.assertFalse(p(self.machine, self.machine, "SCREENSHOT", "fade"))
        self.assertFalse(self.ready(p, 1))
        self.assertEqual(self.machine.log[-1], ("key", "ret"))
        # No READY is awaited for the last key, and none is read: the front-end goes.
        self.assertFalse(self.ready(p, 2))
        self.assertFalse(p(self.machine, self.machine, "SCREENSHOT", "fade"))
        self.assertEqual(p.order, [("step", 0), ("own", "fade"), ("own", "fade")])
        self.clock.now = 30
        self.assertFalse(p(self.machine, self.machine, None, None))
        self.assertFalse(p.finished)
        p.ended()
        self.assertTrue(p.finished and not p.problems)
        self.assertEqual([e[0] for e in self.machine.log], ["shot", "key", "key"])

        q = self.player([s.step("exit", "", [s.key("ret")], leaves=True)])
        self.ready(q, 0)
        self.clock.now = 200
        self.assertTrue(q(self.machine, self.machine, None, None))
        q.ended()
        self.assertFalse(q.finished)
        self.assertEqual(q.problems, ["the front-end did not shut down after step exit"])
        with self.assertRaises(ValueError):
            s.step("x", "", [s.key("ret")], [s.pixel(0, 0, 0)], leaves=True)

    def test_checks_on_the_pictures(self):
        steps = [s.step("plain", "", checks=[s.pixel(0, 0, 0x102030), s.region(0, 0, 8, 6, 0x102030)]),
                 s.step("marked", "", [s.key("a")],
                        checks=[s.pixel(3, 2, 0xFF0000), s.region(0, 0, 8, 2, 0x102030),
                                s.region(2, 2, 2, 1, 0xFF0000), s.same_as("plain", 0, 0, 8, 2),
                                s.same_as("plain", 0, 0, 8, 6), s.differs_from("plain", 3, 2, 1, 1),
                                s.differs_from("plain", 0, 3, 8, 3), s.same_as("later", 0, 0, 1, 1),
                                s.region(6, 5, 3, 1, 0x102030)])]
        p = self.player(steps)
        self.machine.screen = lambda x, y: 0x102030
        self.ready(p, 0)
        self.machine.screen = lambda x, y: 0xFF0000 if (x, y) == (3, 2) else 0x102030
        self.ready(p, 1)
        verdicts = [ok for _, _, outcomes in p.results for ok, _ in outcomes]
        self.assertEqual(verdicts, [True, True, True, True, False, True, False, True, False, False, False])
        texts = [text for ok, text in p.results[1][2]]
        self.assertIn("1 pixels not ff0000, first (2,2) is 102030", texts[2])
        self.assertIn("1 pixels differ from plain", texts[4])
        self.assertIn("no earlier step later", texts[7])
        self.assertIn("outside the 8x6 screen", texts[8])

        page = run_demo.write_index(self.dir.name, [
            (st["name"], st["caption"] + " <&>", path, outcomes) for st, path, outcomes in p.results],
            ["a problem"])
        with open(page) as f:
            text = f.read()
        self.assertLess(text.index("step-00-plain.png"), text.index("step-01-marked.png"))
        self.assertIn("&lt;&amp;&gt;", text)
        self.assertEqual(text.count("FAIL"), 5)
        self.assertIn("a problem", text)

    def test_a_larger_panel_moves_inputs_and_checks_to_the_layout(self):
        # The layout at (2, 1) of a 1028x770 panel; one margin pixel is wrong in
        # the second picture. On a 1024x768 panel there is no margin to check.
        inside = lambda x, y: 2 <= x < 1026 and 1 <= y < 769  # noqa: E731
        p = self.player([
            s.step("placed", "", checks=[s.margin(0x080E13), s.pixel(0, 0, 0x00FF00),
                                         s.pixel(1023, 767, 0x0000FF)]),
            s.step("moved", "", [s.move(1023, 767)], checks=[s.margin(0x080E13),
                                                               s.same_as("placed")])])
        self.machine.size = (1028, 770)
        self.machine.screen = lambda x, y: (0x00FF00 if (x, y) == (2, 1) else 0x0000FF
                                            if (x, y) == (1025, 768) else 0x123456
                                            if inside(x, y) else 0x080E13)
        self.assertFalse(p(self.machine, self.machine, "INFO", "panel 1028x770, layout at 2,1"))
        self.ready(p, 0)
        self.assertEqual(self.machine.log[-1], ("move", s.to_tablet(1025, 1028), s.to_tablet(768, 770)))
        placed = self.machine.screen
        self.machine.screen = lambda x, y: 0xFFFFFF if (x, y) == (1027, 5) else placed(x, y)
        self.ready(p, 1)
        outcomes = [outcome for _, _, each in p.results for outcome in each]
        self.assertEqual([ok for ok, _ in outcomes], [True, True, True, False, True])
        self.assertIn("the 5128 pixels around the layout are 080e13", outcomes[0][1])
        self.assertIn("1 of 5128 pixels not 080e13, first at screen (1027,5)", outcomes[3][1])

        q = self.player([s.step("full", "", checks=[s.margin(0x080E13)])])
        self.machine.size = (1024, 768)
        q(self.machine, self.machine, "INFO", "panel 1024x768, layout at 0,0")
        self.ready(q, 0)
        self.assertEqual(q.results[0][2], [(False, "margin: the layout fills the 1024x768 screen")])

    def test_tablet_values_give_every_pixel_back(self):
        for size in (1024, 768, 1920, 1080):
            values = [s.to_tablet(p, size) for p in range(size)]
            self.assertEqual([s.to_pixel(v, size) for v in values], list(range(size)))
            self.assertEqual((values[0], values[-1]), (0, s.TABLET_MAX))
        with self.assertRaises(ValueError):
            s.move(1024, 0)
        with self.assertRaises(ValueError):
            s.move(0, -1)
        self.assertEqual([i[0] for i in s.step("d", "", [s.drag(0, 0, 40, 0, steps=2)])["inputs"]],
                         ["move", "button", "move", "move", "button"])


class ScreendumpTest(unittest.TestCase):
    """A QEMU without PNG screendumps gets PPM ones, turned into PNG here."""

    def test_ppm_becomes_the_same_png(self):
        with tempfile.TemporaryDirectory() as work:
            colour = lambda x, y: (x * 40) << 16 | (y * 50) << 8 | (x + y)  # noqa: E731
            asked = []

            def command(name, **arguments):
                asked.append(arguments.get("format"))
                if "format" in arguments:
                    raise qemu.BootError("QMP screendump failed: Parameter 'format' is unexpected")
                write_ppm(arguments["filename"], 5, 3, colour)

            qmp = qemu.Qmp.__new__(qemu.Qmp)
            qmp.png_dumps = True
            qmp.command = command
            path = os.path.join(work, "shot.png")
            qmp.screendump(path)
            qmp.screendump(path)
            self.assertEqual(asked, ["png", None, None])  # asked for PNG once only
            self.assertEqual(os.listdir(work), ["shot.png"])

            with open(path, "rb") as f:
                data = f.read()
            self.assertEqual(data[:8], b"\x89PNG\r\n\x1a\n")
            chunks, at = {}, 8
            while at < len(data):
                length, kind = struct.unpack(">I4s", data[at:at + 8])
                body = data[at + 8:at + 8 + length]
                self.assertEqual(struct.unpack(">I", data[at + 8 + length:at + 12 + length])[0],
                                 zlib.crc32(kind + body), kind)
                chunks[kind] = body
                at += 12 + length
            self.assertEqual(list(chunks), [b"IHDR", b"IDAT", b"IEND"])
            self.assertEqual(struct.unpack(">IIBBBBB", chunks[b"IHDR"]), (5, 3, 8, 2, 0, 0, 0))
            rows = zlib.decompress(chunks[b"IDAT"])
            want = b"".join(b"\0" + b"".join(bytes((colour(x, y) >> 16, colour(x, y) >> 8 & 255,
                                                      colour(x, y) & 255)) for x in range(5)) for y in range(3))
            self.assertEqual(rows, want)

    def test_other_errors_are_not_hidden(self):
        def command(name, **arguments):
            raise qemu.BootError("QMP screendump failed: no display")
        qmp = qemu.Qmp.__new__(qemu.Qmp)
        qmp.png_dumps = True
        qmp.command = command
        with self.assertRaises(qemu.BootError):
            qmp.screendump("/nonexistent/shot.png")


if __name__ == "__main__":
    unittest.main()
