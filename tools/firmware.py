#!/usr/bin/env python3
"""Puts the shim, the toolkit and the setup front-end into the DXE firmware
volume of a prebuilt OVMF image, and writes a variable store whose first boot
option starts the front-end from that volume: no disk is needed.

Each module is described by its binary INF under OrvanePkg/Binary: its file
GUID, its image, and (drivers) the dependency expression the dispatcher
waits for. BaseTools turn those into FFS files (GenDepex, GenSec, GenFfs) and
FMMT adds them to a copy of the firmware. The result is cached: nothing runs
again while the inputs stay the same.
"""
import argparse
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import uuid

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PACKAGE = os.path.join(ROOT, "OrvanePkg")
# The modules in dispatch order; the key names the image override option.
MODULES = [
    ("shim", os.path.join(PACKAGE, "Binary", "Shim.inf")),
    ("driver", os.path.join(PACKAGE, "Binary", "Orvane.inf")),
    ("setup", os.path.join(PACKAGE, "Binary", "SetupFrontEnd.inf")),
]
OVMF_CODE = "/usr/share/OVMF/OVMF_CODE_4M.fd"
OVMF_VARS = "/usr/share/OVMF/OVMF_VARS_4M.fd"
# OVMF's DXE volume (its FvNameGuid): the dispatcher's, and the one BDS
# names in Fv(...) device paths.
DXE_FV = uuid.UUID("7cb8bdc9-f8eb-4f34-aaea-3ee4af6516a1")
BOOT_DESCRIPTION = "Orvane setup"

FFS_TYPES = {"DXE_DRIVER": "EFI_FV_FILETYPE_DRIVER", "UEFI_APPLICATION": "EFI_FV_FILETYPE_APPLICATION"}


class FirmwareError(Exception):
    pass


# ---------------------------------------------------------------- INF and DEC


def read_sections(path):
    """{section name (lower case, arch kept): [lines]} of an INF or DEC, comments dropped."""
    sections = {}
    current = None
    with open(path) as f:
        for raw in f:
            line = raw.split("#", 1)[0].strip()
            if not line:
                continue
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1].strip().lower(), [])
            elif current is not None:
                current.append(line)
    return sections


def read_module(path):
    """The module of a binary INF: name, file GUID, type, image file name, depex."""
    sections = read_sections(path)
    defines = dict(re.split(r"\s*=\s*", l, 1) for l in sections.get("defines", []))
    image = None
    for line in sections.get("binaries.x64", []):
        fields = [f.strip() for f in line.split("|")]
        if fields[0] == "PE32":
            image = fields[1]
    missing = [k for k in ("BASE_NAME", "FILE_GUID", "MODULE_TYPE") if k not in defines]
    if missing or image is None:
        raise FirmwareError("%s lacks %s" % (path, ", ".join(missing or ["a PE32 binary"])))
    if defines["MODULE_TYPE"] not in FFS_TYPES:
        raise FirmwareError("%s: module type %s is not one of %s" % (
            path, defines["MODULE_TYPE"], ", ".join(FFS_TYPES)))
    depex = " ".join(sections.get("depex", [])) or None
    return {"name": defines["BASE_NAME"], "guid": str(uuid.UUID(defines["FILE_GUID"])).upper(),
            "type": defines["MODULE_TYPE"], "image": image, "depex": depex}


def parse_c_guid(text):
    """A GUID written as a C initialiser, { 0x..., 0x..., 0x..., { 8 bytes } }."""
    numbers = [int(n, 16) for n in re.findall(r"0[xX]([0-9a-fA-F]+)", text)]
    if len(numbers) != 11:
        raise FirmwareError("not a GUID: %s" % text)
    return str(uuid.UUID(fields=(numbers[0], numbers[1], numbers[2], numbers[3], numbers[4],
                                 int.from_bytes(bytes(numbers[5:]), "big")))).upper()


