"""Boots the setup front-end in QEMU/OVMF and follows it over the serial port.

The front-end reports on serial only. A line "SCREENSHOT <name>" means the
screen is ready to be photographed: the machine is stopped through QMP, the
screen is dumped as PNG and the machine runs on. The front-end stalls after
the marker and then prints "SCREENSHOT-END <name>"; if that line is already in
the log when the machine has been stopped, the picture came too late and is
reported as such.

A line "INPUT abs <x> <y>", "INPUT btn <left|right> <down|up>" or
"INPUT key <qcode>" asks for real input, which is sent through QMP: the
pointer is QEMU's USB tablet behind an xHCI controller, the keys go to the
keyboard. A line "READY <n>" says the front-end has handled n input events
and its screen is settled; a scripted run (tools/run_demo.py) waits for it.

The firmware is a code image and a variable store of the same flash size
(Firmware); a boot may keep its variable store in a file across boots, sign
the images while it lays out the volume, and put other files beside them.
"""
import json
import os
import re
import shutil
import socket
import struct
import subprocess
import tempfile
import time
import zlib

import signing

OVMF_DIR = "/usr/share/OVMF"
OVMF_CODE = os.path.join(OVMF_DIR, "OVMF_CODE.fd")
OVMF_VARS = os.path.join(OVMF_DIR, "OVMF_VARS.fd")
# Where each file of the volume comes from: a name under <build>/efi.
DEFAULT_LAYOUT = {
    "EFI/BOOT/BOOTX64.EFI": "setup-demo.efi",
    "orvane.efi": "orvane.efi",
    "platform-shim.efi": "platform-shim.efi",
}

# The display devices a boot can use, as QEMU options.
DISPLAYS = {
    "std": ["-vga", "std"],
    "virtio": ["-vga", "none", "-device", "virtio-gpu-pci"],
    "cirrus": ["-vga", "cirrus"],
    "bochs": ["-vga", "none", "-device", "bochs-display"],
    "ramfb": ["-vga", "none", "-device", "ramfb"],
}


def panel_display(width, height):
    """The name of the standard VGA on a monitor whose preferred mode is width x
    height (its EDID), registered in DISPLAYS: OVMF starts in that mode and lists
    it first."""
    name = "std-%dx%d" % (width, height)
    DISPLAYS[name] = ["-vga", "none", "-device", "VGA,xres=%d,yres=%d" % (width, height)]
    return name


# The pointer: QEMU's USB tablet (vendor 0x0627, product 0x0001) on xHCI. The
# platform shim gives it an Absolute Pointer where the firmware has no driver.
INPUT_DEVICES = ["-device", "qemu-xhci,id=xhci", "-device", "usb-tablet,id=tablet,bus=xhci.0"]
TABLET_MAX = 0x7FFF

# How a live run shows the screen: a window where a desktop exists, else VNC.
VNC_ADDRESS = "127.0.0.1:0"  # display :0 is TCP port 5900

MARKER = re.compile(r"(START|CHECK|SCREENSHOT-END|SCREENSHOT|MIDWAY|INFO|INPUT|READY|DONE)\b ?(.*)")
# A "MIDWAY <name>" line announces a transition; its picture is taken this
# long after, while the transition runs, when midway pictures are wanted.
MIDWAY_DELAY = 0.2


class BootError(Exception):
    pass


# OVMF is built for a flash of 2 MiB or 4 MiB, split into code and variables.
FLASH_SIZES = (2 << 20, 4 << 20)


def check_pair(code, variables):
    """Refuses a code image and a variable store of different flash sizes: a
    2 MiB store behind 4 MiB code accepts SetVariable and keeps nothing, and
    2 MiB code with a 4 MiB store hangs before it prints anything."""
    code_size, vars_size = os.path.getsize(code), os.path.getsize(variables)
    flash = FLASH_SIZES[0] if code_size < FLASH_SIZES[0] else FLASH_SIZES[1]
    if code_size + vars_size == flash:
        return
    if flash == FLASH_SIZES[1]:
        consequence = "the firmware would accept SetVariable and keep nothing"
    else:
        consequence = "the firmware would hang at start"
    raise BootError("%s (%d KiB) is code for a %d MiB flash, but %s holds %d KiB of variables "
                    "where %d KiB belong: %s; use the variable store made for it" % (
                        code, code_size >> 10, flash >> 20, variables, vars_size >> 10,
                        (flash - code_size) >> 10, consequence))


