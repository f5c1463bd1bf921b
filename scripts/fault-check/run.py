#!/usr/bin/env python3
"""Plants each fault of faults.txt in turn and records whether the suite catches it.

The faults are applied to a copy of the worktree (build-faults/tree, brought
up to date with the worktree at every start), never to the worktree itself.
The copy has its own incremental build (build-faults/build, ccache, warnings
not fatal). For every fault: apply it, rebuild, run the normal ctest suite
(the GUI tests under Xvfb as ctest runs them; no fuzzers, no sanitizer
build), put the file back, and record caught / not caught and the tests that
failed. A fault whose old text is not found exactly once is reported as not
applied; one that does not compile as a build failure.

  scripts/fault-check/run.py                  every fault
  scripts/fault-check/run.py M01 E03          only these
  scripts/fault-check/run.py --list           check that every fault applies, build nothing
  scripts/fault-check/run.py --out scripts/fault-check/baseline
                                              write the table to baseline.md (and baseline.json)
  scripts/fault-check/run.py --resume         keep the results of an earlier, interrupted run
                                              (faults named with it are run again)
  scripts/fault-check/run.py --out build-faults/after --compare scripts/fault-check/baseline.json
                                              also list the faults caught before and not now

Environment: FAULT_JOBS (default 2), FAULT_WORK (default <repo>/build-faults).
"""

import argparse
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent
AREAS = ["model", "io", "export", "edit", "render", "app"]


# --- The fault list --------------------------------------------------------

class Fault:
    def __init__(self, fid):
        self.id = fid
        self.area = ""
        self.what = ""
        self.file = ""
        self.old = None
        self.new = None


def parse_faults(path):
    """Blocks of "[ID]" followed by "key: value" lines. "old+:" and "new+:"
    continue the text on a new line; the one space after the colon is not
    part of the value."""
    faults = []
    current = None
    for number, raw in enumerate(path.read_text().splitlines(), 1):
        line = raw.rstrip("\n")
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        header = re.fullmatch(r"\[([A-Za-z0-9_-]+)\]\s*", line)
        if header:
            current = Fault(header.group(1))
            faults.append(current)
            continue
        match = re.fullmatch(r"(area|what|file|old|old\+|new|new\+):(.*)", line)
        if current is None or not match:
            sys.exit(f"{path}:{number}: cannot read this line: {line!r}")
        key, value = match.group(1), match.group(2)
        if value.startswith(" "):
            value = value[1:]
        if key in ("old", "new"):
            setattr(current, key, value)
        elif key in ("old+", "new+"):
            attr = key[:-1]
            if getattr(current, attr) is None:
                sys.exit(f"{path}:{number}: {key} without {attr}")
            setattr(current, attr, getattr(current, attr) + "\n" + value)
        else:
            setattr(current, key, value.strip())
    ids = [f.id for f in faults]
    for f in faults:
        if ids.count(f.id) > 1:
            sys.exit(f"fault {f.id} is listed twice")
        if not (f.area and f.what and f.file and f.old is not None and f.new is not None):
            sys.exit(f"fault {f.id} lacks area, what, file, old or new")
        if f.area not in AREAS:
            sys.exit(f"fault {f.id}: unknown area {f.area}")
    return faults


# --- Finding the old text --------------------------------------------------

def flexible_pattern(text):
    """The old text with every run of blanks matching any run of blanks, so
    re-indented or re-wrapped code still matches."""
    words = text.split()
    return re.compile(r"\s+".join(re.escape(w) for w in words))


def find_in(content, old):
    """(start, end) spans of `old` in `content`: exact matches, or when there
    is no exact one, matches with blanks taken loosely."""
    spans = []
    at = content.find(old)
    while at >= 0:
        spans.append((at, at + len(old)))
        at = content.find(old, at + 1)
    if spans:
        return spans
    return [m.span() for m in flexible_pattern(old).finditer(content)]


def locate(fault, tree):
    """(path, span, note) where the fault applies, or (None, None, reason)."""
    listed = tree / fault.file
    if listed.is_file():
        spans = find_in(listed.read_text(), fault.old)
        if len(spans) == 1:
            return listed, spans[0], ""
        if len(spans) > 1:
            return None, None, f"old text found {len(spans)} times in {fault.file}"
    # The file moved or changed: the old text anywhere under src/, once.
    hits = []
    for path in sorted((tree / "src").rglob("*")):
        if path.is_file() and path.suffix in (".cpp", ".h", ".hpp", ".c"):
            for span in find_in(path.read_text(errors="replace"), fault.old):
                hits.append((path, span))
    if len(hits) == 1:
        path, span = hits[0]
        return path, span, f"found in {path.relative_to(tree)}"
    where = "not found" if not hits else f"found {len(hits)} times"
    return None, None, f"old text {where} under src/"


