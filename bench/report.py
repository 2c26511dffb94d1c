#!/usr/bin/env python3
"""Prints ours / peer for every benchmark, from the medians of repetitions interleaved at random
in one run (below 1, ours is faster), and draws the chart.

  report.py --bench containers-bench [--program containers-demo --bare containers-bare-printf] [--json out.json]
  report.py --from-json O3.json --label O3 --chart-also O2.json O2 --chart out.svg
"""
import argparse
import json
import math
import platform
import statistics
import subprocess
import time
from collections import defaultdict

# Benchmarks are named <Family>_<Impl>[/<variant>]/<n>. Ours are these impls; OursFast* are ours at the
# fast hardening level, each compared with ours at none. Every other impl is a peer; KeyCopyOnly, a part
# of our Find, is left out of the chart.
OURS = {"Ours": "ours", "OursByView": "ours, Find by view",
        "OursFast": "fast level", "OursFastByView": "fast level, Find by view"}
HARDENED = {"OursFast": "Ours", "OursFastByView": "OursByView"}
HARDENING_LIMIT = 1.05
KEYS, LOADS = ("Tiny", "Short", "Long"), ("Load50", "Load89")
TARGET_FROM_N = 1 << 10  # smaller sizes are in the tables, not held to the targets
TARGETS = {  # (family, variant, ours, peer) -> target ratio, or (ratio, {n: ratio at that n})
    ("StackPushPop", "", "Ours", "Vector"): 1.0,
    ("QueueSteadyState", "", "Ours", "StdQueue"): 1.0,
    ("HashFind", "Short_Load50", "Ours", "StdUnordered"): 1.0,
    **{(family, f"{keys}_{load}", impl, peer): target for keys in KEYS for load in LOADS
       for family, impl, peer, target in (("HashFind", "OursByView", "StdUnordered", (1.0, {1 << 10: 0.8})),
                                          ("HashFind", "OursByView", "Absl", 1.25),
                                          ("HashFindAbsent", "OursByView", "StdUnordered", 1.0),
                                          ("HashFindAbsent", "OursByView", "Absl", 1.0),
                                          ("HashInsert", "Ours", "StdUnordered", 0.5))},
    ("ListAddClear", "", "Ours", "StdList"): 1.0,
    ("ListInOrder", "", "Ours", "StdList"): 1.5,
}
COLOURS = defaultdict(lambda: "k", {"StdUnordered": "tab:blue", "Absl": "tab:orange", "Vector": "tab:green",
                                     "StdQueue": "tab:purple", "StdList": "tab:red", "KeyCopyOnly": "tab:gray"})
RATIO_TICKS = [0.125, 0.25, 0.5, 0.6, 0.7, 0.8, 0.9, 1, 1.1, 1.25, 1.5, 2, 3, 4, 6, 8]


def processor():  # the model name, which Google Benchmark's context leaves out
    try:
        with open("/proc/cpuinfo") as cpuinfo:
            for line in cpuinfo:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
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
    return cells


def fmt_n(n):
    return f"2^{n.bit_length() - 1}" if n & (n - 1) == 0 else str(n)


def panel_name(family, variant, impl):
    return family + (" by view" if impl == "OursByView" else "") + (f" {variant}" if variant else "")


def ratios(impls, impl, peer):
    return {n: impls[impl][n] / impls[peer][n] for n in impls[impl] if n in impls[peer]}


def print_tables(cells):
    missed = 0
    for (family, variant), impls in sorted(cells.items()):
        ours = [impl for impl in OURS if impl in impls]
        if not ours:
            continue
        sizes = sorted(impls[ours[0]])
        print(f"\n### {panel_name(family, variant, '')}\n\n| | " + " | ".join(map(fmt_n, sizes)) + " |")
        print("|---" * (len(sizes) + 1) + "|")
        for impl in (i for i in ours if i not in HARDENED):
            print(f"| {OURS[impl]}, ns/op | " + " | ".join(f"{impls[impl][n]:.2f}" for n in sizes) + " |")
        pairs = [(i, p) for i in ours if i not in HARDENED for p in sorted(impls) if p not in OURS]
        for impl, peer in pairs + [(i, HARDENED[i]) for i in ours if HARDENED.get(i) in impls]:
            target, at = HARDENING_LIMIT if impl in HARDENED else TARGETS.get((family, variant, impl, peer), math.inf), {}
            if isinstance(target, tuple):
                target, at = target
            row = ratios(impls, impl, peer)
            over = {n for n, r in row.items() if n >= TARGET_FROM_N and r > at.get(n, target)}
            missed += len(over)
            label = f"{OURS[impl]} ÷ {OURS.get(peer, peer)}" + (f" (target ≤ {target}" + "".join(
                f"; {t} at {fmt_n(n)}" for n, t in at.items()) + ")" if target < math.inf else "")
            print(f"| {label} | " + " | ".join(
                f"{row[n]:.2f}" + (" **missed**" if n in over else "") if n in row else "nan" for n in sizes) + " |")
    if missed:
        print(f"\n{missed} cells from {fmt_n(TARGET_FROM_N)} on miss their target (marked **missed**); a benchmark is "
              "no test, so the run passes.")


def print_startup(program, bare, runs):
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