class Firmware:
    """An OVMF code image and the blank variable store made for it.
    smm: True or False, or None for QEMU's default; code built for Secure
    Boot needs SMM and the flash's secure mode, and gets them."""

    def __init__(self, code, variables, smm=None):
        self.code = code
        self.variables = variables
        self.secure = "secboot" in os.path.basename(os.path.realpath(code))
        if self.secure and smm is False:
            raise BootError("%s runs only with SMM" % code)
        self.smm = True if self.secure else smm

    def options(self, vars_file):
        """QEMU's machine and flash options for this firmware with vars_file."""
        check_pair(self.code, vars_file)
        machine = "q35" if self.smm is None else "q35,smm=%s" % ("on" if self.smm else "off")
        options = ["-machine", machine]
        if self.secure:
            options += ["-global", "driver=cfi.pflash01,property=secure,value=on"]
        return options + [
            "-drive", "if=pflash,format=raw,unit=0,readonly=on,file=" + self.code,
            "-drive", "if=pflash,format=raw,unit=1,file=" + vars_file,
        ]


# The firmware pairs Debian's ovmf package ships.
FIRMWARES = {
    # 2 MiB flash, with the UEFI shell; what the runs use unless told otherwise.
    "plain": (OVMF_CODE, OVMF_VARS),
    "plain-4m": (os.path.join(OVMF_DIR, "OVMF_CODE_4M.fd"), os.path.join(OVMF_DIR, "OVMF_VARS_4M.fd")),
    # Secure Boot capable, no keys enrolled: setup mode, nothing enforced yet.
    "secure": (os.path.join(OVMF_DIR, "OVMF_CODE_4M.secboot.fd"),
               os.path.join(OVMF_DIR, "OVMF_VARS_4M.fd")),
    # Debian's snakeoil keys enrolled (PkKek-1-snakeoil.key and .pem sign for it).
    "snakeoil": (os.path.join(OVMF_DIR, "OVMF_CODE_4M.snakeoil.fd"),
                 os.path.join(OVMF_DIR, "OVMF_VARS_4M.snakeoil.fd")),
}


def firmware(name, smm=None):
    if name not in FIRMWARES:
        raise BootError("unknown firmware %s (one of %s)" % (name, ", ".join(FIRMWARES)))
    return Firmware(*FIRMWARES[name], smm=smm)


