#!/usr/bin/env python3
"""Ours ÷ peer from the medians of repetitions interleaved at random in one run, as tables and a chart of runs:
report.py --bench BINARY --level -O3 [--json J] [--chart P] [benchmark flags...] | --from-json J... [--chart P]"""
import argparse
import json
import math
import subprocess
from collections import defaultdict

# Benchmarks are <Family>_<Impl>[/<Keys>[_Load50|_Load89]]/<n>, hash peers once per key shape. A family's rows are
# (ours, peer, target), some in the chart alone; OursFast* is ours at the fast hardening level, against ours at none.
ROWS = {"HashFind": [("OursByView", "StdUnordered", 1), ("OursByView", "Absl", 0), ("OursByView", "AbslEntrySet", 1),
                     ("Ours", "StdUnordered", 1), ("OursByView", "Boost", 0)],
        "HashFindAbsent": [("OursByView", "StdUnordered", 1), ("OursByView", "Absl", 1), ("OursByView", "AbslEntrySet",
                           0), ("OursByView", "Boost", 0)],
        "HashInsert": [("Ours", "StdUnordered", 0.5), ("Ours", "Absl", 0)], "StackPushPop": [("Ours", "Vector", 1)],
        "QueueSteadyState": [("Ours", "StdQueue", 1)], "ListAddClear": [("Ours", "StdList", 1)],
        "ListInOrder": [("Ours", "StdList", 1.5)], "ListRandomGet": [("Ours", "StdList", 0)]}
NAMES = {"Ours": "", "OursByView": "", "StdUnordered": "unordered_map", "Absl": "absl map",
         "AbslEntrySet": "absl set", "Boost": "boost", "Vector": "std::vector", "StdQueue": "std::queue",
         "StdList": "std::list", "fast": "fast level ", "none": "none"}
SHAPES = ["Tiny", "Short", "Long", "Decimal", "Ids", "Urls", "Uuids"]
PANELS = {"HashFind50": "Find, stored keys, by view, load 0.5", "HashFind89": "Find, stored keys, by view, load 0.89",
          "HashFindAbsent": "Find, absent keys, by view", "HashInsert": "Insert", "": "Stack, queue and list"}


def geomean(values):
    return math.exp(sum(map(math.log, values)) / len(values))


def rows(data):  # (table, keys, ours, peer, target, {load: {n: ratio}}) from n = 2^10 on (2^8 is in the JSON)
    t = defaultdict(dict)
    for b in data["benchmarks"]:
        name, *variant, n = b["run_name"].split("/")
        keys, _, load = (variant or [""])[0].partition("_Load")
        t[tuple(name.rsplit("_", 1)) + (keys, load)][int(n)] = 1e9 / b["items_per_second"] \
            if "items_per_second" in b else b["real_time"] * {"ns": 1, "us": 1e3, "ms": 1e6}[b["time_unit"]]
    for family, pairs in ROWS.items():
        fast = defaultdict(list)  # the fast level ÷ none over the family's key shapes and loads
        for keys in SHAPES if family.startswith("Hash") else [""]:
            for ours, peer, target in pairs + [(pairs[0][0].replace("Ours", "OursFast"), pairs[0][0], 0)]:
                found = defaultdict(dict)
                for load in ["50", "89"] if keys else [""]:
                    mine, theirs = t[(family, ours, keys, load)], t.get((family, peer, keys, load)) or \
                        t[(family, peer, keys, "")]
                    for n in (n for n in mine if n in theirs and n >= 1 << 10):
                        found[load][n] = mine[n] / theirs[n]
                        fast[n] += [found[load][n]] if "Fast" in ours else []
                by_copy = (family, ours) == ("HashFind", "Ours")  # shown for 6-15-byte keys; all in the JSON
                if found and "Fast" not in ours and (keys == "Short" or not by_copy):
                    yield family if keys else "Sequences", keys or family, ours, peer, target, found
        if fast:
            yield family if keys else "Sequences", "all" if keys else family, "fast", "none", 1.05, \
                {"": {n: geomean(rs) for n, rs in fast.items()}}


def print_tables(data):
    sizes = sorted({n for *_, found in rows(data) for by_n in found.values() for n in by_n})
    met, table = defaultdict(lambda: [0, 0]), None
    print(f"\n## Ratios, {data['context']['level']}\n\nA hash cell is `load 0.5/load 0.89`; `*`: a missed target; fast "
          "level: its cost.")
    for group, keys, ours, peer, target, found in rows(data):
        if group != table:
            table, shown = group, None
            print(f"\n### {group}\n\n| keys | ratio | " + " | ".join(f"2^{n.bit_length() - 1}" for n in sizes)
                  + " |\n" + "|---" * (len(sizes) + 2) + "|")
        name = ("by copy " if ours == "Ours" and group == "HashFind" else NAMES[ours]) + "÷ " + NAMES[peer]
        cells = [[found[load].get(n) for load in found] for n in sizes]
        for r in (r for rs in cells for r in rs if r and target):
            met[f"{keys if group == 'Sequences' else group}: {name.replace('÷', 'ours ÷', name[0] == '÷')} ≤ "
                f"{target}"][r > target] += 1
        if peer != "Boost" and (group, peer) not in {("HashFindAbsent", "AbslEntrySet"), ("HashInsert", "Absl")}:
            print(f"| {keys if keys != shown else ''} | {name} | " + " | ".join("/".join(
                "-" if r is None else f"{r:.{3 + (round(r, 3) <= target)}f}*" if target and r > target else f"{r:.2f}"
                for r in rs) for rs in cells) + " |")
            shown = keys
    print("\n| target | cells that meet it |\n|---|---|\n" + "\n".join(f"| {name} | {good} of {good + bad} |"
                                                                     for name, (good, bad) in met.items()))
    if not any(b["run_name"].startswith("HashFind_Boost") for b in data["benchmarks"]):
        print("\nboost::unordered_flat_map was not measured: Boost 1.81 or later is not installed.")