def read_guid_names(*decs):
    """C name -> GUID of every [Guids], [Protocols] and [Ppis] entry of the DEC files."""
    names = {}
    for dec in decs:
        for section, lines in read_sections(dec).items():
            if section.split(".")[0] not in ("guids", "protocols", "ppis"):
                continue
            for line in lines:
                name, _, value = line.partition("=")
                if value.strip():
                    names[name.strip()] = parse_c_guid(value)
    return names


def c_guid(text):
    """A GUID as the C initialiser GenDepex reads."""
    u = uuid.UUID(text)
    tail = ", ".join("0x%02x" % b for b in u.bytes[8:])
    return "{0x%08x, 0x%04x, 0x%04x, {%s}}" % (u.time_low, u.time_mid, u.time_hi_version, tail)


def depex_expression(depex, names):
    """The expression with each GUID C name replaced by its value."""
    def resolve(match):
        word = match.group(0)
        if word in ("AND", "OR", "NOT", "TRUE", "FALSE", "BEFORE", "AFTER", "SOR"):
            return word
        if word not in names:
            raise FirmwareError("depex names %s, which no DEC defines" % word)
        return c_guid(names[word])
    return re.sub(r"\b[A-Za-z_][A-Za-z0-9_]*\b", resolve, depex)


# ---------------------------------------------------------------- variable store
# OVMF keeps its variables in an authenticated store after the volume header:
# each variable is a 60-byte header, its UCS-2 name and its data; each header
# starts 4-byte aligned, the name and data follow unpadded.

VARIABLE_STORE_GUID = uuid.UUID("aaf32c78-947b-439a-a180-2e144ec37792")
GLOBAL_VARIABLE = uuid.UUID("8be4df61-93ca-11d2-aa0d-00e098032b8c")
VARIABLE_HEADER = struct.Struct("<HBBIQ16sIII16s")
VARIABLE_START = 0x55AA
VAR_ADDED = 0x3F
NV_BS_RT = 0x7


def align4(n):
    return (n + 3) & ~3


def variable_store(data):
    """(offset of the first variable, end of the store) in a variable flash image."""
    header_length = struct.unpack_from("<H", data, 0x30)[0]
    if data[0x28:0x2C] != b"_FVH" or len(data) < header_length + 28:
        raise FirmwareError("not a firmware volume with a variable store")
    if uuid.UUID(bytes_le=bytes(data[header_length:header_length + 16])) != VARIABLE_STORE_GUID:
        raise FirmwareError("the variable store is not in the authenticated format")
    size = struct.unpack_from("<I", data, header_length + 16)[0]
    return align4(header_length + 28), header_length + size


def read_variables(data):
    """[(name, vendor GUID, attributes, data)] of the live variables, in store order."""
    at, end = variable_store(data)
    found = []
    while at + VARIABLE_HEADER.size <= end:
        start, state, _, attributes, _, _, _, name_size, data_size, vendor = \
            VARIABLE_HEADER.unpack_from(data, at)
        if start != VARIABLE_START:
            break
        name_at = at + VARIABLE_HEADER.size
        data_at = name_at + name_size
        if state == VAR_ADDED:
            name = bytes(data[name_at:name_at + name_size]).decode("utf-16-le").rstrip("\0")
            found.append((name, uuid.UUID(bytes_le=vendor), attributes,
                          bytes(data[data_at:data_at + data_size])))
        at = align4(data_at + data_size)
    return found


def add_variable(data, name, vendor, value, attributes=NV_BS_RT):
    """Appends a variable to the store in data (a bytearray) after the last one."""
    at, end = variable_store(data)
    while struct.unpack_from("<H", data, at)[0] == VARIABLE_START:
        name_size, data_size = struct.unpack_from("<II", data, at + 36)
        at = align4(at + VARIABLE_HEADER.size + name_size + data_size)
    encoded = (name + "\0").encode("utf-16-le")
    record = VARIABLE_HEADER.pack(VARIABLE_START, VAR_ADDED, 0, attributes, 0, bytes(16), 0,
                                  len(encoded), len(value), vendor.bytes_le)
    record += encoded + value
    if at + len(record) > end or any(b != 0xFF for b in data[at:at + len(record)]):
        raise FirmwareError("no room for %s in the variable store" % name)
    data[at:at + len(record)] = record