class Qmp:
    """A minimal QMP client: one command at a time, events skipped."""

    def __init__(self, path, deadline, process):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        while True:
            try:
                self.sock.connect(path)
                break
            except (FileNotFoundError, ConnectionRefusedError):
                if process.poll() is not None:
                    output = process.communicate()[0].decode(errors="replace").strip()
                    raise BootError("QEMU exited with %s: %s" % (process.returncode, output))
                if time.monotonic() > deadline:
                    raise BootError("QMP socket did not open")
                time.sleep(0.05)
        self.sock.settimeout(30)
        self.png_dumps = True
        self.buffer = b""
        self._read()  # greeting
        self.command("qmp_capabilities")

    def _read(self):
        while b"\n" not in self.buffer:
            chunk = self.sock.recv(65536)
            if not chunk:
                raise BootError("QMP connection closed")
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        return json.loads(line)

    def command(self, name, **arguments):
        message = {"execute": name}
        if arguments:
            message["arguments"] = arguments
        self.sock.sendall(json.dumps(message).encode() + b"\n")
        while True:
            reply = self._read()
            if "return" in reply:
                return reply["return"]
            if "error" in reply:
                raise BootError("QMP %s failed: %s" % (name, reply["error"].get("desc")))

    def close(self):
        self.sock.close()

    # Input. Each kind of event goes in its own command: QEMU rejects a whole
    # command when one of its events finds no device that takes it. Pointer
    # events go to the device that took pointer input last: the tablet, once
    # its driver polls it.
    def _send(self, *events):
        self.command("input-send-event", events=list(events))

    def move(self, x, y):
        """Moves the tablet to (x, y) in its own units, 0..TABLET_MAX."""
        for axis, value in (("x", x), ("y", y)):
            if not 0 <= value <= TABLET_MAX:
                raise BootError("tablet %s %d outside 0..%d" % (axis, value, TABLET_MAX))
        # One command, so both axes arrive in the same report.
        self._send({"type": "abs", "data": {"axis": "x", "value": x}},
                   {"type": "abs", "data": {"axis": "y", "value": y}})

    def button(self, name, down):
        self._send({"type": "btn", "data": {"down": bool(down), "button": name}})

    def key(self, qcode):
        """Presses and releases one key, named by its QEMU qcode ("ret", "esc", "up", "a")."""
        for down in (True, False):
            self._send({"type": "key", "data": {"down": down, "key": {"type": "qcode", "data": qcode}}})

    def perform(self, request):
        """Carries out an INPUT request of the front-end: "abs X Y", "btn NAME down|up", "key QCODE"."""
        words = request.split()
        if len(words) == 3 and words[0] == "abs":
            self.move(int(words[1]), int(words[2]))
        elif len(words) == 3 and words[0] == "btn" and words[2] in ("down", "up"):
            self.button(words[1], words[2] == "down")
        elif len(words) == 2 and words[0] == "key":
            self.key(words[1])
        else:
            raise BootError("cannot carry out INPUT %s" % request)

    def screendump(self, path, fmt="png"):
        """The screen as PNG or PPM. A QEMU older than 7.1 knows no format: it
        writes PPM, which is then turned into PNG here."""
        path = os.path.abspath(path)
        if fmt == "ppm":
            self.command("screendump", filename=path)
            return
        if self.png_dumps:
            try:
                self.command("screendump", filename=path, format="png")
                return
            except BootError as error:
                if "format" not in str(error):
                    raise
                self.png_dumps = False
        raw = path + ".ppm"
        self.command("screendump", filename=raw)
        try:
            write_png(path, *read_ppm(raw))
        finally:
            os.remove(raw)


