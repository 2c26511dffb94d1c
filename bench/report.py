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
import re
import statistics
import subprocess
import sys
import tempfile
import time
from collections import defaultdict

# Benchmarks are named <Family>_<Impl>[/<variant>]/<n>. Our implementations
# are these impls, each with the name its rows carry; every other impl is a
# peer, but for KeyCopyOnly, a part of our Find timed alone.
OURS = {"Ours": "ours", "OursByView": "ours, Find by view"}
NOT_A_PEER = {"KeyCopyOnly", "OursFast", "OursFastByView"}
# Ours again, built at the fast hardening level: impl -> the impl it checks.
HARDENED = {"OursFast": "Ours", "OursFastByView": "OursByView"}
HARDENING_LIMIT = 1.05

# (family, variant, ours impl, peer) -> target ratio, for the rows that have one.
TARGETS = {
    ("StackPushPop", "", "Ours", "Vector"): 1.0,
    ("QueueSteadyState", "", "Ours", "StdQueue"): 1.0,
    ("HashFind", "Short_Load50", "Ours", "StdUnordered"): 1.0,
    ("HashFind", "Short_Load50", "OursByView", "StdUnordered"): 0.8,
    ("ListAddClear", "", "Ours", "StdList"): 1.0,
    ("ListInOrder", "", "Ours", "StdList"): 1.5,
}

