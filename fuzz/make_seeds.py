#!/usr/bin/env python3
"""Writes the seed corpus of the control fuzzers (fuzz/corpus/<target>/).

Each seed is one of the records the unit tests and the demo use, encoded in
the order the target reads its input (see FuzzInput in fuzz_env.h), so every
run starts from well-formed controls and mutates from there. Run it again
after changing the order a target reads in; commit what it writes.
"""
import hashlib
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
FAR_COORDS = [-2**31, -2**31 + 1, -70000, -32768, -1, 1023, 1024, 32767, 70000, 2**31 - 1]
FAR_SIZES = [-2**31, -70000, -1, 0, 1, 65535, 70000, 2**31 - 1]


class Enc:
    def __init__(self):
        self.b = bytearray()

    def u8(self, v):
        self.b += struct.pack('<B', v & 0xFF)
        return self

    def u16(self, v):
        self.b += struct.pack('<H', v & 0xFFFF)
        return self

    def i32(self, v):
        self.b += struct.pack('<I', v & 0xFFFFFFFF)
        return self

    def range(self, v, lo, hi):
        assert lo <= v <= hi, (v, lo, hi)
        return self.i32(v - lo)

    def far(self, table, v):
        # Kind >= 224 picks table[Kind % len].
        for kind in range(224, 256):
            if table[kind % len(table)] == v:
                return self.u8(kind)
        raise ValueError(v)

    def coord(self, v):
        if -300 <= v <= 1300:
            return self.u8(0).range(v, -300, 1300)
        return self.far(FAR_COORDS, v)

    def size1(self, v):
        if -20 <= v <= 1100:
            return self.u8(0).range(v, -20, 1100)
        return self.far(FAR_SIZES, v)

    def size(self, w, h):
        return self.size1(w).size1(h)

    def text(self, s, limit):
        assert len(s) <= limit
        self.u8(len(s))
        for c in s:
            o = ord(c)
            if 0x20 <= o < 0x7F:
                self.u8(o - 0x20)
            elif c == '\n':
                self.u8(200)
            else:
                self.u8(255).u16(o)
        return self


def list_popup():
    items12 = ['Boot order', 'Fan speed', 'Memory', 'Clock', 'Voltage', 'Display', 'Network', 'Storage',
               'Audio', 'Power', 'USB', 'Security']
    for capture, (x, y, w, h, title, items, flags, hot) in enumerate([
            (10, 10, 300, 200, 'Title', ['Entry %d' % i for i in range(6)], 0, -1),
            (100, 80, 300, 200, 'Pick one', items12, 0, 2),
            (40, 60, 120, 90, 'A title wider than the window', ['x', 'y'], 2, 0),
            (900, 700, 300, 400, 'Edge', items12 * 3, 0x10, 5)]):
        e = Enc().u8(capture).coord(x).coord(y).size(w, h).text(title, 40).u8(len(items))
        for it in items:
            e.text(it, 30)
        e.u16(flags).u16(hot).u8(1)
        # paint, scroll down, hit test a row, view, paint
        e.u8(0).u8(1).u16(3).u8(0).i32(2).u8(2).coord(x + 40).coord(y + 82).u16(1).u8(3).u8(0)
        yield e.b


def message_box():
    for capture, (x, y, w, h, lines, captions) in enumerate([
            (50, 60, 0, 0, ['Line one\nLine two'], ['Yes', 'No']),
            (200, 200, 0, 0, ['Save the changes\nand leave?', 'Unsaved work is lost.'], ['Yes', 'No', 'Cancel']),
            (0, 0, 600, 300, ['A'], []),
            (980, 740, 0, 0, ['Near the corner'], ['OK'])]):
        e = Enc().u8(capture).coord(x).coord(y).size(w, h).u8(len(lines)).u8(len(captions))
        for t in lines:
            e.text(t, 60)
        for t in captions:
            e.text(t, 12)
        e.u8(0).coord(x + 40).coord(y + 100).u8(1).u16(1).u16(1).u8(2).u8(1).u16(2).u16(2).u8(2)
        yield e.b