class Boot:
    """One boot of the front-end. `events` collects (seconds, kind, text)."""

    def __init__(self, build, mode, shots_dir, timeout, prefix="", midway=False, display="std",
                 handler=None, view=None, files=None, firmware=None, vars_file=None, sign=None,
                 images=None, extra=None, disk=True):
        """handler(boot, qmp, kind, text) sees every marker line after the boot's own
        handling, and (None, None) between lines; it returns True to end the run.
        view is None (no screen), "window" or "vnc" for a person to watch and use.
        firmware: a Firmware (default: the plain pair). vars_file: a variable store
        kept across boots, made from the firmware's blank one when missing (default:
        a fresh copy each boot). sign: (key, cert) to sign each image as it is laid
        out. images: changes to DEFAULT_LAYOUT (volume path -> name under
        <build>/efi, or None to leave it out). extra: volume path -> file, copied
        as it is. disk: False boots with no volume at all, for firmware that
        carries the front-end itself (its mode then comes from the boot option
        in the variable store; mode and files are not used)."""
        if display not in DISPLAYS:
            raise BootError("unknown display %s (one of %s)" % (display, ", ".join(DISPLAYS)))
        self.handler = handler
        self.view = view
        self.build = build
        self.display = display
        self.midway = midway
        self.prefix = prefix
        self.mode = mode
        self.files = dict(files or {})  # more files for the volume: name -> text
        self.firmware = firmware or Firmware(OVMF_CODE, OVMF_VARS)
        self.vars_file = vars_file
        self.sign = sign
        self.layout = dict(DEFAULT_LAYOUT)
        for path, name in (images or {}).items():
            if name is None:
                self.layout.pop(path, None)
            else:
                self.layout[path] = name
        self.extra = dict(extra or {})
        self.disk = disk
        self.shots_dir = shots_dir
        self.timeout = timeout
        self.events = []
        self.shots = {}       # name -> path of the PNG
        self.late_shots = []  # names whose picture came after the stall ended
        self.exit_code = None
        self.timed_out = False
        self.seconds = 0.0

    def _prepare(self, work):
        vars_file = self.vars_file
        if vars_file is None:
            vars_file = os.path.join(work, "OVMF_VARS.fd")
        if not os.path.isfile(vars_file):
            shutil.copy(self.firmware.variables, vars_file)
        if not self.disk:
            return None, vars_file
        esp = os.path.join(work, "esp")
        os.makedirs(os.path.join(esp, "EFI", "BOOT"))
        efi = os.path.join(self.build, "efi")
        for path, name in sorted(self.layout.items()):
            source = os.path.join(efi, name)
            if not os.path.isfile(source):
                raise BootError("missing %s (build it with make BUILD=%s efi)" % (source, self.build))
            target = esp_path(esp, path)
            if self.sign is None:
                shutil.copy(source, target)
            else:
                try:
                    signing.sign(source, target, *self.sign)
                except signing.SigningError as error:
                    raise BootError(str(error))
        for path, source in sorted(self.extra.items()):
            shutil.copy(source, esp_path(esp, path))
        with open(os.path.join(esp, "orvane-mode"), "w") as f:
            f.write(self.mode + "\n")
        for name, text in self.files.items():
            with open(os.path.join(esp, name), "w") as f:
                f.write(text + "\n")
        return esp, vars_file

    def run(self):
        work = tempfile.mkdtemp(prefix="orvane-qemu-")
        try:
            self._run(work)
        finally:
            shutil.rmtree(work, ignore_errors=True)
        return self

    def _run(self, work):
        esp, vars_file = self._prepare(work)
        log_path = os.path.join(work, "serial.log")
        sock_path = os.path.join(work, "qmp.sock")
        command = [
            "qemu-system-x86_64", *self.firmware.options(vars_file), "-accel", "tcg", "-m", "256",
            *DISPLAYS[self.display], *self._view_options(), "-nic", "none", *INPUT_DEVICES,
            *(["-drive", "file=fat:rw:%s,format=raw" % esp] if esp else []),
            "-serial", "file:" + log_path,
            "-qmp", "unix:%s,server=on,wait=off" % sock_path,
        ]
        start = time.monotonic()
        deadline = start + self.timeout if self.timeout else None
        qemu = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        qmp = None
        try:
            qmp = Qmp(sock_path, deadline or start + 60, qemu)
            self._follow(qemu, qmp, log_path, start, deadline)
        finally:
            if qmp is not None:
                qmp.close()
            if qemu.poll() is None:
                qemu.kill()
            try:
                output = qemu.communicate(timeout=10)[0].decode(errors="replace").strip()
            except subprocess.TimeoutExpired:
                output = ""
            self.exit_code = qemu.returncode
            self.seconds = time.monotonic() - start
            if output:
                self.events.append((self.seconds, "QEMU", output))

    def _view_options(self):
        if self.view is None:
            return ["-display", "none"]
        if self.view == "vnc":
            return ["-display", "none", "-vnc", VNC_ADDRESS]
        # A window: gtk where QEMU has it, else sdl.
        return ["-display", window_backend()]

    def _follow(self, qemu, qmp, log_path, start, deadline):
        offset = 0
        pending = b""
        done = False
        while True:
            data = b""
            if os.path.exists(log_path):
                with open(log_path, "rb") as f:
                    f.seek(offset)
                    data = f.read()
            offset += len(data)
            pending += data
            *lines, pending = pending.split(b"\n")
            for raw in lines:
                kind, text = self._parse(raw)
                if kind is None:
                    continue
                now = time.monotonic() - start
                self.events.append((now, kind, text))
                if kind == "SCREENSHOT":
                    self._shoot(qmp, log_path, text)
                elif kind == "MIDWAY" and self.midway:
                    time.sleep(MIDWAY_DELAY)
                    self._shoot(qmp, log_path, text, check_late=False)
                elif kind == "INPUT":
                    qmp.perform(text)
                elif kind == "DONE":
                    done = True
                if self.handler is not None and self.handler(self, qmp, kind, text):
                    return
            # The handler also hears the clock, to give up on a front-end that went quiet.
            if self.handler is not None and self.handler(self, qmp, None, None):
                return
            if qemu.poll() is not None:
                if not done and pending:
                    kind, text = self._parse(pending)
                    if kind is not None:
                        self.events.append((time.monotonic() - start, kind, text))
                return
            if deadline is not None and time.monotonic() > deadline:
                self.timed_out = True
                return
            time.sleep(0.02)

    @staticmethod
    def _parse(raw):
        line = raw.decode("ascii", errors="replace").rstrip("\r")
        match = MARKER.search(line)
        if match is None:
            return None, None
        return match.group(1), match.group(2).strip()

    def shoot(self, qmp, name):
        """Photographs the screen now as <shots_dir>/<prefix><name>.png."""
        path = os.path.abspath(os.path.join(self.shots_dir, "%s%s.png" % (self.prefix, name)))
        qmp.screendump(path)
        self.shots[name] = path
        return path

    def _shoot(self, qmp, log_path, name, check_late=True):
        qmp.command("stop")
        with open(log_path, "rb") as f:
            late = check_late and ("SCREENSHOT-END " + name).encode() in f.read()
        path = os.path.abspath(os.path.join(self.shots_dir, "%s%s.png" % (self.prefix, name)))
        qmp.screendump(path)
        qmp.command("cont")
        self.shots[name] = path
        if late:
            self.late_shots.append(name)

    def lines(self, kind):
        return [text for _, kind_, text in self.events if kind_ == kind]

    def first_time(self, kind):
        for seconds, kind_, _ in self.events:
            if kind_ == kind:
                return seconds
        return None


