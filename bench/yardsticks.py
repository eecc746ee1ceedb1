#!/usr/bin/env python3
"""Ratios of the sample road's benchmarks to their yardsticks, from one JSON run of
sonalyx_bench made with repetitions (medians are used when present):

  taskset -c 2-5 sonalyx_bench --benchmark_filter='SampleRoad|SingleLoopRoad|DocumentRoad|LineSource|PlainLine|Transform|Asleep|Fader(EnginePass|Arrays)' \
      --benchmark_repetitions=3 --benchmark_enable_random_interleaving=true --benchmark_format=json > run.json
  python3 bench/yardsticks.py run.json
"""
import json
import sys

# (what, benchmark, yardstick, value, goal): value is the field compared; a ratio above the
# goal misses it; without a goal the ratio is only reported.
GOALS = [
    ("end to end, 1 ms chunks (CPU share)", "BM_SampleRoad", "BM_SingleLoopRoad", "cpu_pct", 1.5),
    ("document road, its window (CPU share)", "BM_DocumentRoad", "BM_SingleLoopRoad", "cpu_pct", 1.5),
    ("document road, step to OSC (median)", "BM_DocumentRoad", "BM_SingleLoopRoad", "latency_median_us", None),
    ("document road, step to OSC (p99)", "BM_DocumentRoad", "BM_SingleLoopRoad", "latency_p99_us", None),
    ("line-source pull path (time per byte)", "BM_LineSourcePull", "BM_PlainLineLoop", "cpu_time", 3.0),
    ("signal post to delivery, asleep (median)", "BM_SignalPostToDeliveryAsleep", "BM_EventfdWakeAsleep", "median_us", 1.5),
    ("fader engine, 64 faders", "BM_FaderEnginePass/64", "BM_PlainFaderArrays/64", "cpu_time", 1.5),
] + [
    ("FFT with bit-reversed load, N=%d" % n, "BM_TransformWithLoad/%d" % n, "BM_FftwTransform/%d" % n, "cpu_time",
     2.5 if n == 256 else 2.0)
    for n in (256, 1024, 4096, 16384)
]


def medians(run):
    plain, median = {}, {}
    for b in run["benchmarks"]:
        name = b.get("run_name", b["name"])
        if b.get("aggregate_name") == "median":
            median[name] = b
        elif b.get("run_type", "iteration") == "iteration":
            plain.setdefault(name, b)
    plain.update(median)
    return plain


def lookup(found, name):
    """The run named `name`, ignoring the options appended to it (/iterations:1/real_time)."""
    want = name.split("/")
    for run_name, run in found.items():
        parts = run_name.split("/")
        if parts[: len(want)] == want and all(":" in p or p.endswith("_time") for p in parts[len(want):]):
            return run
    return None


def main(path):
    found = medians(json.load(open(path)))
    missed = 0
    for what, name, yardstick, field, goal in GOALS:
        run, yard = lookup(found, name), lookup(found, yardstick)
        if run is None or yard is None:
            print("%-44s  not in this run" % what)
            continue
        a, b = run[field], yard[field]
        ratio = a / b if b else float("inf")
        if goal is None:
            print("%-44s %10.4g / %-10.4g = %5.2fx" % (what, a, b, ratio))
            continue
        ok = ratio <= goal
        missed += not ok
        print("%-44s %10.4g / %-10.4g = %5.2fx  (goal %.1fx) %s" % (what, a, b, ratio, goal, "met" if ok else "MISSED"))
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