def fv_file_path(volume, file_guid):
    """Fv(volume)/FvFile(file_guid), ended."""
    return (struct.pack("<BBH", 4, 7, 20) + volume.bytes_le + struct.pack("<BBH", 4, 6, 20) +
            uuid.UUID(file_guid).bytes_le + struct.pack("<BBH", 0x7F, 0xFF, 4))


def load_option(description, path, optional=b""):
    """An active EFI_LOAD_OPTION."""
    return (struct.pack("<IH", 1, len(path)) + (description + "\0").encode("utf-16-le") + path +
            optional)


def write_boot_variables(source, target, file_guid, mode=None):
    """Copies the variable store source to target with Boot0000 (the front-end
    in the DXE volume, mode as its load options) first in BootOrder."""
    with open(source, "rb") as f:
        data = bytearray(f.read())
    if any(name in ("Boot0000", "BootOrder") and vendor == GLOBAL_VARIABLE
           for name, vendor, _, _ in read_variables(data)):
        raise FirmwareError("%s already holds boot options" % source)
    optional = mode.encode("utf-16-le") if mode else b""
    add_variable(data, "Boot0000", GLOBAL_VARIABLE,
                 load_option(BOOT_DESCRIPTION, fv_file_path(DXE_FV, file_guid), optional))
    add_variable(data, "BootOrder", GLOBAL_VARIABLE, struct.pack("<H", 0))
    with open(target, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- building


class Tools:
    """BaseTools of an EDK2 tree: the C tools built, the Python ones run from source."""

    def __init__(self, edk2):
        self.edk2 = edk2
        wrappers = os.path.join(edk2, "BaseTools", "BinWrappers", "PosixLike")
        if not os.path.isfile(os.path.join(edk2, "BaseTools", "Source", "C", "bin", "GenFfs")):
            raise FirmwareError("no BaseTools in %s (make edk2-tools)" % edk2)
        self.env = dict(os.environ, PATH=wrappers + os.pathsep + os.environ.get("PATH", ""),
                        PYTHON_COMMAND=os.environ.get("PYTHON_COMMAND", "python3"),
                        EDK_TOOLS_PATH=os.path.join(edk2, "BaseTools"))

    def run(self, *command, cwd=None):
        # The child's PATH does not steer the lookup of the command itself.
        program = shutil.which(command[0], path=self.env["PATH"]) or command[0]
        done = subprocess.run([program] + list(command[1:]), env=self.env, cwd=cwd, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT)
        text = done.stdout.decode(errors="replace")
        if done.returncode != 0:
            raise FirmwareError("%s failed (%d): %s" % (command[0], done.returncode, text.strip()[-2000:]))
        return text


def build_ffs(tools, module, image, names, work):
    """The module's FFS file: dependency, PE32 and name sections."""
    base = os.path.join(work, module["name"])
    sections = []
    if module["type"] == "DXE_DRIVER":
        depex = module["depex"] or "TRUE"
        tools.run("GenDepex", "-t", "DXE_DRIVER", "-o", base + ".depex", "-e",
                  depex_expression(depex, names))
        tools.run("GenSec", "-s", "EFI_SECTION_DXE_DEPEX", "-o", base + ".dpx", base + ".depex")
        sections.append(base + ".dpx")
    tools.run("GenSec", "-s", "EFI_SECTION_PE32", "-o", base + ".pe32", image)
    tools.run("GenSec", "-s", "EFI_SECTION_USER_INTERFACE", "-n", module["name"], "-o", base + ".ui")
    sections += [base + ".pe32", base + ".ui"]
    command = ["GenFfs", "-t", FFS_TYPES[module["type"]], "-g", module["guid"], "-o", base + ".ffs"]
    for section in sections:
        command += ["-i", section]
    tools.run(*command)
    return base + ".ffs"


def fingerprint(paths, extra):
    digest = hashlib.sha256(extra.encode())
    for path in paths:
        digest.update(path.encode() + b"\0")
        with open(path, "rb") as f:
            digest.update(hashlib.sha256(f.read()).digest())
    return digest.hexdigest()


def build(args):
    modules = [(key, read_module(inf)) for key, inf in MODULES]
    images = {key: getattr(args, key) or os.path.join(args.build, "efi", module["image"])
              for key, module in modules}
    for key, image in images.items():
        if not os.path.isfile(image):
            raise FirmwareError("missing %s (make efi, or give its path)" % image)
    out = args.out or os.path.join(args.build, "firmware")
    code = os.path.join(out, os.path.basename(args.code))
    variables = os.path.join(out, os.path.basename(args.vars))
    stamp = os.path.join(out, "inputs.sha256")
    inputs = [inf for _, inf in MODULES] + [os.path.join(PACKAGE, "OrvanePkg.dec"),
                                           os.path.abspath(__file__), args.code, args.vars]
    inputs += [images[key] for key, _ in modules]
    wanted = fingerprint(inputs, repr(sorted(images.items())))
    if os.path.isfile(stamp) and os.path.isfile(code) and os.path.isfile(variables):
        with open(stamp) as f:
            if f.read().strip() == wanted:
                print("firmware: %s is up to date" % code)
                return
    tools = Tools(args.edk2)
    names = read_guid_names(os.path.join(PACKAGE, "OrvanePkg.dec"),
                            os.path.join(args.edk2, "MdePkg", "MdePkg.dec"))
    os.makedirs(out, exist_ok=True)
    if os.path.exists(stamp):
        os.remove(stamp)
    with tempfile.TemporaryDirectory(prefix="orvane-fw-") as work:
        current = os.path.join(work, "in.fd")
        shutil.copy(args.code, current)
        for index, (key, module) in enumerate(modules):
            ffs = build_ffs(tools, module, images[key], names, work)
            following = os.path.join(work, "step%d.fd" % index)
            tools.run("FMMT", "-a", current, str(DXE_FV), ffs, following, cwd=work)
            current = following
            # The dependency files a platform build takes beside the binary INFs.
            if os.path.isfile(os.path.join(work, module["name"] + ".depex")):
                shutil.copy(os.path.join(work, module["name"] + ".depex"), out)
            print("firmware: %s (%s) from %s" % (module["name"], module["guid"], images[key]))
        listing = tools.run("FMMT", "-v", current, cwd=work)
        for _, module in modules:
            if module["guid"].lower() not in listing.lower():
                raise FirmwareError("%s is not in the built image" % module["name"])
        shutil.copy(current, code)
    setup = dict(modules)["setup"]
    write_boot_variables(args.vars, variables, setup["guid"])
    with open(stamp, "w") as f:
        f.write(wanted + "\n")
    print("firmware: wrote %s and %s" % (code, variables))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", default="build")
    parser.add_argument("--edk2", default=None, help="the EDK2 tree (default <build>/edk2/src)")
    parser.add_argument("--out", default=None, help="where the firmware goes (default <build>/firmware)")
    parser.add_argument("--code", default=OVMF_CODE, help="the firmware code image to add to")
    parser.add_argument("--vars", default=OVMF_VARS, help="its blank variable store")
    for key, _ in MODULES:
        parser.add_argument("--" + key, default=None,
                            help="the %s image (default: from <build>/efi)" % key)
    args = parser.parse_args()
    args.edk2 = os.path.abspath(args.edk2 or os.path.join(args.build, "edk2", "src"))
    try:
        build(args)
    except FirmwareError as error:
        print("firmware: %s" % error, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