# --- The copy of the worktree ----------------------------------------------

def worktree_files():
    out = subprocess.run(["git", "ls-files", "-z", "-c", "-o", "--exclude-standard"], cwd=REPO,
                         check=True, capture_output=True).stdout
    return sorted({p for p in out.decode().split("\0") if p and (REPO / p).is_file()})


def sync_copy(tree):
    """Brings the copy to the worktree's content. Only files whose bytes
    differ are written (their time is then now), so the copy's build stays
    incremental and never trusts an object built from a planted fault."""
    tree.mkdir(parents=True, exist_ok=True)
    files = worktree_files()
    wanted = set(files)
    written = 0
    for rel in files:
        source = REPO / rel
        target = tree / rel
        data = source.read_bytes()
        if target.is_file() and target.read_bytes() == data:
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
        shutil.copymode(source, target)
        written += 1
    removed = 0
    for path in sorted(tree.rglob("*"), reverse=True):
        rel = path.relative_to(tree).as_posix()
        if path.is_file() and rel not in wanted:
            path.unlink()
            removed += 1
        elif path.is_dir() and not any(path.iterdir()):
            path.rmdir()
    return written, removed


# --- Build and tests -------------------------------------------------------

def end_session(session):
    """Ends every process still in `session` (a test's Xvfb, a compiler of
    an interrupted build): nothing of a run may outlive it."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        listed = subprocess.run(["ps", "-s", str(session), "-o", "pid="], capture_output=True, text=True).stdout
        pids = [int(p) for p in listed.split() if int(p) != os.getpid()]
        if not pids:
            return
        for pid in pids:
            try:
                os.kill(pid, sig)
            except ProcessLookupError:
                pass
        time.sleep(2)


def run_logged(command, log, cwd=None):
    """Runs `command` in a session of its own, output to `log`; whatever it
    leaves running is ended, also when the run is interrupted."""
    with open(log, "w") as out:
        process = subprocess.Popen(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        try:
            return process.wait()
        finally:
            end_session(process.pid)


def configure(tree, build, logs):
    if (build / "CMakeCache.txt").is_file():
        return True
    command = ["cmake", "-S", str(tree), "-B", str(build), "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
               "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache",
               # A fault may leave a variable unused; that must not stop the build.
               "-DQARTO_WERROR=OFF"]
    return run_logged(command, logs / "configure.log") == 0


def build_all(build, jobs, log):
    return run_logged(["cmake", "--build", str(build), f"-j{jobs}"], log) == 0


def test_name(listed):
    """A failed test as LastTestsFailed.log lists it, without gtest's
    "  # GetParam() = ..." tail."""
    return listed.split("  #", 1)[0].strip()


def qt_failures(log_text, program):
    """The QtTest functions that failed in `program` ("Class::function"),
    read from its output, which ctest prints after its result line."""
    names = []
    inside = False
    for line in log_text.splitlines():
        if re.match(r"\s*\d+/\d+ Test\s+#\d+: ", line) or re.match(r"\s*Start\s+\d+: ", line):
            inside = re.search(r"Test\s+#\d+: " + re.escape(program) + r" \.", line) is not None
            continue
        match = re.match(r"FAIL!\s+:\s+(\S+?)\(", line)
        if inside and match and match.group(1) not in names:
            names.append(match.group(1))
    return names


def run_tests(build, jobs, log):
    """The names of the tests that failed (empty when all passed). A QtTest
    program is one ctest test; its failed functions follow its name."""
    failed_log = build / "Testing" / "Temporary" / "LastTestsFailed.log"
    if failed_log.exists():
        failed_log.unlink()
    run_logged(["ctest", f"-j{jobs}", "--timeout", "600", "--output-on-failure"], log, cwd=build)
    failed = []
    if failed_log.exists():
        for line in failed_log.read_text().splitlines():
            name = test_name(line.split(":", 1)[1] if ":" in line else line)
            if name:
                failed.append(name)
    text = Path(log).read_text(errors="replace")
    named = []
    for name in sorted(failed):
        functions = qt_failures(text, name)
        named.append(name + (" (" + ", ".join(functions) + ")" if functions else ""))
    return named


# --- The table --------------------------------------------------------------

STATUS_TEXT = {
    "caught": "caught",
    "not caught": "**NOT caught**",
    "not applied": "not applied",
    "build failed": "does not build",
}


def shorten(names, most=4):
    if not names:
        return ""
    shown = ", ".join(f"`{n}`" for n in names[:most])
    return shown + (f" (+{len(names) - most} more)" if len(names) > most else "")


def tree_state():
    """The commit the worktree stands on, marked when src/ or tests/ hold changes beyond it."""
    commit = subprocess.run(["git", "rev-parse", "--short", "HEAD"], cwd=REPO, capture_output=True,
                            text=True).stdout.strip()
    changed = subprocess.run(["git", "status", "--porcelain", "--", "src", "tests"], cwd=REPO, capture_output=True,
                             text=True).stdout.strip()
    return commit + (" with uncommitted changes under src/ or tests/" if changed else "")


def sole_catchers(faults, results):
    """Test -> the faults it alone catches."""
    alone = {}
    for f in faults:
        r = results.get(f.id, {})
        failed = [test_name(n) for n in r.get("failed", [])]
        if r.get("status") == "caught" and len(failed) == 1:
            alone.setdefault(failed[0], []).append(f.id)
    return alone


def comparison(faults, results, previous, previous_name):
    """Lines naming the faults caught in `previous` and not now, and the reverse."""
    def caught(rs, fid):
        return rs.get(fid, {}).get("status") == "caught"
    both = [f.id for f in faults if f.id in results and f.id in previous]
    lost = [i for i in both if caught(previous, i) and not caught(results, i)]
    gained = [i for i in both if caught(results, i) and not caught(previous, i)]
    return ["", f"## Against {previous_name}", "",
            f"Caught there: {sum(caught(previous, i) for i in both)} of {len(both)}; "
            f"here: {sum(caught(results, i) for i in both)} of {len(both)}.",
            "Caught there, not here: " + (", ".join(lost) if lost else "none") + ".",
            "Caught here, not there: " + (", ".join(gained) if gained else "none") + "."]


def write_table(path, faults, results, clean_failures, seconds, tree="", compare=None):
    lines = ["# Planted faults", "",
             "Written by `scripts/fault-check/run.py` (faults in `scripts/fault-check/faults.txt`)"
             + (f" on {tree}" if tree else "") + ".", ""]
    counted = [r for r in results.values() if r["status"] in ("caught", "not caught")]
    caught = sum(1 for r in counted if r["status"] == "caught")
    lines.append(f"Caught: **{caught} of {len(counted)}** applied faults.")
    by_area = []
    for area in AREAS:
        rs = [results[f.id] for f in faults if f.area == area and f.id in results
              and results[f.id]["status"] in ("caught", "not caught")]
        if rs:
            by_area.append(f"{area} {sum(1 for r in rs if r['status'] == 'caught')}/{len(rs)}")
    if by_area:
        lines.append("By area: " + ", ".join(by_area) + ".")
    others = [r for r in results.values() if r["status"] not in ("caught", "not caught")]
    if others:
        lines.append(f"Not applied or not building: {len(others)}.")
    if clean_failures:
        lines.append("Tests failing without any fault (not counted): " + shorten(clean_failures, 10) + ".")
    times = sorted(r["seconds"] for r in results.values() if "seconds" in r)
    if seconds and times:
        lines.append(f"Run time: {seconds / 60:.0f} min in all, the first build of the copy and its clean test run "
                     f"included; per fault (rebuild and ctest -j{os.environ.get('FAULT_JOBS', '2')}) "
                     f"{times[len(times) // 2]} s median, {times[-1]} s at most.")
    lines += ["", "| Id | Area | Fault | Result | Failing tests |", "|---|---|---|---|---|"]
    for f in faults:
        r = results.get(f.id)
        if r is None:
            continue
        failed = [test_name(n) for n in r.get("failed", [])]
        detail = f"{len(failed)}: {shorten(failed)}" if failed else ""
        if r.get("note"):
            detail = (detail + "; " if detail else "") + r["note"]
        lines.append(f"| {f.id} | {f.area} | {f.what} | {STATUS_TEXT[r['status']]} | {detail} |")
    if compare:
        lines += comparison(faults, results, compare[1], compare[0])
    alone = sole_catchers(faults, results)
    if alone:
        lines += ["", "## Tests that alone catch a fault", "",
                  "Slimming must keep these, or move their check elsewhere first.", ""]
        for test in sorted(alone):
            lines.append(f"- `{test}`: {', '.join(alone[test])}")
    Path(path).write_text("\n".join(lines) + "\n")


# --- Main ------------------------------------------------------------------

class Interrupted(Exception):
    pass


def on_signal(signum, frame):
    raise Interrupted(f"signal {signum}")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("ids", nargs="*", help="faults to plant (default: all)")
    parser.add_argument("--faults", default=str(HERE / "faults.txt"))
    parser.add_argument("--out", default=None, help="stem of the table: STEM.md and STEM.json "
                        "(default: <work>/results)")
    parser.add_argument("--list", action="store_true", help="only check where each fault applies")
    parser.add_argument("--resume", action="store_true", help="keep results already in STEM.json")
    parser.add_argument("--table-only", action="store_true", help="only write STEM.md again from STEM.json")
    parser.add_argument("--compare", metavar="JSON", help="name the faults caught in this earlier run "
                        "(e.g. scripts/fault-check/baseline.json) and not now, and the reverse")
    args = parser.parse_args()

    faults = parse_faults(Path(args.faults))
    if args.ids:
        unknown = set(args.ids) - {f.id for f in faults}
        if unknown:
            sys.exit("unknown fault ids: " + ", ".join(sorted(unknown)))
        chosen = [f for f in faults if f.id in args.ids]
    else:
        chosen = faults

    work = Path(os.environ.get("FAULT_WORK", REPO / "build-faults")).resolve()
    tree, build, logs = work / "tree", work / "build", work / "logs"
    jobs = int(os.environ.get("FAULT_JOBS", "2"))
    out = Path(args.out) if args.out else work / "results"
    logs.mkdir(parents=True, exist_ok=True)

    compare = None
    if args.compare:
        compare = (args.compare, json.loads(Path(args.compare).read_text())["results"])

    if args.table_only:
        saved = json.loads(out.with_suffix(".json").read_text())
        write_table(out.with_suffix(".md"), faults, saved["results"], saved.get("clean_failures", []),
                    saved.get("seconds", 0.0), saved.get("tree", ""), compare)
        return

    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGHUP, on_signal)

    written, removed = sync_copy(tree)
    print(f"copy of the worktree in {tree}: {written} files written, {removed} removed", flush=True)

    if args.list:
        bad = 0
        for f in chosen:
            path, span, note = locate(f, tree)
            state = "applies" if path else "DOES NOT APPLY"
            bad += 0 if path else 1
            print(f"{f.id:5} {f.area:7} {state}{': ' + note if note else ''}")
        sys.exit(1 if bad else 0)

    results, clean_failures, previous_seconds, clean_known = {}, [], 0.0, False
    json_path = out.with_suffix(".json")
    if args.resume and json_path.is_file():
        saved = json.loads(json_path.read_text())
        results = saved.get("results", {})
        clean_known = "clean_failures" in saved
        clean_failures = saved.get("clean_failures", [])
        previous_seconds = saved.get("seconds", 0.0)

    started = time.time()
    tree_now = tree_state()

    def save():
        seconds = previous_seconds + time.time() - started
        json_path.parent.mkdir(parents=True, exist_ok=True)
        json_path.write_text(json.dumps({"results": results, "clean_failures": clean_failures,
                                         "seconds": seconds, "tree": tree_now}, indent=1))
        write_table(out.with_suffix(".md"), faults, results, clean_failures, seconds, tree_now, compare)

    if not configure(tree, build, logs):
        sys.exit(f"configuring failed: see {logs / 'configure.log'}")

    # The clean copy first: it must build, and the tests that fail without
    # any fault (if any) do not count as catching one.
    if not clean_known:
        t = time.time()
        if not build_all(build, jobs, logs / "clean-build.log"):
            sys.exit(f"the clean copy does not build: see {logs / 'clean-build.log'}")
        clean_failures = run_tests(build, jobs, logs / "clean-tests.log")
        print(f"clean copy: built and tested in {time.time() - t:.0f} s; "
              f"{len(clean_failures)} tests fail without a fault {clean_failures}", flush=True)
        save()

    for f in chosen:
        if args.resume and f.id in results and f.id not in args.ids:
            continue
        path, span, note = locate(f, tree)
        if path is None:
            results[f.id] = {"status": "not applied", "note": note}
            print(f"{f.id}: not applied ({note})", flush=True)
            save()
            continue
        original = path.read_text()
        t = time.time()
        try:
            path.write_text(original[:span[0]] + f.new + original[span[1]:])
            if not build_all(build, jobs, logs / f"{f.id}-build.log"):
                results[f.id] = {"status": "build failed", "note": f"see logs/{f.id}-build.log"}
            else:
                failed = [n for n in run_tests(build, jobs, logs / f"{f.id}-tests.log") if n not in clean_failures]
                results[f.id] = {"status": "caught" if failed else "not caught", "failed": failed}
                if note:
                    results[f.id]["note"] = note
        except (KeyboardInterrupt, Interrupted):
            path.write_text(original)
            print(f"{f.id}: interrupted; the copy is put back", flush=True)
            save()
            sys.exit(130)
        finally:
            # Always back to the clean text (its time is now, so the next build recompiles it).
            if path.read_text() != original:
                path.write_text(original)
        results[f.id]["seconds"] = round(time.time() - t)
        r = results[f.id]
        print(f"{f.id}: {r['status']} in {r['seconds']} s {r.get('failed', '')}", flush=True)
        save()

    # The copy is clean again: rebuild it so the next run starts from a build of the clean tree.
    build_all(build, jobs, logs / "final-build.log")
    save()
    print(f"table: {out.with_suffix('.md')}")


if __name__ == "__main__":
    main()
