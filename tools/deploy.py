#!/usr/bin/env python3
"""Shipping, end to end, in OVMF built for Secure Boot (QEMU, SMM, TCG):

1. enrol: a blank variable store, the project's test certificate enrolled as
   PK, KEK and db in one boot (tools/enroll_keys.cpp); the store is kept.
2. refuse: a copy of it, the signed front-end with an unsigned shim and a
   driver signed with another key: both refused; the front-end says which and
   why on serial and on the screen, goes on to the driver after the shim, and
   ends.
3. install: another copy, everything signed: both images load under Secure
   Boot, and the front-end's installer writes them as Driver#### options.
4. boot: the same store again: the firmware has loaded both drivers before the
   front-end starts; every firmware check passes with the signed images; an
   unsigned driver, a signed one with a byte changed and one signed with
   another key are each refused by LoadImage and publish nothing; the banner
   answers as the host build's.
5. shell: without Secure Boot, the UEFI shell runs the README's bcfg lines
   (BCFG_LINES) from startup.nsh; on the next boot both drivers, kept only
   under \EFI\orvane\, are loaded before the front-end starts.

Prints one line per result and ends with "deploy: N passed, M failed"; exits 1
on any failure.
"""
import argparse
import os
import re
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
import qemu  # noqa: E402
import signing  # noqa: E402

SHIM = "platform-shim.efi"
DRIVER = "orvane.efi"
# How the README installs the drivers from the UEFI shell.
BCFG_LINES = [
    "fs0:",
    'bcfg driver add 0 \\EFI\\orvane\\platform-shim.efi "Orvane platform shim"',
    'bcfg driver add 1 \\EFI\\orvane\\orvane.efi "Orvane UI toolkit"',
]
# OVMF's text console: 8x19 glyphs, the text area centred on the screen.
GLYPH_WIDTH, GLYPH_HEIGHT = 8, 19


