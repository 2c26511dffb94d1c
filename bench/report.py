#!/usr/bin/env python3
"""Prints ours ÷ peer for every benchmark (below 1, ours is faster), from the medians of repetitions
interleaved at random in one run: report.py --bench containers-bench [--json out.json] | --from-json out.json"""
import argparse
import json
import math
import platform
import subprocess
from collections import defaultdict

# Benchmarks are <Family>_<Impl>[/<variant>]/<n>; impls not in OURS are peers. OursFast* are ours at the
# fast hardening level, compared with ours at none.
OURS = {"Ours": "ours", "OursByView": "ours, Find by view",
        "OursFast": "fast level", "OursFastByView": "fast level, Find by view"}
HARDENED = {"OursFast": "Ours", "OursFastByView": "OursByView"}
HARDENING_LIMIT = 1.05
TARGET_FROM_N = 1 << 10  # smaller sizes are in the tables, not held to the targets
SHAPES = ("Tiny", "Short", "Long", "Decimal", "Ids", "Urls", "Uuids")
TARGETS = {  # (family, variant, ours, peer) -> target ratio
    ("StackPushPop", "", "Ours", "Vector"): 1.0,
    ("QueueSteadyState", "", "Ours", "StdQueue"): 1.0,
    ("HashFind", "Short_Load50", "Ours", "StdUnordered"): 1.0,
    **{(family, f"{keys}_{load}", impl, peer): target
       for keys in SHAPES for load in ("Load50", "Load89")
       for family, impl, peer, target in (("HashFind", "OursByView", "StdUnordered", 1.0),
                                          ("HashFind", "OursByView", "AbslEntrySet", 1.0),
                                          ("HashFindAbsent", "OursByView", "StdUnordered", 1.0),
                                          ("HashFindAbsent", "OursByView", "Absl", 1.0),
                                          ("HashInsert", "Ours", "StdUnordered", 0.5))},
    ("ListAddClear", "", "Ours", "StdList"): 1.0,
    ("ListInOrder", "", "Ours", "StdList"): 1.5,
}


def processor():  # the model name, which Google Benchmark's context leaves out
    try:
        return next(line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo") if line.startswith("model name"))
    except (OSError, StopIteration):
        return platform.processor() or "unknown processor"


def collect(data):  # {(family, variant): {impl: {n: ns per item}}}, from the medians
    cells = defaultdict(lambda: defaultdict(dict))
    for bench in data["benchmarks"]:
        if bench.get("aggregate_name") == "median":
            parts = bench["run_name"].split("/")
            family, impl = parts[0].rsplit("_", 1)
            scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[bench["time_unit"]]
            ns = 1e9 / bench["items_per_second"] if "items_per_second" in bench else bench["real_time"] * scale
            cells[(family, "/".join(parts[1:-1]))][impl][int(parts[-1])] = ns
    for (family, variant), impls in list(cells.items()):  # a peer's keys, measured once for both loads
        for load in ("_Load50", "_Load89"):
            if (family, variant + load) in cells:
                cells[(family, variant + load)].update(impls)
    return {cell: impls for cell, impls in cells.items() if any(impl in OURS for impl in impls)}


def fmt_n(n):
    return f"2^{n.bit_length() - 1}" if n & (n - 1) == 0 else str(n)


def ratios(impls, impl, peer):
    return {n: impls[impl][n] / impls[peer][n] for n in impls[impl] if n in impls[peer]}


def target(family, variant, impl, peer):  # (ratio, {n: ratio}) or (inf, {})
    t = HARDENING_LIMIT if impl in HARDENED else TARGETS.get((family, variant, impl, peer), math.inf)
    return t if isinstance(t, tuple) else (t, {})


def print_tables(cells):
    missed = 0
    for (family, variant), impls in sorted(cells.items()):
        ours = [impl for impl in OURS if impl in impls and impl not in HARDENED]
        if not ours:
            continue
        sizes = sorted(impls[ours[0]])
        print(f"\n### {family}{' ' + variant if variant else ''}\n\n| | " + " | ".join(map(fmt_n, sizes)) + " |")
        print("|---" * (len(sizes) + 1) + "|")
        for impl in ours:
            print(f"| {OURS[impl]}, ns/op | " + " | ".join(f"{impls[impl][n]:.2f}" for n in sizes) + " |")
        pairs = [(i, p) for i in ours for p in sorted(impls) if p not in OURS]
        for impl, peer in pairs + [(h, b) for h, b in HARDENED.items() if h in impls and b in impls]:
            (limit, at), row = target(family, variant, impl, peer), ratios(impls, impl, peer)
            over = {n for n, r in row.items() if n >= TARGET_FROM_N and r > at.get(n, limit)}
            missed += len(over)
            label = f"{OURS[impl]} ÷ {OURS.get(peer, peer)}" if limit == math.inf else (
                f"{OURS[impl]} ÷ {OURS.get(peer, peer)} (target ≤ {limit}"
                + "".join(f"; {t} at {fmt_n(n)}" for n, t in at.items()) + ")")
            print(f"| {label} | " + " | ".join(
                (f"{row[n]:.2f}" + (" **missed**" if n in over else "")) if n in row else "nan" for n in sizes) + " |")
    if missed:
        print(f"\n{missed} cells from {fmt_n(TARGET_FROM_N)} on miss their target (**missed**); the run passes.")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for option in ("--bench", "--json", "--from-json"):
        parser.add_argument(option)
    parser.add_argument("--filter", default=".")
    parser.add_argument("--repetitions", type=int, default=5)
    args = parser.parse_args()

    if args.from_json:
        data = json.load(open(args.from_json))
    else:
        print("running the benchmarks (half an hour)...", flush=True)
        data = json.loads(subprocess.run([
            args.bench, f"--benchmark_repetitions={args.repetitions}", "--benchmark_min_time=0.1",
            "--benchmark_enable_random_interleaving=true", "--benchmark_report_aggregates_only=true",
            f"--benchmark_filter={args.filter}", "--benchmark_format=json"], check=True, stdout=subprocess.PIPE).stdout)
        data["context"]["processor"] = processor()
    if args.json:
        json.dump(data, open(args.json, "w"), indent=1)
        print(f"raw results: {args.json}")

    context = data["context"]  # the build type is the benchmark library's, not the code's
    print(f"## Ratios, ours ÷ peer (median of {args.repetitions} repetitions; below 1: ours is faster)\n\n"
          f"Host: {context.get('processor', 'processor not recorded')}, {context.get('host_name')}, "
          f"{context.get('num_cpus')} CPUs at {context.get('mhz_per_cpu')} MHz; "
          f"{context.get('library_build_type')} Google Benchmark")
    print_tables(collect(data))


if __name__ == "__main__":
    main()
