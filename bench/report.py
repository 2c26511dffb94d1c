#!/usr/bin/env python3
"""Runs the benchmarks and prints how our containers compare with their peers.

Every ratio is ours / peer, from the medians of repeated runs made in the same
process, so both sides see the same machine at the same time. Below 1 means
ours is faster.

  report.py --bench containers-bench --program containers-demo \\
            --bare containers-bare-printf [--json out.json] [--chart out.svg]
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time
from collections import defaultdict

# Peer benchmarks are named <Family>_<Impl>[/<variant>]/<n>; ours is "Ours".
OURS = "Ours"

# (family, variant, peer) -> target ratio, for the cells that have one.
TARGETS = {
    ("StackPushPop", "", "Vector"): 1.0,
    ("QueueSteadyState", "", "StdQueue"): 1.0,
    ("HashFind", "Short_Load50", "StdUnordered"): 1.0,
    ("ListAddClear", "", "StdList"): 1.0,
    ("ListInOrder", "", "StdList"): 1.5,
}


def run_benchmarks(binary, repetitions, min_time, extra):
    with tempfile.NamedTemporaryFile(suffix=".json", delete=False) as out:
        path = out.name
    # Repetitions of all benchmarks are interleaved at random, so that a slow
    # spell of the machine falls on ours and the peers alike.
    command = [binary, f"--benchmark_repetitions={repetitions}",
               "--benchmark_enable_random_interleaving=true",
               "--benchmark_report_aggregates_only=true",
               f"--benchmark_min_time={min_time}",
               f"--benchmark_out={path}", "--benchmark_out_format=json"] + extra
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    with open(path) as f:
        data = json.load(f)
    os.unlink(path)
    return data


def per_item_ns(bench):
    """Median time per item processed, in nanoseconds."""
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[bench["time_unit"]]
    return 1e9 / bench["items_per_second"] if "items_per_second" in bench else bench["real_time"] * scale


def collect(data):
    """{(family, variant): {impl: {n: ns per item}}} from the medians."""
    cells = defaultdict(lambda: defaultdict(dict))
    for bench in data["benchmarks"]:
        if bench.get("aggregate_name") != "median":
            continue
        parts = bench["run_name"].split("/")
        family, impl = parts[0].rsplit("_", 1)
        variant = "/".join(parts[1:-1])
        cells[(family, variant)][impl][int(parts[-1])] = per_item_ns(bench)
    return cells


def startup_ratio(program, bare, runs):
    """Median wall time of `program` over that of `bare`, alternating runs."""
    times = {program: [], bare: []}
    with open(os.devnull, "wb") as null:
        for _ in range(runs):
            for binary in (program, bare):
                start = time.perf_counter_ns()
                subprocess.run([binary], stdout=null, check=True)
                times[binary].append(time.perf_counter_ns() - start)
    ours = statistics.median(times[program]) / 1e3
    peer = statistics.median(times[bare]) / 1e3
    return ours, peer


def fmt_n(n):
    return f"2^{n.bit_length() - 1}" if n & (n - 1) == 0 else str(n)


def print_tables(cells):
    lines = []
    for (family, variant), impls in sorted(cells.items()):
        if OURS not in impls:
            continue
        ours = impls[OURS]
        sizes = sorted(ours)
        name = family + (f" {variant}" if variant else "")
        lines.append(f"\n### {name}\n")
        lines.append("| | " + " | ".join(fmt_n(n) for n in sizes) + " |")
        lines.append("|---" * (len(sizes) + 1) + "|")
        lines.append("| ours, ns/op | " + " | ".join(f"{ours[n]:.2f}" for n in sizes) + " |")
        for peer in sorted(p for p in impls if p != OURS):
            row = []
            for n in sizes:
                ratio = ours[n] / impls[peer][n] if n in impls[peer] else float("nan")
                row.append(f"{ratio:.2f}")
            target = TARGETS.get((family, variant, peer))
            label = f"ours ÷ {peer}" + (f" (target ≤ {target})" if target else "")
            lines.append(f"| {label} | " + " | ".join(row) + " |")
    print("\n".join(lines))


def write_chart(cells, path):
    """Time per operation against n, one panel per benchmark, with gnuplot."""
    panels = [(k, v) for k, v in sorted(cells.items()) if any(i.split()[0] == OURS for i in v)]
    columns = 4
    rows = (len(panels) + columns - 1) // columns
    with tempfile.TemporaryDirectory() as tmp:
        script = [f"set terminal svg size {columns * 420},{rows * 300} dynamic noenhanced font 'sans,11'",
                  f"set output '{path}'",
                  f"set multiplot layout {rows},{columns}",
                  "set logscale x 2", "set logscale y", "set format x '2^%L'",
                  "set xlabel 'n'", "set ylabel 'ns per operation'", "set key top left",
                  "set grid"]
        for index, ((family, variant), impls) in enumerate(panels):
            plots = []
            for impl in sorted(impls, key=lambda i: (i.split()[0] != OURS, i)):
                data = os.path.join(tmp, f"{index}-{impl.replace(' ', '_')}.dat")
                with open(data, "w") as f:
                    for n in sorted(impls[impl]):
                        f.write(f"{n} {impls[impl][n]}\n")
                plots.append(f"'{data}' using 1:2 with linespoints title '{impl}'")
            title = family + (f" {variant}" if variant else "")
            script.append(f"set title '{title}'")
            script.append("plot " + ", ".join(plots))
        script.append("unset multiplot")
        subprocess.run(["gnuplot"], input="\n".join(script), text=True, check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bench", required=True)
    parser.add_argument("--program")
    parser.add_argument("--bare")
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--min-time", default="0.1")
    parser.add_argument("--startup-runs", type=int, default=300)
    parser.add_argument("--filter")
    parser.add_argument("--json", help="where to keep the raw benchmark results")
    parser.add_argument("--from-json", help="report on earlier results instead of running")
    parser.add_argument("--chart", help="where to write the SVG chart (needs gnuplot)")
    parser.add_argument("--chart-also", nargs=2, action="append", default=[], metavar=("JSON", "LABEL"),
                        help="earlier results to draw in the chart too, their lines marked LABEL")
    parser.add_argument("--label", default="", help="how the chart marks this run's lines")
    args = parser.parse_args()

    if args.from_json:
        with open(args.from_json) as f:
            data = json.load(f)
    else:
        extra = [f"--benchmark_filter={args.filter}"] if args.filter else []
        print("running the benchmarks (a few minutes)...", flush=True)
        data = run_benchmarks(args.bench, args.repetitions, args.min_time, extra)
    if args.json:
        with open(args.json, "w") as f:
            json.dump(data, f, indent=1)

    context = data["context"]
    print(f"## Ratios, ours ÷ peer (median of {args.repetitions} repetitions; below 1: ours is faster)")
    print(f"\nHost: {context.get('host_name')}, {context.get('num_cpus')} CPUs at "
          f"{context.get('mhz_per_cpu')} MHz; {context.get('library_build_type')} Google Benchmark")
    cells = collect(data)
    print_tables(cells)

    if args.program and args.bare:
        ours, bare = startup_ratio(args.program, args.bare, args.startup_runs)
        print(f"\n### Program start to finish ({args.startup_runs} alternating runs each, median)\n")
        print("| containers-demo | bare printf program | ratio (target ≤ 1.1) |\n|---|---|---|")
        print(f"| {ours:.0f} µs | {bare:.0f} µs | {ours / bare:.3f} |")

    if args.chart:
        # Every run's lines in one chart: impl names carry their run's label.
        runs = [(cells, args.label)]
        for path, label in args.chart_also:
            with open(path) as f:
                runs.append((collect(json.load(f)), label))
        merged = defaultdict(dict)
        for run_cells, label in runs:
            for key, impls in run_cells.items():
                for impl, points in impls.items():
                    merged[key][f"{impl} {label}".strip()] = points
        write_chart(merged, args.chart)
        print(f"\nchart written to {args.chart}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