def esp_path(esp, path):
    """The host path of a volume path, its folders made."""
    target = os.path.join(esp, *path.replace("\\", "/").strip("/").split("/"))
    os.makedirs(os.path.dirname(target), exist_ok=True)
    return target


def window_backend():
    """The QEMU display backend for a window on this desktop: gtk, else sdl."""
    try:
        help_text = subprocess.run(["qemu-system-x86_64", "-display", "help"], stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT, timeout=20).stdout.decode(errors="replace")
    except (OSError, subprocess.TimeoutExpired):
        help_text = ""
    for name in ("gtk", "sdl"):
        if re.search(r"^%s$" % name, help_text, re.MULTILINE):
            return name
    raise BootError("this QEMU has neither a gtk nor an sdl display; use VNC (unset DISPLAY)")


def has_desktop():
    return bool(os.environ.get("DISPLAY") or os.environ.get("WAYLAND_DISPLAY"))


def read_ppm(path):
    """(width, height, RGB bytes) of an 8-bit binary PPM (P6), as QEMU writes it."""
    with open(path, "rb") as f:
        data = f.read()
    fields = []
    at = 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b"#":
            at = data.index(b"\n", at)
            continue
        end = at
        while end < len(data) and not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    if fields[0] != b"P6" or fields[3] != b"255":
        raise ValueError("%s is not an 8-bit P6 picture" % path)
    width, height = int(fields[1]), int(fields[2])
    pixels = data[at + 1:at + 1 + width * height * 3]
    if len(pixels) != width * height * 3:
        raise ValueError("%s is cut short" % path)
    return width, height, pixels


def write_png(path, width, height, pixels):
    """An 8-bit RGB PNG of the rows in pixels, unfiltered."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    stride = width * 3
    rows = b"".join(b"\0" + pixels[y * stride:(y + 1) * stride] for y in range(height))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))
