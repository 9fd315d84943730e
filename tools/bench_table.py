#!/usr/bin/env python3
"""Reads Google Benchmark's JSON output and prints one markdown table, one row
per operation: time, baseline, ratio, Blt calls and float-service calls. The
same table goes to --out (out/bench.md)."""
import argparse
import json
import sys


def fmt_time(ns):
    if ns is None:
        return "-"
    if ns >= 1e6:
        return "%.2f ms" % (ns / 1e6)
    if ns >= 1e3:
        return "%.1f us" % (ns / 1e3)
    return "%.0f ns" % ns


def fmt_count(value):
    return "-" if value is None else "%d" % round(value)


UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def rows(report):
    for b in report.get("benchmarks", []):
        if b.get("run_type") == "aggregate" or b.get("error_occurred"):
            continue
        name = b["name"]
        if b.get("label"):
            name += " (%s)" % b["label"]
        op = b.get("op_ns")
        if op is None:
            op = b.get("real_time", 0.0) * UNIT_NS.get(b.get("time_unit", "ns"), 1.0)
        base_keys = [k for k in b if k.startswith("base_ns_")]
        base_name = base_keys[0][len("base_ns_"):] if base_keys else None
        base = b[base_keys[0]] if base_keys else None
        ratio = op / base if base else None
        yield (name, fmt_time(op),
               "%s %s" % (base_name, fmt_time(base)) if base_name else "-",
               "%.2fx" % ratio if ratio is not None else "-",
               fmt_count(b.get("blt")), fmt_count(b.get("float")))


def table(report):
    head = ("operation", "time", "baseline", "ratio", "Blt", "float")
    lines = ["| " + " | ".join(head) + " |", "|" + "|".join(["---"] + ["---:"] * 5) + "|"]
    lines += ["| " + " | ".join(r) + " |" for r in rows(report)]
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("json")
    parser.add_argument("--out", help="also write the table here")
    args = parser.parse_args()
    with open(args.json) as f:
        text = table(json.load(f))
    sys.stdout.write("\n" + text)
    if args.out:
        with open(args.out, "w") as f:
            f.write("# Benchmarks\n\n" + text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
