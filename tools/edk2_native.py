#!/usr/bin/env python3
"""Keeps the EDK2 modules' [Sources] the same as the gnu-efi images' sources,
and writes the OVMF platform that builds them into the firmware from source.

The Makefile is the one list: `make -s native-sources` prints each image's
sources, and this writes them into OrvanePkg/<Module>.inf (--write) or fails
when an INF lists anything else (--check, run by `make unit`).

--ovmf-platform DIR writes DIR/OvmfX64.dsc and DIR/OvmfX64.fdf: OVMF's own
X64 platform (from --edk2) with the package's library and three modules
added, its objects under Build/OrvaneOvmfX64. DIR must be inside the EDK2
workspace; its name is the platform's path there.

--boot-vars BLANK OUT writes OUT, the variable store BLANK with a first boot
option that starts the front-end (OrvanePkg/Frontend.inf) from the volume.
"""
import argparse
import os
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
# Image name printed by the Makefile -> the INF that builds it, and the
# binary INF that takes the same module prebuilt (same name and file GUID).
MODULES = {"orvane": ("Orvane.inf", "Binary/Orvane.inf"),
           "platform-shim": ("Shim.inf", "Binary/Shim.inf"),
           "setup-demo": ("Frontend.inf", "Binary/SetupFrontEnd.inf")}
IDENTITY = re.compile(r"^\s*(BASE_NAME|FILE_GUID)\s*=\s*(\S+)", re.M)


def depex(text):
    """An INF's dependency expression as words, comments dropped; None without one."""
    words, inside = None, False
    for line in text.splitlines():
        line = line.split("#", 1)[0].strip()
        if line.startswith("["):
            inside = line.lower() == "[depex]"
            words = [] if inside and words is None else words
        elif inside:
            words += line.split()
    return words


SECTION = re.compile(r"^\[Sources\]\n(?:[ \t]+\S.*\n)*", re.M)


def makefile_lists():
    out = subprocess.run(["make", "-s", "--no-print-directory", "native-sources"], cwd=ROOT,
                         check=True, capture_output=True, text=True).stdout
    lists = {}
    for line in out.splitlines():
        name, _, files = line.partition(":")
        lists[name.strip()] = sorted(files.split())
    return lists


def sources_section(files):
    # INF paths are relative to OrvanePkg/, where the INFs live.
    return "[Sources]\n" + "".join(f"  ../{f}\n" for f in files)


def inf_sources(text):
    match = SECTION.search(text)
    if match is None:
        return None
    return sorted(line.strip()[len("../"):] for line in match.group(0).splitlines()[1:])


# The modules in the DXE volume, after the HII database the toolkit binds to.
OVMF_MODULES = ["OrvanePkg/Shim.inf", "OrvanePkg/Orvane.inf", "OrvanePkg/Frontend.inf"]
OVMF_ANCHOR = "INF  MdeModulePkg/Universal/HiiDatabaseDxe/HiiDatabaseDxe.inf\n"


def replace_once(text, old, new, what):
    if text.count(old) != 1:
        sys.exit(f"OVMF's {what} has changed: expected one {old.strip()!r}")
    return text.replace(old, new)


def ovmf_platform(edk2, out):
    ovmf = pathlib.Path(edk2) / "OvmfPkg"
    name = pathlib.Path(out).name
    dsc = (ovmf / "OvmfPkgX64.dsc").read_text()
    dsc = replace_once(dsc, "OUTPUT_DIRECTORY               = Build/OvmfX64",
                       "OUTPUT_DIRECTORY               = Build/OrvaneOvmfX64", "DSC")
    dsc = replace_once(dsc, "FLASH_DEFINITION               = OvmfPkg/OvmfPkgX64.fdf",
                       f"FLASH_DEFINITION               = {name}/OvmfX64.fdf", "DSC")
    dsc = replace_once(dsc, "\n[LibraryClasses]\n", "\n[LibraryClasses]\n"
                       "  OrvaneEfiLib|OrvanePkg/Library/OrvaneEfiLib/OrvaneEfiLib.inf\n", "DSC")
    # OVMF builds everything with -mno-sse; the modules' own -msse2 must come
    # after it, which only module-scoped options in the platform guarantee.
    dsc += "\n[Components]\n" + "".join(
        f"  {inf} {{\n    <BuildOptions>\n      GCC:*_*_*_CC_FLAGS = -msse2\n  }}\n"
        for inf in OVMF_MODULES)
    fdf = (ovmf / "OvmfPkgX64.fdf").read_text()
    # Its own includes are relative to OvmfPkg/; the copy lives elsewhere.
    fdf = re.sub(r"^!include (\w+\.fdf\.inc)$", r"!include OvmfPkg/\1", fdf, flags=re.M)
    fdf = replace_once(fdf, OVMF_ANCHOR,
                       OVMF_ANCHOR + "".join(f"INF  {inf}\n" for inf in OVMF_MODULES), "FDF")
    os.makedirs(out, exist_ok=True)
    (pathlib.Path(out) / "OvmfX64.dsc").write_text(dsc)
    (pathlib.Path(out) / "OvmfX64.fdf").write_text(fdf)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--check", action="store_true")
    mode.add_argument("--write", action="store_true")
    mode.add_argument("--ovmf-platform", metavar="DIR")
    mode.add_argument("--boot-vars", nargs=2, metavar=("BLANK", "OUT"))
    parser.add_argument("--edk2", help="the EDK2 tree (with --ovmf-platform)")
    args = parser.parse_args()

    if args.ovmf_platform:
        if not args.edk2:
            parser.error("--ovmf-platform needs --edk2")
        ovmf_platform(args.edk2, args.ovmf_platform)
        return 0

    if args.boot_vars:
        sys.path.insert(0, str(ROOT / "tools"))
        import firmware  # noqa: E402 (tools/firmware.py, beside this)
        # The prebuilt front-end's INF: the same module, so the same file GUID.
        setup = firmware.read_module(dict(firmware.MODULES)["setup"])
        firmware.write_boot_variables(args.boot_vars[0], args.boot_vars[1], setup["guid"])
        return 0

    lists = makefile_lists()
    failed = False
    for image, (inf_name, binary_name) in MODULES.items():
        if image not in lists:
            sys.exit(f"the Makefile prints no source list for {image}")
        path = ROOT / "OrvanePkg" / inf_name
        text = path.read_text()
        listed = inf_sources(text)
        if listed is None:
            sys.exit(f"{path}: no [Sources] section")
        if args.write:
            path.write_text(SECTION.sub(lambda _: sources_section(lists[image]), text, count=1))
        elif listed != lists[image]:
            missing = sorted(set(lists[image]) - set(listed))
            extra = sorted(set(listed) - set(lists[image]))
            print(f"{path.relative_to(ROOT)} differs from the Makefile's {image} sources: "
                  f"missing {missing}, extra {extra}; run tools/edk2_native.py --write",
                  file=sys.stderr)
            failed = True
        binary = (ROOT / "OrvanePkg" / binary_name).read_text()
        ours = {k: v.upper() for k, v in IDENTITY.findall(text)}
        theirs = {k: v.upper() for k, v in IDENTITY.findall(binary)}
        ours["Depex"], theirs["Depex"] = depex(text), depex(binary)
        if ours != theirs:
            print(f"{path.relative_to(ROOT)} names the module {ours}, {binary_name} {theirs}",
                  file=sys.stderr)
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