class Run:
    def __init__(self, args):
        self.args = args
        self.results = e2e.Results()
        self.firmware = qemu.firmware("secure")
        keys = os.path.join(args.build, "keys")
        self.key = signing.test_key(keys)
        self.other_key = signing.make_key(keys, "other", "Orvane other key (never enrolled)")
        self.work = tempfile.mkdtemp(prefix="orvane-deploy-")
        self.enrolled = os.path.join(self.work, "vars-enrolled.fd")

    def add(self, name, ok, detail=""):
        self.results.add(name, ok, detail)

    def boot(self, stage, mode, vars_file, firmware=None, silent=False, **options):
        """One boot; silent: nothing of ours reports, the machine just has to shut down."""
        self.results.display = stage
        started = time.monotonic()
        try:
            boot = qemu.Boot(self.args.build, mode, self.args.out, self.args.timeout,
                             prefix="deploy-%s-" % stage, firmware=firmware or self.firmware,
                             vars_file=vars_file, **options).run()
        except qemu.BootError as error:
            self.add("boot", False, str(error))
            return None
        done = boot.first_time("DONE") is not None or (silent and not boot.timed_out)
        self.add("finished", done and not boot.timed_out,
                 "timed out; last lines: %s" % " | ".join("%s %s" % (k, t) for _, k, t in boot.events[-3:])
                 if not done else "shut down after %.1f s" % boot.seconds)
        print("  [%s] boot %.1f s" % (stage, time.monotonic() - started))
        return boot

    def checks(self, boot, expected, unexpected_ok=()):
        """Every CHECK line as a result; an expected one missing fails."""
        seen = set()
        for text in boot.lines("CHECK"):
            name, _, rest = text.partition(" ")
            verdict, _, detail = rest.partition(" ")
            seen.add(name)
            if name not in unexpected_ok:
                self.add(name, verdict == "PASS", detail)
        for name in expected:
            if name not in seen:
                self.add(name, False, "not reported")

    def secure_boot(self, boot):
        modes = [t for t in boot.lines("INFO") if t.startswith("secure-boot ")]
        self.add("secure-boot", modes == ["secure-boot 1 setup-mode 0"],
                 modes[0] if modes else "the front-end did not say")

    # ------------------------------------------------------------ stages
    def enrol(self):
        lists = signing.auth_lists(*self.key, os.path.join(self.work, "lists"))
        boot = self.boot("enrol", "enroll", self.enrolled,
                         images={"EFI/BOOT/BOOTX64.EFI": "enroll-keys.efi", SHIM: None, DRIVER: None},
                         extra={name + ".auth": path for name, path in lists.items()})
        if boot is None:
            return False
        self.checks(boot, ["enroll-db", "enroll-KEK", "enroll-PK"])
        after = [t for t in boot.lines("INFO") if t.startswith("after ")]
        self.add("setup-mode-left", after == ["after setup-mode 0 secure-boot 1"],
                 after[0] if after else "no modes read back")
        return self.results.failed == 0

    def refuse(self):
        vars_file = os.path.join(self.work, "vars-refuse.fd")
        shutil.copy(self.enrolled, vars_file)
        foreign = signing.sign(os.path.join(self.args.build, "efi", DRIVER),
                               os.path.join(self.work, "foreign-" + DRIVER), *self.other_key)
        screen = {}

        def photograph(boot, qmp, kind, text):
            if kind == "SCREENSHOT" and text == "unavailable":
                screen["path"] = os.path.join(self.work, "refused.ppm")
                qmp.screendump(screen["path"], fmt="ppm")
            return False

        boot = self.boot("refuse", "demo", vars_file, sign=self.key, handler=photograph,
                         images={SHIM: None, DRIVER: None},
                         extra={SHIM: os.path.join(self.args.build, "efi", SHIM), DRIVER: foreign})
        if boot is None:
            return
        self.secure_boot(boot)
        said = [t[len("say "):] for t in boot.lines("INFO") if t.startswith("say ")]
        for image, reason in ((SHIM, "not signed"), (DRIVER, "not trusted")):
            told = [i for i, line in enumerate(said) if line.startswith("Orvane: \\%s was refused, Access Denied" % image)]
            ok = len(told) == 1 and told[0] + 1 < len(said) and reason in said[told[0] + 1]
            self.add("told-refused-" + image, ok,
                     " / ".join(said[told[0]:told[0] + 2]) if told else "nothing said of it")
        # The shim's refusal did not stop the front-end trying the driver, and it ended cleanly.
        first = {image: next((i for i, line in enumerate(said) if image in line), None) for image in (SHIM, DRIVER)}
        self.add("carried-on", None not in first.values() and first[SHIM] < first[DRIVER] and
                 "not available" in said[-1], "; ".join(said[-1:]))
        console = [t.split()[1] for t in boot.lines("INFO") if t.startswith("console ")]
        if "path" not in screen or not console:
            self.add("told-on-screen", False, "no screenshot" if console else "no console size")
        else:
            columns, rows = (int(v) for v in console[0].split("x"))
            ok, detail = screen_holds(screen["path"], said, columns, rows)
            self.add("told-on-screen", ok, detail)

    def install(self):
        vars_file = os.path.join(self.work, "vars-installed.fd")
        shutil.copy(self.enrolled, vars_file)
        boot = self.boot("install", "install", vars_file, sign=self.key)
        if boot is None:
            return None
        self.secure_boot(boot)
        loaded = [t for t in boot.lines("INFO") if re.match(r"image \\\S+ loaded$", t)]
        self.add("signed-images-load", len(loaded) == 2, "; ".join(loaded) or "none loaded")
        self.checks(boot, ["driver-loaded", "install"])
        detail = " ".join(t for t in boot.lines("CHECK") if t.startswith("install "))
        numbers = dict((file, int(number, 16)) for number, file in
                       re.findall(r"Driver([0-9A-F]{4}) \\(\S+),", detail))
        order = [int(n, 16) for n in re.findall(r"0x([0-9a-f]+)", detail.partition("DriverOrder")[2])]
        ours = [n for n in order if n in numbers.values()]
        self.add("driver-order", SHIM in numbers and DRIVER in numbers and
                 ours == [numbers[SHIM], numbers[DRIVER]], "options %s, DriverOrder %s" % (numbers, order))
        paths = [t for t in boot.lines("INFO") if t.startswith("say   loading ")]
        self.add("option-paths", len(paths) == 2 and all(p.split()[2].startswith("HD(") for p in paths),
                 "; ".join(p[len("say   loading "):] for p in paths))
        return vars_file if self.results.failed == 0 else None

    def installed_boot(self, vars_file):
        source = os.path.join(self.args.build, "efi", DRIVER)
        refused = {
            "refused/unsigned.efi": source,
            "refused/other-key.efi": signing.sign(source, os.path.join(self.work, "other-key.efi"),
                                                  *self.other_key),
            "refused/altered.efi": altered(signing.sign(source, os.path.join(self.work, "altered.efi"),
                                                        *self.key)),
        }
        boot = self.boot("boot", "e2e", vars_file, sign=self.key, extra=refused)
        if boot is None:
            return
        self.secure_boot(boot)
        present = [t for t in boot.lines("INFO") if "present before the front-end" in t]
        self.add("loaded-at-boot", len(present) == 2, "; ".join(present) or
                 "the front-end found neither driver loaded")
        self.checks(boot, e2e.EXPECTED_CHECKS + ["refused-unsigned", "refused-other-key", "refused-altered"])
        e2e.compare_banner(self.args.build, boot, self.results)
        shot = boot.shots.get("primitives")
        if shot is None or "primitives" in boot.late_shots:
            self.add("primitive-scene", False, "no screenshot in time")
        else:
            e2e.compare_scene(self.args.build, shot, self.args.out, self.results)

    def shell(self):
        vars_file = os.path.join(self.work, "vars-shell.fd")
        plain = qemu.firmware("plain")
        beside = {"EFI/orvane/" + SHIM: SHIM, "EFI/orvane/" + DRIVER: DRIVER, SHIM: None, DRIVER: None}
        script = "\r\n".join(BCFG_LINES + ["reset -s"])
        if self.boot("shell", "e2e", vars_file, firmware=plain, silent=True, files={"startup.nsh": script},
                     images=dict(beside, **{"EFI/BOOT/BOOTX64.EFI": None})) is None:
            return
        boot = self.boot("shell-boot", "e2e", vars_file, firmware=plain, images=beside)
        if boot is None:
            return
        present = [t for t in boot.lines("INFO") if "present before the front-end" in t]
        self.add("loaded-at-boot", len(present) == 2, "; ".join(present) or
                 "the front-end found neither driver loaded")
        self.checks(boot, e2e.EXPECTED_CHECKS)

    def run(self):
        try:
            if self.enrol():
                self.refuse()
                vars_file = self.install()
                if vars_file is not None:
                    self.installed_boot(vars_file)
            self.shell()
        finally:
            shutil.rmtree(self.work, ignore_errors=True)


