#!/usr/bin/env python3
"""Ours ÷ peer for every benchmark (below 1, ours is faster), from the medians of repetitions interleaved at
random in one run: tables, and a chart of one run or more. report.py --bench containers-bench --level -O3
[--json out.json] [--chart out.png] | report.py --from-json a.json [b.json ...] [--chart out.png]"""
import argparse
import json
import math
import subprocess
from collections import defaultdict

# Benchmarks are <Family>_<Impl>[/<variant>]/<n>. The hash families' peers run once per key shape (<Keys>) for
# both of our loads (<Keys>_Load50, _Load89). OursFast* are ours at the fast hardening level, against none.
OURS = {"Ours": "ours", "OursByView": "by view", "OursFast": "fast", "OursFastByView": "fast"}
HARDENED = {"OursFast": "Ours", "OursFastByView": "OursByView"}
PEERS = {"StdUnordered": "unordered_map", "Absl": "absl map", "AbslEntrySet": "absl set", "Boost": "boost",
         "Vector": "std::vector", "StdQueue": "std::queue", "StdList": "std::list"}
SHAPES = ["", "Tiny", "Short", "Long", "Decimal", "Ids", "Urls", "Uuids"]
SHOWN = {"HashFind": {"OursByView": ["StdUnordered", "Absl", "AbslEntrySet", "Boost"], "Ours": ["StdUnordered"]},
         "HashFindAbsent": {"OursByView": ["StdUnordered", "Absl"]}, "HashInsert": {"Ours": ["StdUnordered"]}}
TARGETS = {("HashFind", "OursByView", "StdUnordered"): 1.0, ("HashFind", "OursByView", "AbslEntrySet"): 1.0,
           ("HashFind", "Ours", "StdUnordered", "Short"): 1.0, ("HashFindAbsent", "OursByView", "StdUnordered"): 1.0,
           ("HashFindAbsent", "OursByView", "Absl"): 1.0, ("HashInsert", "Ours", "StdUnordered"): 0.5,
           ("StackPushPop", "Ours", "Vector"): 1.0, ("QueueSteadyState", "Ours", "StdQueue"): 1.0,
           ("ListAddClear", "Ours", "StdList"): 1.0, ("ListInOrder", "Ours", "StdList"): 1.5, "fast": 1.05}
PANELS = {"HashFind50": "Find, stored keys, by view, load 0.5", "HashFind89": "Find, stored keys, by view, load 0.89",
          "HashFindAbsent": "Find, absent keys, by view", "HashInsert": "Insert", "": "Stack, queue and list"}
FROM_N = 1 << 10  # the tables and targets start here; 2^8 is in the JSON


def ratios(data):  # {(family, keys, impl, peer): {load: {n: ours ÷ peer}}}
    ns = defaultdict(dict)
    for b in data["benchmarks"]:
        name, *variant, n = b["run_name"].split("/")
        keys, _, load = (variant or [""])[0].partition("_Load")
        ns[tuple(name.rsplit("_", 1)) + (keys,)][(load, int(n))] = 1e9 / b["items_per_second"] \
            if "items_per_second" in b else b["real_time"] * {"ns": 1, "us": 1e3, "ms": 1e6}[b["time_unit"]]
    out = defaultdict(lambda: defaultdict(dict))
    for (family, impl, keys), mine in ns.items():
        for peer in [HARDENED[impl]] if impl in HARDENED else [p for f, p, k in ns if (f, k) == (family, keys)
                                                                 and p not in OURS] if impl in OURS else []:
            theirs = ns[(family, peer, keys)]
            for (load, n), t in mine.items():
                if n >= FROM_N and {(load, n), ("", n)} & theirs.keys():
                    out[(family, keys, impl, peer)][load][n] = t / theirs.get((load, n), theirs.get(("", n)))
    return out


def geomean(values):
    return math.exp(sum(map(math.log, values)) / len(values))


def cell(r, limit):
    return "-" if r is None else f"{r:.3f}*" if limit is not None and r > limit else f"{r:.2f}"


def print_tables(table, title):
    sizes = sorted({n for loads in table.values() for r in loads.values() for n in r})
    met, fast, family = defaultdict(lambda: [0, 0]), defaultdict(lambda: defaultdict(list)), None
    head = f"{' | '.join(f'2^{n.bit_length() - 1}' for n in sizes)} |\n" + "|---" * (len(sizes) + 2) + "|"
    print(f"\n## {title}\n\nOurs ÷ peer (below 1, ours is faster); a hash cell is `load 0.5/load 0.89`; `*` marks "
          "a target missed. The JSON beside this page holds every benchmark.")
    for key in sorted(table, key=lambda k: (k[0] not in SHOWN, k[0], SHAPES.index(k[1]), k[2] == "OursByView",
                                            list(PEERS).index(k[3]) if k[3] in PEERS else 0)):
        f, keys, impl, peer = key
        if impl in HARDENED:
            for n, r in ((n, r) for load in table[key].values() for n, r in load.items()):
                fast[f][n].append(r)
        elif f not in SHOWN or peer in SHOWN[f].get(impl, []):
            if f != family:
                family = f
                print(f"\n### {f}\n\n| keys | ours ÷ peer | {head}")
            limit = TARGETS.get((f, impl, peer), TARGETS.get((f, impl, peer, keys)))
            label = f"{'by copy' if f.startswith('HashFind') and impl == 'Ours' else OURS[impl]} ÷ {PEERS[peer]}"
            label += f" (≤ {limit})" if limit else ""
            for r in (r for load in table[key].values() for r in load.values() if limit is not None):
                met[f"{f}: {label}"][r > limit] += 1
            print(f"| {keys or '-'} | {label} | " + " | ".join("/".join(cell(table[key][load].get(n), limit) for load
                                                                  in sorted(table[key])) for n in sizes) + " |")
    print(f"\n### Fast hardening level ÷ none, geometric mean of each family's cells (≤ 1.05)\n\n| family | {head}")
    for f, by_n in sorted(fast.items()):
        means = [geomean(by_n[n]) if n in by_n else None for n in sizes]
        for m in filter(None, means):
            met[f"{f}: fast ÷ none (≤ 1.05)"][m > TARGETS["fast"]] += 1
        print(f"| {f} | " + " | ".join(cell(m, TARGETS["fast"]) for m in means) + " |")
    print("\n| target | cells that meet it |\n|---|---|\n" + "\n".join(f"| {name} | {good} of {good + bad} |"
                                                                     for name, (good, bad) in met.items()))
    if not any(peer == "Boost" for *_, peer in table):
        print("\nboost::unordered_flat_map was not measured: Boost 1.81 or later is not installed.")