def draw_chart(runs, path):  # a column per run, a panel per family: ours ÷ each peer across n
    try:
        import matplotlib
        matplotlib.use("Agg")
        import matplotlib.pyplot as plt
    except ImportError:
        return print("chart not drawn: matplotlib is not installed (Debian: python3-matplotlib)")
    fig, axes = plt.subplots(len(PANELS), len(runs), figsize=(7 * len(runs), 4 * len(PANELS)), squeeze=False)
    for column, data in enumerate(runs):
        lines = defaultdict(lambda: defaultdict(list))  # (panel, family, peer, load) -> {n: [ratio of each shape]}
        for group, keys, ours, peer, _, found in rows(data):
            for load, by_n in found.items() if ours != "fast" and (ours, group) != ("Ours", "HashFind") else []:
                for n, r in by_n.items():
                    lines[(group + load if group == "HashFind" else "" if group == "Sequences" else group,
                           keys if group == "Sequences" else "", peer, load)][n].append(r)
        for ax, panel in zip((row[column] for row in axes), PANELS):
            for i, ((p, family, peer, load), by_n) in enumerate(sorted(lines.items())):
                ns, colour = sorted(by_n), f"C{i if family else list(NAMES).index(peer)}"
                if p == panel:
                    ax.plot(ns, [geomean(by_n[n]) for n in ns], "--" if load == "89" else "-", color=colour,
                            marker=".", label=NAMES[peer] + (f" ({family})" if family else ", 0.89" * (load == "89")))
                    ax.fill_between(ns, [min(by_n[n]) for n in ns], [max(by_n[n]) for n in ns], color=colour,
                                    alpha=0.1, linewidth=0)
            ax.axhline(1.0, color="black", linewidth=1)
            ax.set(xscale="log", yscale="log", title=f"{PANELS[panel]}, {data['context']['level']}",
                   ylabel="ours ÷ peer", xticks=sorted({n for by_n in lines.values() for n in by_n}))
            ax.set_yticks([y for y in (0.05, 0.1, 0.25, 0.5, 1, 2, 4) if ax.get_ylim()[0] <= y <= ax.get_ylim()[1]])
            ax.xaxis.set_major_formatter(lambda n, _: f"n = 2^{round(math.log2(n))}")
            ax.yaxis.set_major_formatter(lambda y, _: f"{y:g}")
            ax.xaxis.set_minor_formatter(""), ax.yaxis.set_minor_formatter(""), ax.legend(fontsize=7, ncol=2)
    fig.suptitle(f"{runs[0]['context']['processor']}: ours ÷ peer, below 1 ours is faster\nhash tables: lines are the "
                 "geometric mean over the key shapes, bands their range; dashed: load 0.89")
    fig.tight_layout(rect=(0, 0, 1, 0.98))
    fig.savefig(path, dpi=60)
    print(f"chart: {path}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for option in ("--bench", "--json", "--chart", "--level"):
        parser.add_argument(option)
    parser.add_argument("--from-json", nargs="+", default=[])
    args, flags = parser.parse_known_args()  # the benchmark's own flags, which override the defaults here
    runs = [json.load(open(path)) for path in args.from_json]
    if args.bench:
        print("running the benchmarks (about half an hour)...", flush=True)
        data = json.loads(subprocess.run([args.bench, "--benchmark_format=json", "--benchmark_repetitions=5",
                                          "--benchmark_min_time=0.1", "--benchmark_enable_random_interleaving=true",
                                          "--benchmark_report_aggregates_only=true"] + flags,
                                         check=True, stdout=-1).stdout)
        cpu = {k.strip(): v.strip() for k, _, v in (line.partition(":") for line in open("/proc/cpuinfo"))}
        data["context"].update(level=args.level, repetitions=data["benchmarks"][0].get("repetitions", 1),
                               processor=cpu.get("model name", "processor not recorded") + "".join(
                                   f", {k} {cpu[k]}" for k in ("cpu family", "model") if k in cpu))
        data["benchmarks"] = [{k: b[k] for k in ("run_name", "time_unit", "real_time", "items_per_second") if k in b}
                              for b in data["benchmarks"] if b.get("aggregate_name", "median") == "median"]
        runs.append(data)
        if args.json:
            json.dump(data, open(args.json, "w"), indent=0)
    for c in (data["context"] for data in runs):
        print(f"\nHost: {c['processor']}, {c['num_cpus']} CPUs at {c['mhz_per_cpu']} MHz; medians of "
              f"{c['repetitions']} repetitions; {c['library_build_type']} Google Benchmark; code built {c['level']}")
    for data in runs:
        print_tables(data)
    if args.chart:
        draw_chart(runs, args.chart)


if __name__ == "__main__":
    main()
