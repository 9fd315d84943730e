#!/usr/bin/env python3
"""Keeps the EDK2 modules' [Sources] the same as the gnu-efi images' sources.

The Makefile is the one list: `make -s native-sources` prints each image's
sources, and this writes them into OrvanePkg/<Module>.inf (--write) or fails
when an INF lists anything else (--check, run by `make unit`).
"""
import argparse
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
# Image name printed by the Makefile -> the INF that builds it.
MODULES = {"orvane": "Orvane.inf", "platform-shim": "Shim.inf", "setup-demo": "Frontend.inf"}
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


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--check", action="store_true")
    mode.add_argument("--write", action="store_true")
    args = parser.parse_args()

    lists = makefile_lists()
    failed = False
    for image, inf_name in MODULES.items():
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
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