def draw_chart(runs, path):  # a column per run, a panel per family: ours ÷ each peer across n
    try:
        import matplotlib
        matplotlib.use("Agg")
        import matplotlib.pyplot as plt
    except ImportError:
        return print("chart not drawn: matplotlib is not installed (Debian: python3-matplotlib)")
    fig, axes = plt.subplots(len(PANELS), len(runs), figsize=(7 * len(runs), 4 * len(PANELS)), squeeze=False)
    colours = {peer: f"C{i}" for i, peer in enumerate(PEERS)}
    for column, (title, table, _) in enumerate(runs):
        lines = defaultdict(lambda: defaultdict(list))  # (panel, peer, family, load) -> {n: ratio for each key shape}
        for (f, keys, impl, peer), loads in table.items():
            for load, by_n in loads.items() if peer in PEERS and impl in ("Ours", "OursByView") and \
                    (f, impl) not in {("HashFind", "Ours"), ("HashFindAbsent", "Ours")} else []:
                for n, r in by_n.items():
                    lines[(f + load if f == "HashFind" else f if keys else "", peer, f, load)][n].append(r)
        for ax, panel in zip((row[column] for row in axes), PANELS):
            for i, ((p, peer, f, load), by_n) in enumerate(sorted(lines.items())):
                ns, colour = sorted(by_n), colours[peer] if panel else f"C{i}"
                if p == panel:
                    ax.plot(ns, [geomean(by_n[n]) for n in ns], "--" if load == "89" else "-", color=colour,
                            marker=".", label=PEERS[peer] + (f" ({f})" if not panel else ", 0.89" if load == "89"
                                                             else ""))
                    ax.fill_between(ns, [min(by_n[n]) for n in ns], [max(by_n[n]) for n in ns], color=colour,
                                    alpha=0.1, linewidth=0)
            ax.axhline(1.0, color="black", linewidth=1)
            ax.set(xscale="log", yscale="log", title=f"{PANELS[panel]}, {title}", ylabel="ours ÷ peer",
                   xticks=sorted({n for by_n in lines.values() for n in by_n}))
            ax.set_yticks([t for t in (0.05, 0.1, 0.25, 0.5, 1, 2, 4) if ax.get_ylim()[0] <= t <= ax.get_ylim()[1]])
            ax.xaxis.set_major_formatter(lambda n, _: f"n = 2^{round(math.log2(n))}")
            ax.yaxis.set_major_formatter(lambda r, _: f"{r:g}")
            ax.xaxis.set_minor_formatter(""), ax.yaxis.set_minor_formatter(""), ax.legend(fontsize=7, ncol=2)
    fig.suptitle(f"{runs[0][2]}: ours ÷ peer, below 1 ours is faster\nhash tables: lines are the geometric mean over "
                 "the key shapes, bands their range")
    fig.tight_layout(rect=(0, 0, 1, 0.98))
    fig.savefig(path, dpi=60)
    print(f"chart: {path}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for option, default in (("--bench", None), ("--json", None), ("--chart", None), ("--level", ""),
                            ("--filter", "."), ("--repetitions", "5"), ("--min-time", "0.1")):
        parser.add_argument(option, default=default)
    parser.add_argument("--from-json", nargs="+", default=[])
    args = parser.parse_args()
    runs = [json.load(open(path)) for path in args.from_json]
    if args.bench:
        print("running the benchmarks (about an hour)...", flush=True)
        data = json.loads(subprocess.run([args.bench, "--benchmark_format=json", "--benchmark_filter=" + args.filter,
                                          "--benchmark_repetitions=" + args.repetitions, "--benchmark_min_time=" +
                                          args.min_time, "--benchmark_enable_random_interleaving=true",
                                          "--benchmark_report_aggregates_only=true"], check=True, stdout=-1).stdout)
        model = [line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo") if line.startswith("model name")]
        data["context"].update(processor=(model or ["processor not recorded"])[0], level=args.level,
                               repetitions=args.repetitions)
        data["benchmarks"] = [{k: b[k] for k in ("run_name", "time_unit", "real_time", "items_per_second") if k in b}
                              for b in data["benchmarks"] if b.get("aggregate_name", "median") == "median"]
        runs.append(data)
        if args.json:
            json.dump(data, open(args.json, "w"), indent=0)
    titled = []
    for c, table in ((data["context"], ratios(data)) for data in runs):
        print(f"\nHost: {c['processor']}, {c['num_cpus']} CPUs at {c['mhz_per_cpu']} MHz; medians of "
              f"{c['repetitions']} repetitions; {c['library_build_type']} Google Benchmark; code built {c['level']}")
        print_tables(table, f"Ratios, {c['level']}")
        titled.append((c["level"], table, c["processor"]))
    if args.chart:
        draw_chart(titled, args.chart)


if __name__ == "__main__":
    main()