# One colour per peer, the same in every panel of the chart.
PEER_COLOURS = {
    "StdUnordered": "#1f77b4", "Absl": "#ff7f0e", "Vector": "#2ca02c", "StdQueue": "#9467bd",
    "StdList": "#d62728", "KeyCopyOnly": "#7f7f7f",
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
    # A line every 30 s, so that a run of several minutes shows it is alive.
    started = time.monotonic()
    with subprocess.Popen(command, stdout=subprocess.DEVNULL) as process:
        while True:
            try:
                process.wait(timeout=30)
                break
            except subprocess.TimeoutExpired:
                print(f"  still measuring: {time.monotonic() - started:.0f} s so far", flush=True)
    if process.returncode != 0:
        raise subprocess.CalledProcessError(process.returncode, command)
    print("(A \"Library was built as DEBUG\" notice above is about the Google Benchmark library "
          "that was linked, not about the code under test, which is built as this preset says.)")
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


# glibc's malloc settings that keep freed large arrays in the heap.
KEEP_HEAP = "glibc.malloc.trim_threshold=2000000000:glibc.malloc.mmap_threshold=2000000000"


def fresh_process_queue(binary, runs):
    """Ours ÷ std::queue for a fresh queue of 2^18 per round, each run in a new
    process with nothing else on its heap: {setting: [ratio per process]}."""
    ratios = {"glibc's defaults": [], "freed arrays kept (GLIBC_TUNABLES)": []}
    for _ in range(runs):
        for setting, tunables in zip(ratios, ("", KEEP_HEAP)):
            env = dict(os.environ, GLIBC_TUNABLES=tunables) if tunables else os.environ
            with tempfile.NamedTemporaryFile(suffix=".json", delete=False) as out:
                path = out.name
            subprocess.run([binary, "--benchmark_filter=^QueueSteadyState_(Ours|StdQueue)/262144$",
                            "--benchmark_min_time=0.2", f"--benchmark_out={path}",
                            "--benchmark_out_format=json"], check=True, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, env=env)
            with open(path) as f:
                times = {b["run_name"].split("/")[0]: b["real_time"] for b in json.load(f)["benchmarks"]}
            os.unlink(path)
            ratios[setting].append(times["QueueSteadyState_Ours"] / times["QueueSteadyState_StdQueue"])
    return ratios


def fmt_n(n):
    return f"2^{n.bit_length() - 1}" if n & (n - 1) == 0 else str(n)


def panel_name(family, variant, impl):
    name = family + (" by view" if impl == "OursByView" else "")
    return name + (f" {variant}" if variant else "")


def print_tables(cells):
    lines = []
    missed = 0
    for (family, variant), impls in sorted(cells.items()):
        ours_impls = [impl for impl in OURS if impl in impls]
        if not ours_impls:
            continue
        sizes = sorted(impls[ours_impls[0]])
        lines.append(f"\n### {family}" + (f" {variant}" if variant else "") + "\n")
        lines.append("| | " + " | ".join(fmt_n(n) for n in sizes) + " |")
        lines.append("|---" * (len(sizes) + 1) + "|")
        for impl in ours_impls:
            lines.append(f"| {OURS[impl]}, ns/op | " + " | ".join(f"{impls[impl][n]:.2f}" for n in sizes) + " |")
        for impl in ours_impls:
            for peer in sorted(p for p in impls if p not in OURS and p not in HARDENED):
                target = TARGETS.get((family, variant, impl, peer))
                row = []
                for n in sizes:
                    ratio = impls[impl][n] / impls[peer][n] if n in impls[peer] else float("nan")
                    miss = target is not None and ratio > target
                    missed += miss
                    row.append(f"{ratio:.2f}" + (" **missed**" if miss else ""))
                label = f"{OURS[impl]} ÷ {peer}" + (f" (target ≤ {target})" if target else "")
                lines.append(f"| {label} | " + " | ".join(row) + " |")
    print("\n".join(lines))
    if missed:
        print(f"\n{missed} cells miss their target (marked **missed**); a benchmark is no test, so the run passes.")


def print_hardening(cells):
    """Fast hardening level ÷ none, for every row of ours that has both."""
    rows = []
    for (family, variant), impls in sorted(cells.items()):
        for fast, plain in HARDENED.items():
            if fast in impls and plain in impls:
                sizes = sorted(n for n in impls[plain] if n in impls[fast])
                rows.append((panel_name(family, variant, plain), sizes,
                             [impls[fast][n] / impls[plain][n] for n in sizes]))
    if not rows:
        return
    print(f"\n## Fast hardening level ÷ none (limit {HARDENING_LIMIT}; both in this run)\n")
    worst = max(r for _, _, ratios in rows for r in ratios)
    for name, sizes, ratios in rows:
        cells_text = [f"{fmt_n(n)}: {r:.3f}" + (" **over**" if r > HARDENING_LIMIT else "")
                      for n, r in zip(sizes, ratios)]
        print(f"| {name} | " + " | ".join(cells_text) + " |")
    print(f"\nworst row: {worst:.3f}")


def ratio_panels(runs):
    """[(title, {(peer, label): {n: ratio}}, target or None)] from [(cells, label)]."""
    panels = {}
    for cells, label in runs:
        for (family, variant), impls in cells.items():
            for impl in (i for i in OURS if i in impls):
                title = panel_name(family, variant, impl)
                series = panels.setdefault(title, ({}, {}))[0]
                for peer in (p for p in impls if p not in OURS and p not in NOT_A_PEER):
                    series[(peer, label)] = {n: impls[impl][n] / impls[peer][n]
                                             for n in impls[impl] if n in impls[peer]}
                for peer in impls:
                    target = TARGETS.get((family, variant, impl, peer))
                    if target:
                        panels[title][1][peer] = target
    return [(title, series, targets) for title, (series, targets) in sorted(panels.items())]


def write_ratio_chart(runs, path):
    """Ours ÷ peer against n, one panel per operation, as an SVG of its own."""
    import math
    panels = ratio_panels(runs)
    labels = [label for _, label in runs]
    dashes = {labels[0]: "", **{label: "6,4" for label in labels[1:]}}
    columns, width, height = 4, 330, 250
    left, right, top, bottom = 52, 22, 30, 40
    legend_h = 64
    rows = (len(panels) + columns - 1) // columns
    total_w, total_h = columns * width, legend_h + rows * height
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{total_w}" height="{total_h}" '
           f'viewBox="0 0 {total_w} {total_h}" font-family="sans-serif" font-size="11">',
           f'<rect width="{total_w}" height="{total_h}" fill="white"/>',
           '<text x="10" y="18" font-size="14" font-weight="bold">Ours ÷ peer against n '
           '(below 1: ours is faster; log scales)</text>']
    # The legend, above every panel: one colour per peer, one dash per level.
    peers = sorted({peer for _, series, _ in panels for peer, _ in series})
    x = 10
    for peer in peers:
        out.append(f'<line x1="{x}" y1="38" x2="{x + 24}" y2="38" stroke="{PEER_COLOURS.get(peer, "black")}" '
                   f'stroke-width="2.5"/><text x="{x + 30}" y="42">{peer}</text>')
        x += 40 + 7 * len(peer)
    x = 10
    for label in labels:
        # Labels such as O3 name an optimisation level: shown as -O3.
        shown = f"-{label}" if re.fullmatch(r"O[0-9s]", label) else label
        out.append(f'<line x1="{x}" y1="56" x2="{x + 24}" y2="56" stroke="black" stroke-width="1.5" '
                   f'stroke-dasharray="{dashes[label]}"/><text x="{x + 30}" y="60">{shown}</text>')
        x += 90
    out.append(f'<line x1="{x}" y1="56" x2="{x + 24}" y2="56" stroke="black" stroke-width="1" '
               f'stroke-dasharray="2,3"/><text x="{x + 30}" y="60">target (ours ÷ the peer of its colour)</text>')
    for index, (title, series, targets) in enumerate(panels):
        ox = (index % columns) * width
        oy = legend_h + (index // columns) * height
        pw, ph = width - left - right, height - top - bottom
        sizes = sorted({n for points in series.values() for n in points})
        ratios = [r for points in series.values() for r in points.values() if r > 0] + [1.0] + list(targets.values())
        lo, hi = math.log2(min(ratios)), math.log2(max(ratios))
        lo, hi = math.floor(lo * 2) / 2 - 0.25, math.ceil(hi * 2) / 2 + 0.25
        xs = [math.log2(n) for n in sizes]
        x0, x1 = min(xs), max(xs)

        def px(n):
            return ox + left + (math.log2(n) - x0) / ((x1 - x0) or 1) * pw

        def py(r):
            return oy + top + (hi - math.log2(r)) / (hi - lo) * ph

        out.append(f'<text x="{ox + left + pw / 2}" y="{oy + 18}" text-anchor="middle" '
                   f'font-weight="bold">{title}</text>')
        out.append(f'<rect x="{ox + left}" y="{oy + top}" width="{pw}" height="{ph}" fill="none" stroke="#999"/>')
        # Ratio ticks at powers of two and the halves between them.
        tick = math.ceil(lo * 2) / 2
        while tick <= hi:
            r = 2 ** tick
            out.append(f'<line x1="{ox + left}" y1="{py(r):.1f}" x2="{ox + left + pw}" y2="{py(r):.1f}" '
                       f'stroke="#eee"/><text x="{ox + left - 4}" y="{py(r) + 4:.1f}" '
                       f'text-anchor="end">{r:.2g}</text>')
            tick += 0.5
        for n in sizes:
            out.append(f'<text x="{px(n):.1f}" y="{oy + top + ph + 14}" text-anchor="middle">'
                       f'2^{n.bit_length() - 1}</text>')
        out.append(f'<text x="{ox + left + pw / 2}" y="{oy + height - 8}" text-anchor="middle">n</text>')
        out.append(f'<line x1="{ox + left}" y1="{py(1):.1f}" x2="{ox + left + pw}" y2="{py(1):.1f}" '
                   f'stroke="black" stroke-width="1"/><text x="{ox + left + pw - 3}" y="{py(1) - 3:.1f}" '
                   f'text-anchor="end" fill="#444">same speed</text>')
        for peer, target in targets.items():
            out.append(f'<line x1="{ox + left}" y1="{py(target):.1f}" x2="{ox + left + pw}" y2="{py(target):.1f}" '
                       f'stroke="{PEER_COLOURS.get(peer, "black")}" stroke-dasharray="2,3"/>'
                       f'<text x="{ox + left + 3}" y="{py(target) - 3:.1f}" fill="#444">target ≤ {target}</text>')
        for (peer, label), points in sorted(series.items()):
            line = " ".join(f"{px(n):.1f},{py(r):.1f}" for n, r in sorted(points.items()) if r > 0)
            out.append(f'<polyline points="{line}" fill="none" stroke="{PEER_COLOURS.get(peer, "black")}" '
                       f'stroke-width="1.8" stroke-dasharray="{dashes[label]}"/>')
    out.append("</svg>")
    with open(path, "w") as f:
        f.write("\n".join(out) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bench", required=True)
    parser.add_argument("--program")
    parser.add_argument("--bare")
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--min-time", default="0.1")
    parser.add_argument("--startup-runs", type=int, default=300)
    parser.add_argument("--filter")
    parser.add_argument("--fresh-runs", type=int, default=6,
                        help="new processes per malloc setting for the fresh large queue (0: none)")
    parser.add_argument("--json", help="where to keep the raw benchmark results")
    parser.add_argument("--from-json", help="report on earlier results instead of running")
    parser.add_argument("--chart", help="where to write the SVG chart of ratios")
    parser.add_argument("--chart-also", nargs=2, action="append", default=[], metavar=("JSON", "LABEL"),
                        help="earlier results to draw in the chart too (dashed), their lines marked LABEL")
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
        print(f"raw results: {args.json}")

    context = data["context"]
    print(f"## Ratios, ours ÷ peer (median of {args.repetitions} repetitions; below 1: ours is faster)")
    print(f"\nHost: {context.get('host_name')}, {context.get('num_cpus')} CPUs at "
          f"{context.get('mhz_per_cpu')} MHz; {context.get('library_build_type')} Google Benchmark")
    cells = collect(data)
    print_tables(cells)
    print_hardening(cells)

    if args.program and args.bare:
        ours, bare = startup_ratio(args.program, args.bare, args.startup_runs)
        print(f"\n### Program start to finish ({args.startup_runs} alternating runs each, median)\n")
        print("| containers-demo | bare printf program | ratio (target ≤ 1.1) |\n|---|---|---|")
        print(f"| {ours:.0f} µs | {bare:.0f} µs | {ours / bare:.3f} |")

    if args.fresh_runs and sys.platform.startswith("linux"):
        print(f"\n### A fresh queue of 2^18 per round, in a new process each time "
              f"({args.fresh_runs} processes per setting)\n")
        print("| malloc | ours ÷ std::queue, each process | median |\n|---|---|---|")
        for setting, ratios in fresh_process_queue(args.bench, args.fresh_runs).items():
            print(f"| {setting} | " + ", ".join(f"{r:.2f}" for r in ratios) +
                  f" | {statistics.median(ratios):.2f} |")

    if args.chart:
        runs = [(cells, args.label)]
        for path, label in args.chart_also:
            with open(path) as f:
                runs.append((collect(json.load(f)), label))
        write_ratio_chart(runs, args.chart)
        print(f"\nchart written to {args.chart}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
