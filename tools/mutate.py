#!/usr/bin/env python3
"""Mutation sampler: puts one-token faults at seeded random places in a folder's code, rebuilds
that folder's test program and records whether its tests catch each fault.

The faults come from the code revision alone (seed, count and folder pick them), so a run with
other tests (--tests-rev, or only --tests-paths of it) meets the very same faults. Each worker has
its own copy of the tree and its own build folder; results are appended as JSON lines, and a
rerun skips the faults already recorded there.
"""
import argparse
import collections
import dataclasses
import difflib
import fcntl
import json
import os
import queue
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import mutants  # noqa: E402

FOLDERS = ["platform", "foundation", "shell", "ui", "controls", "sources", "analysis", "outputs", "app"]
BUILD_TIMEOUT = 1800


def git(repo, *args):
    return subprocess.run(["git", "-C", str(repo), *args], check=True, capture_output=True).stdout


def sample_faults(repo, rev, folder, count, seed):
    """The faults for folder at rev: count sites drawn from the function bodies of its .cpp files."""
    names = git(repo, "ls-tree", "-r", "--name-only", rev, folder + "/").decode().split()
    sites = []
    for name in sorted(names):
        if name.endswith(".cpp") and Path(name).name != "main.cpp":
            sites += mutants.find_sites(name, git(repo, "show", f"{rev}:{name}").decode())
    # A shuffle, then the first count: a larger count keeps the faults a smaller one drew.
    random.Random(f"{seed}/{folder}").shuffle(sites)
    return sites[:count]


def moved_site(site, old_text, new_text):
    """The site at its place in a newer text of its file, or None when its line changed."""
    if old_text == new_text:
        return site
    old_lines, new_lines = old_text.splitlines(keepends=True), new_text.splitlines(keepends=True)
    matcher = difflib.SequenceMatcher(None, old_lines, new_lines, autojunk=False)
    for old_start, new_start, size in matcher.get_matching_blocks():
        if old_start < site.line <= old_start + size:
            line = new_start + site.line - old_start
            start = sum(len(text) for text in new_lines[:line - 1]) + site.column - 1
            end = start + len(site.original)
            if new_text[start:end] != site.original:
                return None
            return dataclasses.replace(site, start=start, end=end, line=line)
    return None


def failed_tests(output):
    """The tests a test program's output reports failed, and the one it was running when it stopped."""
    failed, running = [], None
    for line in output.splitlines():
        name = (line[12:].split() or [""])[0]
        if line.startswith("[ RUN      ]"):
            running = name
        elif line.startswith(("[       OK ]", "[  FAILED  ]")):
            if line.startswith("[  FAILED  ]") and "." in name and name not in failed:
                failed.append(name)
            running = None
    return failed + ([running] if running and running not in failed else [])


def read_results(path):
    if not path.exists():
        return []
    return [json.loads(line) for line in path.read_text().splitlines() if line.strip()]


def result_key(r):
    return (r["folder"], r["file"], r["line"], r["column"], r["operator"], r["replacement"])