def altered(path):
    """Changes one byte in the middle of the image, well inside its sections
    and away from the signature at the end."""
    with open(path, "r+b") as f:
        size = f.seek(0, 2)
        f.seek(size // 2)
        byte = f.read(1)
        f.seek(size // 2)
        f.write(bytes([byte[0] ^ 0x01]))
    return path


def screen_holds(ppm, lines, columns, rows):
    """Whether the console area of the screen holds exactly these lines: each
    text row lit from its first to its last character, nothing lit below."""
    width, height, pixels = qemu.read_ppm(ppm)
    left = (width - columns * GLYPH_WIDTH) // 2
    top = (height - rows * GLYPH_HEIGHT) // 2
    expected = []
    for line in lines:
        while True:
            expected.append(line[:columns])
            line = line[columns:]
            if not line:
                break
    for row in range(rows):
        lit = [x for y in range(top + row * GLYPH_HEIGHT, top + (row + 1) * GLYPH_HEIGHT)
               for x in range(left, left + columns * GLYPH_WIDTH)
               if pixels[(y * width + x) * 3:(y * width + x) * 3 + 3] != b"\0\0\0"]
        text = expected[row] if row < len(expected) else ""
        if not text.strip():
            if lit:
                return False, "row %d should be empty, %d pixels lit" % (row, len(lit))
            continue
        first = len(text) - len(text.lstrip())
        last = len(text.rstrip()) - 1
        span = ((min(lit) - left) // GLYPH_WIDTH, (max(lit) - left) // GLYPH_WIDTH) if lit else None
        if span != (first, last):
            return False, "row %d lit over columns %s, its text over %d..%d: %r" % (row, span, first, last, text)
    return True, "%d lines in %d console rows of %d columns, as said on serial" % (
        len(lines), len(expected), columns)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build")
    parser.add_argument("--out", default="out/deploy", help="where screenshots are kept")
    parser.add_argument("--timeout", type=float, default=180.0, help="seconds for each boot")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    started = time.monotonic()
    run = Run(args)
    run.run()
    print("  deploy run %.1f s" % (time.monotonic() - started))
    print("deploy: %d passed, %d failed" % (run.results.passed, run.results.failed))
    return 0 if run.results.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
