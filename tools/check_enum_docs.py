"""Fails when a published code has no comment of its own.

Doxygen reports undocumented slots, records, fields and macros, but not the
values of a documented enum; every ORVANE_ value of include/orvane.h is an
answer or an argument some front-end spells, so each carries its `///<`.
"""
import re
import sys


def undocumented(path):
    missing = []
    in_enum = False
    with open(path) as header:
        for number, line in enumerate(header, 1):
            if re.match(r"\s*(typedef\s+)?enum\b.*\{", line):
                in_enum = True
            elif in_enum and line.strip().startswith("}"):
                in_enum = False
            elif in_enum and re.match(r"\s*ORVANE_\w+\s*=", line) and "///<" not in line:
                missing.append("%s:%d: %s" % (path, number, line.strip()))
    return missing


if __name__ == "__main__":
    problems = [p for path in sys.argv[1:] for p in undocumented(path)]
    for problem in problems:
        print("undocumented code:", problem)
    sys.exit(1 if problems else 0)