def write_chart(runs, path, processor):  # a panel per operation, a colour per peer, a line style per run
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    matplotlib.rcParams.update({"svg.fonttype": "none", "svg.hashsalt": "containers"})  # text as text; same bytes

    panels = defaultdict(lambda: ({}, {}))  # title -> ({(peer, label): {n: ratio}}, {peer: target})
    for cells, label in runs:
        for (family, variant), impls in cells.items():
            for impl in (i for i in OURS if i in impls and i not in HARDENED):
                series, targets = panels[panel_name(family, variant, impl)]
                for peer in (p for p in impls if p not in OURS and p != "KeyCopyOnly"):
                    series[(peer, label)] = ratios(impls, impl, peer)
                    if (family, variant, impl, peer) in TARGETS:
                        target = TARGETS[(family, variant, impl, peer)]
                        targets[peer] = target[0] if isinstance(target, tuple) else target
    styles = dict(zip((label for _, label in runs), ("-", "--", ":")))
    rows = (len(panels) + 3) // 4
    figure, axes = plt.subplots(rows, 4, figsize=(16, 3.2 * rows), squeeze=False)
    for ax, (title, (series, targets)) in zip(axes.flat, sorted(panels.items())):
        for (peer, label), points in sorted(series.items()):
            ax.plot(sorted(points), [points[n] for n in sorted(points)], styles[label], color=COLOURS[peer])
        for peer, target in targets.items():
            ax.axhline(target, color=COLOURS[peer], linestyle=(0, (1, 2)), linewidth=1)
        ax.axhline(1.0, color="black", linewidth=1)
        ax.set_title(title)
        ax.set_xscale("log", base=2)
        ax.set_yscale("log", base=2)
        low, high = ax.get_ylim()  # ticks at least a sixth of the range apart, 1 among them
        ticks = [1.0]
        for tick in (t for t in RATIO_TICKS if low <= t <= high):
            if all(abs(math.log(tick / kept)) >= math.log(high / low) / 6 for kept in ticks):
                ticks.append(tick)
        ax.set_yticks(sorted(ticks), [f"{t:g}" for t in sorted(ticks)])
        ax.yaxis.set_minor_locator(matplotlib.ticker.NullLocator())
        ax.grid(True, which="major", color="#eee")
    for ax in axes.flat[len(panels):]:
        ax.axis("off")
    peers = sorted({peer for series, _ in panels.values() for peer, _ in series})
    handles = [plt.Line2D([], [], color=COLOURS[p], label=f"ours ÷ {p}") for p in peers] + [
        plt.Line2D([], [], color="k", linestyle=styles[label], label=f"-{label}" if label else "this run")
        for _, label in runs] + [plt.Line2D([], [], color="k", linewidth=1, label="same speed"), plt.Line2D(
            [], [], color="gray", linestyle=(0, (1, 2)), label="target (for that colour's peer)")]
    spare = axes.flat[len(panels)] if len(panels) < axes.size else None  # the legend takes a panel's place
    (spare or figure).legend(handles=handles, loc="center" if spare else "lower center", frameon=False)
    figure.suptitle(f"Ours ÷ peer against n, {processor} (below 1: ours is faster; log scales)")
    figure.tight_layout(rect=(0, 0, 1, 0.98))
    figure.savefig(path, metadata={"Date": None} if path.endswith(".svg") else None)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    for option in ("--bench", "--program", "--bare", "--json", "--from-json", "--chart"):
        parser.add_argument(option)
    parser.add_argument("--filter", default=".")
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--label", default="")  # how the chart marks this run's lines, such as O3
    parser.add_argument("--chart-also", nargs=2, action="append", default=[], metavar=("JSON", "LABEL"))
    args = parser.parse_args()

    if args.from_json:
        data = json.load(open(args.from_json))
    else:
        print("running the benchmarks (about 20 minutes on 2 cores)...", flush=True)
        data = json.loads(subprocess.run([
            args.bench, f"--benchmark_repetitions={args.repetitions}", "--benchmark_min_time=0.1",
            "--benchmark_enable_random_interleaving=true", "--benchmark_report_aggregates_only=true",
            f"--benchmark_filter={args.filter}", "--benchmark_format=json"], check=True, stdout=subprocess.PIPE).stdout)
        data["context"]["processor"] = processor()
    if args.json:
        with open(args.json, "w") as f:
            json.dump(data, f, indent=1)
        print(f"raw results: {args.json}")

    context = data["context"]  # the build type is the benchmark library's, not that of the code under test
    print(f"## Ratios, ours ÷ peer (median of {args.repetitions} repetitions; below 1: ours is faster)")
    print(f"\nHost: {context.get('processor', 'processor not recorded')}, {context.get('host_name')}, "
          f"{context.get('num_cpus')} CPUs at "
          f"{context.get('mhz_per_cpu')} MHz; {context.get('library_build_type')} Google Benchmark")
    cells = collect(data)
    print_tables(cells)
    if args.program and args.bare:
        print_startup(args.program, args.bare, 300)
    if args.chart:
        runs = [(cells, args.label)]
        runs += [(collect(json.load(open(path))), label) for path, label in args.chart_also]
        write_chart(runs, args.chart, context.get("processor", "processor not recorded"))
        print(f"\nchart written to {args.chart}")


if __name__ == "__main__":
    main()
