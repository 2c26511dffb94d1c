#!/usr/bin/env python3
"""Runs the benchmarks and prints how our containers compare with their peers.

Every ratio is ours / peer, from the medians of repeated runs made in the same
process, so both sides see the same machine at the same time. Below 1 means
ours is faster.

  report.py --bench containers-bench [--program containers-demo
            --bare containers-bare-printf] [--json out.json]
  report.py --from-json O3.json --label O3 --chart-also O2.json O2 --chart out.svg
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
PEER_COLOURS = {"StdUnordered": "tab:blue", "Absl": "tab:orange", "Vector": "tab:green",
                "StdQueue": "tab:purple", "StdList": "tab:red", "KeyCopyOnly": "tab:gray"}

# Where the chart marks ratios, whichever of them fall in a panel's range.
RATIO_TICKS = [0.125, 0.25, 0.5, 0.6, 0.7, 0.8, 0.9, 1, 1.1, 1.25, 1.5, 2, 3, 4, 6, 8]

# glibc's malloc settings that keep freed large arrays in the heap.
KEEP_HEAP = "glibc.malloc.trim_threshold=2000000000:glibc.malloc.mmap_threshold=2000000000"


def run_json(command, env=None, quiet=False):
    """Runs a benchmark command line and returns its JSON results; quiet, with no banner."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "out.json")
        with subprocess.Popen(command + [f"--benchmark_out={path}", "--benchmark_out_format=json"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL if quiet else None,
                              env=env) as process:
            started = time.monotonic()
            while True:  # a line every 30 s, so that a run of minutes shows it is alive
                try:
                    process.wait(timeout=30)
                    break
                except subprocess.TimeoutExpired:
                    print(f"  still measuring: {time.monotonic() - started:.0f} s so far", flush=True)
        if process.returncode != 0:
            raise subprocess.CalledProcessError(process.returncode, command)
        with open(path) as f:
            return json.load(f)


def collect(data):
    """{(family, variant): {impl: {n: ns per item}}} from the medians."""
    cells = defaultdict(lambda: defaultdict(dict))
    for bench in data["benchmarks"]:
        if bench.get("aggregate_name") != "median":
            continue
        parts = bench["run_name"].split("/")
        family, impl = parts[0].rsplit("_", 1)
        scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[bench["time_unit"]]
        ns = 1e9 / bench["items_per_second"] if "items_per_second" in bench else bench["real_time"] * scale
        cells[(family, "/".join(parts[1:-1]))][impl][int(parts[-1])] = ns
    return cells


def fmt_n(n):
    return f"2^{n.bit_length() - 1}" if n & (n - 1) == 0 else str(n)


def panel_name(family, variant, impl):
    return family + (" by view" if impl == "OursByView" else "") + (f" {variant}" if variant else "")


def print_tables(cells):
    missed = 0
    for (family, variant), impls in sorted(cells.items()):
        ours = [impl for impl in OURS if impl in impls]
        if not ours:
            continue
        sizes = sorted(impls[ours[0]])
        print(f"\n### {panel_name(family, variant, '')}\n\n| | " + " | ".join(map(fmt_n, sizes)) + " |")
        print("|---" * (len(sizes) + 1) + "|")
        for impl in ours:
            print(f"| {OURS[impl]}, ns/op | " + " | ".join(f"{impls[impl][n]:.2f}" for n in sizes) + " |")
        for impl in ours:
            for peer in sorted(p for p in impls if p not in OURS and p not in HARDENED):
                target = TARGETS.get((family, variant, impl, peer))
                row = []
                for n in sizes:
                    ratio = impls[impl][n] / impls[peer][n] if n in impls[peer] else float("nan")
                    miss = target is not None and ratio > target
                    missed += miss
                    row.append(f"{ratio:.2f}" + (" **missed**" if miss else ""))
                label = f"{OURS[impl]} ÷ {peer}" + (f" (target ≤ {target})" if target else "")
                print(f"| {label} | " + " | ".join(row) + " |")
    if missed:
        print(f"\n{missed} cells miss their target (marked **missed**); a benchmark is no test, so the run passes.")


def print_hardening(cells):
    """Fast hardening level ÷ none, for every row of ours that has both."""
    rows = [(panel_name(family, variant, plain), {n: impls[fast][n] / impls[plain][n]
                                                   for n in impls[plain] if n in impls[fast]})
            for (family, variant), impls in sorted(cells.items())
            for fast, plain in HARDENED.items() if fast in impls and plain in impls]
    if rows:
        print(f"\n## Fast hardening level ÷ none (limit {HARDENING_LIMIT}; both in this run)\n")
        for name, ratios in rows:
            print(f"| {name} | " + " | ".join(f"{fmt_n(n)}: {r:.3f}" + (" **over**" if r > HARDENING_LIMIT else "")
                                               for n, r in sorted(ratios.items())) + " |")
        print(f"\nworst row: {max(r for _, ratios in rows for r in ratios.values()):.3f}")


def print_startup(program, bare, runs):
    """Median wall time of the program against a bare printf program, alternating runs."""
    times = {program: [], bare: []}
    for _ in range(runs):
        for binary in times:
            start = time.perf_counter_ns()
            subprocess.run([binary], stdout=subprocess.DEVNULL, check=True)
            times[binary].append(time.perf_counter_ns() - start)
    ours, peer = (statistics.median(times[b]) / 1e3 for b in (program, bare))
    print(f"\n### Program start to finish ({runs} alternating runs each, median)\n")
    print("| containers-demo | bare printf program | ratio (target ≤ 1.1) |\n|---|---|---|")
    print(f"| {ours:.0f} µs | {peer:.0f} µs | {ours / peer:.3f} |")


def print_fresh_queue(binary, runs):
    """Ours ÷ std::queue for a fresh queue of 2^18 per round, each run in a new
    process with nothing else on its heap, with glibc's defaults and with freed arrays kept."""
    print(f"\n### A fresh queue of 2^18 per round, in a new process each time ({runs} processes per setting)\n")
    print("| malloc | ours ÷ std::queue, each process | median |\n|---|---|---|")
    for setting, tunables in (("glibc's defaults", None), ("freed arrays kept (GLIBC_TUNABLES)", KEEP_HEAP)):
        ratios = []
        for _ in range(runs):
            env = dict(os.environ, GLIBC_TUNABLES=tunables) if tunables else None
            data = run_json([binary, "--benchmark_filter=^QueueSteadyState_(Ours|StdQueue)/262144$",
                             "--benchmark_min_time=0.2"], env, quiet=True)
            times = {b["run_name"].split("/")[0]: b["real_time"] for b in data["benchmarks"]}
            ratios.append(times["QueueSteadyState_Ours"] / times["QueueSteadyState_StdQueue"])
        print(f"| {setting} | " + ", ".join(f"{r:.2f}" for r in ratios) + f" | {statistics.median(ratios):.2f} |")


def ratio_ticks(low, high):
    """Ticks from RATIO_TICKS in [low, high], at least a sixth of the range apart, 1 always among them."""
    import math
    gap = math.log(high / low) / 6
    ticks = [1.0]
    for tick in sorted(t for t in RATIO_TICKS if low <= t <= high):
        if all(abs(math.log(tick / kept)) >= gap for kept in ticks):
            ticks.append(tick)
    return sorted(ticks)


def write_chart(runs, path):
    """Ours ÷ peer against n, one panel per operation: a colour per peer, a line style per run."""
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    # Text as text, and the same data makes the same file.
    matplotlib.rcParams.update({"svg.fonttype": "none", "svg.hashsalt": "containers"})

    panels = defaultdict(lambda: ({}, {}))  # title -> ({(peer, label): {n: ratio}}, {peer: target})
    for cells, label in runs:
        for (family, variant), impls in cells.items():
            for impl in (i for i in OURS if i in impls):
                series, targets = panels[panel_name(family, variant, impl)]
                for peer in (p for p in impls if p not in OURS and p not in NOT_A_PEER):
                    series[(peer, label)] = {n: impls[impl][n] / impls[peer][n]
                                             for n in impls[impl] if n in impls[peer]}
                    if (family, variant, impl, peer) in TARGETS:
                        targets[peer] = TARGETS[(family, variant, impl, peer)]
    styles = {label: style for (_, label), style in zip(runs, ("-", "--", ":"))}
    columns = 4
    rows = (len(panels) + columns - 1) // columns
    figure, axes = plt.subplots(rows, columns, figsize=(4 * columns, 3.2 * rows), squeeze=False)
    plain = matplotlib.ticker.FuncFormatter(lambda value, _: f"{value:g}")
    for ax, (title, (series, targets)) in zip(axes.flat, sorted(panels.items())):
        for (peer, label), points in sorted(series.items()):
            ns = sorted(points)
            ax.plot(ns, [points[n] for n in ns], styles[label], color=PEER_COLOURS.get(peer, "black"))
        for peer, target in targets.items():
            ax.axhline(target, color=PEER_COLOURS.get(peer, "black"), linestyle=(0, (1, 2)), linewidth=1)
        ax.axhline(1.0, color="black", linewidth=1)
        ax.set_title(title)
        ax.set_xscale("log", base=2)
        ax.set_yscale("log", base=2)
        ax.yaxis.set_major_locator(matplotlib.ticker.FixedLocator(ratio_ticks(*ax.get_ylim())))
        ax.yaxis.set_major_formatter(plain)
        ax.yaxis.set_minor_locator(matplotlib.ticker.NullLocator())
        ax.grid(True, which="major", color="#eee")
    for ax in axes.flat[len(panels):]:
        ax.axis("off")
    peers = sorted({peer for series, _ in panels.values() for peer, _ in series})
    handles = [plt.Line2D([], [], color=PEER_COLOURS.get(p, "black"), label=f"ours ÷ {p}") for p in peers]
    handles += [plt.Line2D([], [], color="black", linestyle=styles[label], label=f"-{label}" if label else "this run")
                for _, label in runs]
    handles += [plt.Line2D([], [], color="black", linewidth=1, label="same speed"),
                plt.Line2D([], [], color="gray", linestyle=(0, (1, 2)), label="target (for that colour's peer)")]
    # The legend goes where a panel would be, or below the panels.
    spare = axes.flat[len(panels)] if len(panels) < axes.size else None
    (spare or figure).legend(handles=handles, loc="center" if spare else "lower center", frameon=False)
    figure.suptitle("Ours ÷ peer against n (below 1: ours is faster; log scales)")
    figure.tight_layout(rect=(0, 0, 1, 0.98))
    figure.savefig(path, metadata={"Date": None} if path.endswith(".svg") else None)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bench")
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
    parser.add_argument("--label", default="", help="how the chart marks this run's lines, such as O3")
    args = parser.parse_args()

    if args.from_json:
        with open(args.from_json) as f:
            data = json.load(f)
    else:
        print("running the benchmarks (a few minutes)...", flush=True)
        # Repetitions of all benchmarks are interleaved at random, so that a
        # slow spell of the machine falls on ours and the peers alike.
        data = run_json([args.bench, f"--benchmark_repetitions={args.repetitions}",
                         "--benchmark_enable_random_interleaving=true", "--benchmark_report_aggregates_only=true",
                         f"--benchmark_min_time={args.min_time}"] +
                        ([f"--benchmark_filter={args.filter}"] if args.filter else []))
        print("(A \"Library was built as DEBUG\" notice above is about the Google Benchmark library "
              "that was linked, not about the code under test, which is built as this preset says.)")
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
        print_startup(args.program, args.bare, args.startup_runs)
    if args.bench and args.fresh_runs and not args.from_json and sys.platform.startswith("linux"):
        print_fresh_queue(args.bench, args.fresh_runs)
    if args.chart:
        runs = [(cells, args.label)]
        for path, label in args.chart_also:
            with open(path) as f:
                runs.append((collect(json.load(f)), label))
        write_chart(runs, args.chart)
        print(f"\nchart written to {args.chart}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
