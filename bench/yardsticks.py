#!/usr/bin/env python3
"""Ratios of the sample road's benchmarks to their yardsticks, from one JSON run of
sonalyx_bench made with repetitions (medians are used when present):

  taskset -c 2-5 sonalyx_bench --benchmark_filter='SampleRoad|SingleLoopRoad|DocumentRoad|LineSource|PlainLine|Transform|Asleep|Fader(EnginePass|Arrays)' \
      --benchmark_repetitions=3 --benchmark_enable_random_interleaving=true --benchmark_format=json > run.json
  python3 bench/yardsticks.py run.json

The road benchmarks run in several shapes (channels, FFT length N); the goals hold for the
document's shape (4 channels, N = 1024), and a table shows how the cost grows with the work.
"""
import json
import sys

# (what, benchmark, yardstick, value, goal): value is the field compared; a ratio above the
# goal misses it; without a goal the ratio is only reported.
ROAD = "/channels:4/n:1024"
GOALS = [
    ("end to end, 1 ms chunks (CPU share)", "BM_SampleRoad" + ROAD, "BM_SingleLoopRoad" + ROAD, "cpu_pct", 1.5),
    ("document road, its window (CPU s per s)", "BM_DocumentRoad" + ROAD, "BM_SingleLoopRoad" + ROAD,
     "cpu_s_per_signal_s", 8.0),
    ("document road, step to OSC (median)", "BM_DocumentRoad" + ROAD, "BM_SingleLoopRoad" + ROAD,
     "latency_median_us", None),
    ("document road, step to OSC (p99)", "BM_DocumentRoad" + ROAD, "BM_SingleLoopRoad" + ROAD, "latency_p99_us",
     1.5),
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


# The shapes of the road benchmarks whose cost is shown beside the single loop's.
SHAPES = [(1, 1024), (2, 1024), (4, 1024), (4, 256), (4, 8192)]


def growth(found):
    """The document road's CPU per second of signal beside the single loop's, per shape; and
    whether every probe step of the measured span got its datagram."""
    lost = 0
    print("%-34s %12s %12s %8s" % ("document road (CPU s per s of signal)", "program", "single loop", "ratio"))
    for channels, n in SHAPES:
        shape = "/channels:%d/n:%d" % (channels, n)
        run, yard = lookup(found, "BM_DocumentRoad" + shape), lookup(found, "BM_SingleLoopRoad" + shape)
        if run is None or yard is None:
            continue
        a, b = run["cpu_s_per_signal_s"], yard["cpu_s_per_signal_s"]
        print("  %d channels, N = %-5d %27.4f %12.4f %7.2fx" % (channels, n, a, b, a / b if b else float("inf")))
        if (channels, n) == (4, 1024):
            lost = int(run.get("probe_steps", 0) - run.get("probe_answered", 0))
            print("  probe steps without their datagram (4 channels, N = 1024): %d %s"
                  % (lost, "met" if lost == 0 else "MISSED"))
    return 1 if lost else 0


def main(path):
    found = medians(json.load(open(path)))
    missed = growth(found)
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