def input_dialog():
    for capture, (x, y, w, h, title, prompt, text, maxc, plain, buttons) in enumerate([
            (10, 10, 100, 100, 'Title', 'Name', 'x', 8, 0, 3),
            (150, 150, 420, 260, 'Password', 'Enter it', 'secret', 12, 0, 2),
            (300, 200, 500, 200, 'Name', '', 'A long typed text that overflows', 20, 1, 1),
            (-20, 700, 200, 150, '', 'Prompt', '', 0, 1, 0)]):
        e = Enc().u8(capture).coord(x).coord(y).size(w, h).text(title, 40).text(prompt, 30).text(text, 80)
        e.u8(7).u8(0).range(maxc, 0, 90).u8(plain).u8(buttons)
        for c in ('OK', 'Cancel', 'Retry'):
            e.text(c, 12)
        e.u8(2).u8(0).coord(x + 60).coord(y + 200).u8(1).u16(4).u8(1).u8(2).u16(0).u8(2)
        yield e.b


def setting_row():
    for capture, (x, y, w, lw, sl, steps, label, value, flags, kind, chevron) in enumerate([
            (100, 50, 400, 150, 116, 5, 'Fan', 'Auto', 0, 2, 0),
            (100, 50, 400, 150, 116, 0, 'Brightness', '75%', 1, 4, 1),
            (20, 700, 300, 300, 100, 12, 'Wide label', None, 2, 2, 0),
            (0, 0, 1024, 200, 500, 3, None, 'Value', 0, 0, 1)]):
        e = Enc().u8(capture).coord(x).coord(y)
        e.u8(0).range(w, 0, 1100).u8(0).range(lw, 0, 600).u8(0).range(sl, 0, 600).u8(0).range(steps, 0, 12)
        e.text(label or '', 40).text(value or '', 40)
        e.u8((label is not None) | (value is not None) << 1 | chevron << 2).u16(flags).u16(kind)
        e.u8(2).u8(0).coord(x + lw + 60).coord(y + 8).u8(2).u8(1).u16(50).u16(2).u8(1).u16(2).u16(1).u8(2)
        yield e.b


def digit_readout():
    for capture, (x, y, text, size, cap) in enumerate([
            (100, 100, '12:34', 0, 1), (10, 20, '5', 1, 1), (960, 700, '-5', 2, 1), (300, 300, '12:34:56', 0, 0),
            (5, 5, '1234', 2, 1), (0, 0, '', 1, 1)]):
        e = Enc().u8(capture & 1).coord(x).coord(y)
        e.text(text, 300).u8(0).range(size, 0, 2).u8(cap).u8(1).u8(0).u8(0)
        yield e.b


def icon_dock():
    for capture, (x, y, count) in enumerate([(120, 300, 6), (20, 30, 9), (120, 600, 4), (900, 100, 16),
                                             (0, 700, 1)]):
        e = Enc().u8(capture & 1).u8(0).range(x, -100, 1100).coord(y).u8(count)
        for i in range(count):
            e.text('item ' + chr(ord('A') + i), 60).u16(i * 0x13 | (0x10 if i == 0 else 0)).u8(i & 1)
        # hover, keys right twice, press and drag, paint
        e.u8(0).u8(0).range(x + 20, x - 20, x + (count * 51 - 5) + 20).range(y + 10, y - 10, y + 60).u8(2).u8(0)
        e.u8(1).u8(1).u8(2).u8(2).u8(1).u8(1).u8(2).u8(2).u8(3)
        e.u8(0).u8(0).range(x + min(60, count * 51 - 25), x - 20, x + (count * 51 - 5) + 20).range(y + 10, y - 10, y + 60).u8(1).u8(0)
        e.u8(0).u8(0).range(x + min(110, count * 51 - 25), x - 20, x + (count * 51 - 5) + 20).range(y + 10, y - 10, y + 60).u8(1).u8(0)
        e.u8(3)
        # placed again further right (the strip kept), then further left (refused), paint
        e.u8(4).range(min(x + 30, 1074), -100, 1100).coord(y + 20).u8(4).range(x - 10, -100, 1100).coord(y)
        e.u8(3)
        yield e.b