class Worker:
    """One copy of the tree at (code rev, tests rev) with its own build folder."""

    def __init__(self, args, index):
        self.args = args
        revs = args.trees / f"{args.code_rev[:10]}-{args.tests_rev[:10]}"
        if args.tests_paths != ["tests"]:
            revs = revs.with_name(revs.name + "-" + "-".join(p.replace("/", "_") for p in args.tests_paths))
        if args.old_test_files_only:
            revs = revs.with_name(revs.name + "-old-files")
        revs.mkdir(parents=True, exist_ok=True)
        # A tree another run is using is locked: take the next free one.
        while True:
            self.lock = open(revs / f"w{index}.lock", "w")
            try:
                fcntl.flock(self.lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
                break
            except BlockingIOError:
                self.lock.close()
                index += 1
        self.root = revs / f"w{index}"
        self.build = self.root / "build"
        self.marker = revs / f"w{index}.mutated"
        self.timeouts = {}
        # The worker's tests keep their files in a short folder of their own (socket paths are short).
        self.tmp = tempfile.mkdtemp(prefix=f"mutate-w{index}-")

    def log(self, text):
        print(f"[{self.root.name}] {text}", flush=True)

    def prepare(self):
        """Makes the tree once; puts back a file a stopped run left faulty."""
        a = self.args
        if not (self.root / "CMakeLists.txt").exists():
            self.root.mkdir(parents=True, exist_ok=True)
            self.extract(a.code_rev, ".")
            for path in a.tests_paths:
                shutil.rmtree(self.root / path, ignore_errors=True)
                self.extract(a.tests_rev, path)
            if a.old_test_files_only:
                # Tests added after the code revision may need newer code: they are not part of the
                # comparison, so they are left out.
                added = git(a.repo, "diff", "--name-only", "--diff-filter=A", a.code_rev, a.tests_rev, "--",
                            *a.tests_paths).decode().split()
                for name in added:
                    if name.endswith(".cpp"):
                        (self.root / name).unlink(missing_ok=True)
        if self.marker.exists():
            name = self.marker.read_text()
            (self.root / name).write_bytes(git(a.repo, "show", f"{a.code_rev}:{name}"))
            self.marker.unlink()
        if not (self.build / "CMakeCache.txt").exists():
            subprocess.run(["cmake", "-S", str(self.root), "-B", str(self.build), "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                            "-DSONALYX_BENCH=OFF"], check=True, capture_output=True)

    def extract(self, rev, path):
        archive = subprocess.Popen(["git", "-C", str(self.args.repo), "archive", rev, path], stdout=subprocess.PIPE)
        subprocess.run(["tar", "-x", "-C", str(self.root)], stdin=archive.stdout, check=True)
        if archive.wait() != 0:
            raise RuntimeError(f"git archive {rev} {path} failed")

    def build_tests(self, folder):
        """Builds test_<folder>; returns False when it does not compile."""
        try:
            done = subprocess.run(["cmake", "--build", str(self.build), "-j", str(self.args.build_jobs),
                                   "--target", f"test_{folder}"], capture_output=True, timeout=BUILD_TIMEOUT)
        except subprocess.TimeoutExpired:
            return False
        return done.returncode == 0

    def run_tests(self, folder, timeout):
        """Runs test_<folder>; returns (passed, detail, the tests that failed, crashed or hung)."""
        env = dict(os.environ, SONALYX_HEADLESS="1", FONTCONFIG_FILE=str(self.root / "tests/support/fonts.conf"),
                   TMPDIR=self.tmp)
        proc = subprocess.Popen([str(self.build / "tests" / f"test_{folder}")], cwd=self.build / "tests", env=env,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, start_new_session=True)
        try:
            out, _ = proc.communicate(timeout=timeout)
            detail = "passed" if proc.returncode == 0 else "failed"
            detail = f"signal {-proc.returncode}" if proc.returncode < 0 else detail
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, signal.SIGKILL)
            out, _ = proc.communicate()
            detail = "timeout"
        return detail == "passed", detail, failed_tests(out.decode(errors="replace"))

    def timeout_for(self, folder):
        """The test timeout: given, or five times a clean run (the clean run must pass)."""
        if folder not in self.timeouts:
            if not self.build_tests(folder):
                raise RuntimeError(f"test_{folder} does not build without faults")
            # A test that fails now and then must not drop the folder: three tries.
            for _ in range(3):
                start = time.monotonic()
                passed, detail, tests = self.run_tests(folder, 1200)
                seconds = time.monotonic() - start
                if passed:
                    break
                self.log(f"test_{folder} failed without faults: {detail} {' '.join(tests)}")
            if not passed:
                raise RuntimeError(f"test_{folder} fails without faults ({detail} {' '.join(tests)})")
            self.timeouts[folder] = self.args.timeout or max(60.0, 5 * seconds)
            self.log(f"test_{folder} clean in {seconds:.1f} s; timeout {self.timeouts[folder]:.0f} s")
        return self.timeouts[folder]

    def try_fault(self, folder, site):
        timeout = self.timeout_for(folder)
        path = self.root / site.file
        clean = path.read_text()
        self.marker.write_text(site.file)
        path.write_text(mutants.apply(clean, site))
        start = time.monotonic()
        try:
            if not self.build_tests(folder):
                outcome, detail, tests = "not compiled", "", []
            else:
                passed, detail, tests = self.run_tests(folder, timeout)
                outcome = "survived" if passed else "caught"
        finally:
            path.write_text(clean)
            self.marker.unlink()
        return outcome, detail, tests, time.monotonic() - start


def run(args):
    done = {result_key(r) for r in read_results(args.results)}
    todo = queue.Queue()
    for folder in args.folders:
        for site in sample_faults(args.repo, args.fault_rev, folder, args.count, args.seed):
            if site.key(folder) not in done:
                todo.put((folder, site, place_in_code(args, site)))
    print(f"{todo.qsize()} faults to try, {len(done)} already recorded", flush=True)
    lock, broken = threading.Lock(), set()

    def work(index):
        worker = Worker(args, index)
        try:
            worker.prepare()
            work_through(worker)
        finally:
            shutil.rmtree(worker.tmp, ignore_errors=True)

    def work_through(worker):
        while True:
            try:
                folder, site, placed = todo.get_nowait()
            except queue.Empty:
                return
            if folder in broken:
                continue
            try:
                if placed is None:
                    outcome, detail, tests, seconds = "site gone", "its line changed in the code revision", [], 0.0
                else:
                    outcome, detail, tests, seconds = worker.try_fault(folder, placed)
            except RuntimeError as e:
                worker.log(f"skipping {folder}: {e}")
                broken.add(folder)
                continue
            record = dict(folder=folder, file=site.file, line=site.line, column=site.column,
                          operator=site.operator, original=site.original, replacement=site.replacement,
                          outcome=outcome, seconds=round(seconds, 1), detail=detail, tests=tests,
                          fault_rev=args.fault_rev, code_rev=args.code_rev, tests_rev=args.tests_rev,
                          tests_paths=args.tests_paths,
                          old_test_files_only=args.old_test_files_only, seed=args.seed)
            with lock:
                with args.results.open("a") as f:
                    f.write(json.dumps(record) + "\n")
            worker.log(f"{site.file}:{site.line} {site.operator} {outcome} {detail} ({seconds:.0f} s)")

    threads = [threading.Thread(target=work, args=(i,)) for i in range(args.jobs)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    summary(args.results)
    return 1 if broken else 0


def place_in_code(args, site):
    """The fault drawn at --fault-rev, placed in the code revision's text of its file (None: gone)."""
    if args.fault_rev == args.code_rev:
        return site
    try:
        new_text = git(args.repo, "show", f"{args.code_rev}:{site.file}").decode()
    except subprocess.CalledProcessError:
        return None
    return moved_site(site, git(args.repo, "show", f"{args.fault_rev}:{site.file}").decode(), new_text)


def summary(path):
    counts = collections.defaultdict(collections.Counter)
    for r in read_results(path):
        counts[r["folder"]][r["outcome"]] += 1
    print(f"{'folder':<12}{'faults':>8}{'caught':>8}{'survived':>10}{'not compiled':>14}")
    for folder in sorted(counts, key=lambda f: FOLDERS.index(f) if f in FOLDERS else len(FOLDERS)):
        c = counts[folder]
        print(f"{folder:<12}{sum(c.values()):>8}{c['caught']:>8}{c['survived']:>10}{c['not compiled']:>14}")


def sole_catchers(path):
    """Lists, per test, the faults no other test catches: a trim must keep them caught."""
    sole = collections.defaultdict(list)
    for r in read_results(path):
        if r["outcome"] == "caught" and len(r.get("tests", [])) == 1:
            sole[(r["folder"], r["tests"][0])].append(f"{r['file']}:{r['line']} {r['operator']}")
    for (folder, test), faults in sorted(sole.items()):
        print(f"{folder}: {test}: {', '.join(faults)}")


def compare(before_path, after_path):
    """Lists the faults caught in the first results but not in the second, for the second's folders;
    counts apart those the second run has not tried yet."""
    after = {result_key(r): r for r in read_results(after_path)}
    folders = {key[0] for key in after}
    lost = not_run = 0
    for r in read_results(before_path):
        later = after.get(result_key(r))
        if r["folder"] not in folders or r["outcome"] != "caught":
            continue
        if later is None:
            not_run += 1
        elif later["outcome"] != "caught":
            print(f"{r['folder']}: {r['file']}:{r['line']}:{r['column']} {r['operator']} "
                  f"{r['original']!r} -> {r['replacement']!r} ({later['outcome']}; caught before by "
                  f"{' '.join(r.get('tests', [])) or r['detail']})")
            lost += 1
    untried = f"; {not_run} caught before not tried yet" if not_run else ""
    print(f"{lost} faults caught before and not after{untried}")
    return 1 if lost or not_run else 0


def self_test():
    """Checks each fault kind on a small sample text."""
    sample = """#include <vector>
// if (a < b) in a comment
namespace { const int kLimit = 4; }
int Count(const std::vector<int>& v, int n) {
    int total = 0;
    for (int i = 0; i < n; ++i) {
        if (v[i] >= kLimit && v[i] != 7)
            total += v[i];
    }
    Log("x < 1");
    for (; n-- > 0;) total++;
    return total - 1;
}
"""
    found = {(s.operator, s.original, s.replacement) for s in mutants.find_sites("sample.cpp", sample)}
    expected = {("comparison-flip", "<", ">"), ("comparison-boundary", "<", "<="),
                ("comparison-boundary", ">=", ">"), ("comparison-flip", "!=", "=="), ("logic", "&&", "||"),
                ("arithmetic", "++", "--"), ("arithmetic", "+=", "-="), ("arithmetic", "-", "+"),
                ("constant", "7", "8"), ("constant", "0", "1"),
                ("negate", "v[i] >= kLimit && v[i] != 7", "!(v[i] >= kLimit && v[i] != 7)"),
                ("remove", "total += v[i];", "{}"), ("remove", 'Log("x < 1");', "{}"),
                ("remove", "total++;", "{}"),
                ("comparison-boundary", ">", ">=")}
    unexpected = [("constant", "4", "5"), ("remove", "n-- > 0;", "{}")]
    missing = expected - found
    wrong = [u for u in unexpected if u in found]
    for m in missing:
        print("missing:", m)
    for w in wrong:
        print("unexpected:", w)
    site = next(s for s in mutants.find_sites("sample.cpp", sample) if s.operator == "logic")
    if "||" not in mutants.apply(sample, site).splitlines()[6]:
        print("apply did not put the fault on its line")
        missing.add("apply")
    output = "[ RUN      ] A.One\n[       OK ] A.One (0 ms)\n[ RUN      ] A.Two\n[  FAILED  ] A.Two (1 ms)\n" \
             "[ RUN      ] B.Three\n[  FAILED  ] 1 test, listed below:\n[  FAILED  ] A.Two\n"
    if failed_tests(output) != ["A.Two"] or failed_tests(output.rsplit("[  FAILED  ] 1", 1)[0]) != ["A.Two", "B.Three"]:
        print("failed tests read wrongly:", failed_tests(output))
        missing.add("failed_tests")
    newer = "// a new first line\n" + sample
    moved = moved_site(site, sample, newer)
    if not moved or mutants.apply(newer, moved).splitlines()[7] != mutants.apply(sample, site).splitlines()[6]:
        print("a fault did not follow its line into a newer text")
        missing.add("moved_site")
    if moved_site(site, sample, sample.replace("v[i] != 7", "v[i] != 8")) is not None:
        print("a fault stayed on a changed line")
        missing.add("moved_site")
    print("self-test", "failed" if missing or wrong else "passed")
    return 1 if missing or wrong else 0


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--folders", default=",".join(FOLDERS), help="comma-separated code folders")
    p.add_argument("--count", type=int, default=30, help="faults per folder")
    p.add_argument("--seed", default="26")
    p.add_argument("--jobs", type=int, default=3, help="parallel workers, each with its own tree")
    p.add_argument("--build-jobs", type=int, default=2, help="compile jobs per worker")
    p.add_argument("--timeout", type=float, default=0, help="test seconds (default: 5x a clean run, 60 at least)")
    p.add_argument("--results", type=Path, default=None, help="results file (default: ../mutants/results.jsonl beside the repository)")
    p.add_argument("--code-rev", default="HEAD", help="revision of everything but tests/")
    p.add_argument("--fault-rev", help="revision the faults are drawn from (default: the code revision); "
                                        "each is put at the same code in the code revision")
    p.add_argument("--tests-rev", default="HEAD", help="revision of tests/")
    p.add_argument("--tests-paths", default="tests",
                   help="comma-separated paths taken from --tests-rev, e.g. tests/ui,tests/support when the tests "
                        "revision also holds newer tests of other folders that need newer code")
    p.add_argument("--old-test-files-only", action="store_true",
                   help="leave out test sources the tests revision added after the code revision")
    p.add_argument("--trees", type=Path, default=None, help="where worker trees live (default: ../mutants/trees beside the repository)")
    p.add_argument("--list", action="store_true", help="print the sampled faults and stop")
    p.add_argument("--summary", type=Path, metavar="RESULTS", help="print the table of a results file")
    p.add_argument("--compare", type=Path, nargs=2, metavar=("BEFORE", "AFTER"),
                   help="list faults caught in BEFORE but not in AFTER")
    p.add_argument("--sole", type=Path, metavar="RESULTS", help="list the faults only one test catches")
    p.add_argument("--self-test", action="store_true")
    args = p.parse_args()
    if args.self_test:
        return self_test()
    if args.summary:
        return summary(args.summary) or 0
    if args.sole:
        return sole_catchers(args.sole) or 0
    if args.compare:
        return compare(*args.compare)
    args.repo = Path(git(Path.cwd(), "rev-parse", "--show-toplevel").decode().strip())
    # Worker trees and results stay outside the repository, so its own builds never see them.
    args.results = args.results or args.repo.parent / "mutants" / "results.jsonl"
    args.trees = args.trees or args.repo.parent / "mutants" / "trees"
    args.code_rev = git(args.repo, "rev-parse", args.code_rev).decode().strip()
    args.tests_rev = git(args.repo, "rev-parse", args.tests_rev).decode().strip()
    args.fault_rev = git(args.repo, "rev-parse", args.fault_rev or args.code_rev).decode().strip()
    args.folders = [f for f in args.folders.split(",") if f]
    args.tests_paths = [p.strip("/") for p in args.tests_paths.split(",") if p]
    if args.list:
        for folder in args.folders:
            for s in sample_faults(args.repo, args.fault_rev, folder, args.count, args.seed):
                print(f"{folder}: {s.file}:{s.line}:{s.column} {s.operator} {s.original!r} -> {s.replacement!r}")
        return 0
    args.results.parent.mkdir(parents=True, exist_ok=True)
    return run(args)


if __name__ == "__main__":
    sys.exit(main())