def option_popup():
    four = ['Disk', 'Network', 'Shell', 'USB stick']
    for capture, (x, y, kind, title, items) in enumerate([
            (100, 100, 0, 'Boot', four), (900, 100, 3, 'Thirteen', ['Item %d' % i for i in range(13)]),
            (300, 100, 0, 'Boot', four), (10, 10, 4, 't', ['only']), (5, 7, 8, 'Last', four[:2])]):
        e = Enc().u8(capture & 1).coord(x).coord(y).u8(kind).u8(len(items)).text(title, 40)
        for it in items:
            e.text(it, 40)
        e.u8(0)
        # paint, keys down, press on an item, drag, release, paint, close
        e.u8(4).u8(0).u8(1).u8(kind).u8(2).u8(2)
        e.u8(0).u8(0).range(x + 60, x - 20, x + 335).range(y + 100, y - 20, y + 63 + 45 * len(items) + 45).u8(kind)
        e.u8(1).u8(0)
        e.u8(1).u8(0).range(x + 60, x - 20, x + 335).range(y + 150, y - 20, y + 63 + 45 * len(items) + 45).u8(kind)
        e.u8(1).u8(0)
        e.u8(4).u8(3)
        yield e.b


def status_controls():
    e = Enc().u8(0)
    e.coord(100).coord(100).size(420, 180).u8(0)
    for t in ('CPU', 'Fan', '42 C', '1200 rpm'):
        e.text(t, 20)
    e.u8(15).u8(0).range(42, -10, 110).u8(0).range(77, -10, 110)
    e.coord(50).coord(400).size(600, 40).u8(1).u8(1).u8(0).range(200, -5, 1100).u8(1)
    e.coord(500).coord(500).size(120, 90).u8(2).u8(1)
    e.coord(700).coord(100).size(0, 0).u8(3).u16(300).u16(40).u16(10).u16(5).u8(2).coord(705).coord(160)
    yield e.b
    e = Enc().u8(1)
    e.coord(980).coord(720).size(80, 60).u8(2).u8(1)
    e.coord(0).coord(0).size(0, 0).u8(4).u16(20).u16(700).u16(500)
    e.coord(1000).coord(600).size(0, 0).u8(3).u16(50).u16(3).u16(5).u16(0).u8(1).coord(1005).coord(605)
    e.coord(-40).coord(10).size(300, 30).u8(1).u8(1).u8(0).range(-3, -5, 1100).u8(0)
    yield e.b


def progress_bar():
    for mode, (w, h, pct, label) in enumerate([(400, 30, 52, 'Copying'), (400, 30, 53, 'Copying'),
                                               (200, 10, 150, 'Full'), (120, 20, -5, ''), (3, 1, 50, 'Tiny')]):
        far = not -5 <= pct <= 105
        e = Enc().u8((mode & 1) | 2 | far << 5).range(w, -4, 700).range(h, -4, 120)
        e = (e.i32(pct) if far else e.range(pct, -5, 105)).text(label, 60).i32(0).i32(0)
        yield e.b


TARGETS = {
    'fuzz_list_popup': list_popup,
    'fuzz_message_box': message_box,
    'fuzz_input_dialog': input_dialog,
    'fuzz_setting_row': setting_row,
    'fuzz_digit_readout': digit_readout,
    'fuzz_icon_dock': icon_dock,
    'fuzz_option_popup': option_popup,
    'fuzz_status_controls': status_controls,
    'fuzz_progress_bar': progress_bar,
}


def main():
    for name, make in TARGETS.items():
        folder = os.path.join(HERE, 'corpus', name)
        os.makedirs(folder, exist_ok=True)
        for data in make():
            path = os.path.join(folder, 'seed-' + hashlib.sha1(bytes(data)).hexdigest()[:16])
            with open(path, 'wb') as f:
                f.write(bytes(data))
    return 0


if __name__ == '__main__':
    sys.exit(main())
