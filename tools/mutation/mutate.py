#!/usr/bin/env python3
"""Mutation testing of the core: applies one mutant of mutants.txt at a time,
rebuilds only the test programs that cover it (in a build folder of its own),
runs only those tests and records whether they catch the change.

    python3 tools/mutation/mutate.py                 # every mutant
    python3 tools/mutation/mutate.py --only M01,M07  # some of them
    python3 tools/mutation/mutate.py --check         # only check the list

A mutant is "killed" when one of its tests fails (a time-out counts), it
"survived" when all pass, and it is "invalid" when it does not build. The kill
rate is killed / (killed + survived). The mutated source is restored after
every mutant, also on errors and Ctrl-C; a run that was killed outright is
repaired at the start of the next one from the copy kept in the build folder.
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
from dataclasses import dataclass, field

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HERE = os.path.dirname(os.path.abspath(__file__))


@dataclass
class Mutant:
    id: str
    file: str
    description: str = ""
    tests: list = field(default_factory=list)
    original: str = ""
    replacement: str = ""
    line: int = 0  # of the list file, for messages


def parse_list(path):
    """The list: blocks of
         [ID] path/of/file.cpp
         desc: what the change does
         tests: ctest_name other_test
         - exact original text      (several "-" lines join with newlines)
         + its replacement          (a lone "+" deletes the text)
       Lines starting with '#' and blank lines between blocks are ignored."""
    mutants = []
    current = None
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            header = re.match(r"^\[(\w+)\]\s+(\S+)\s*$", line)
            if header:
                current = Mutant(header.group(1), header.group(2), line=number)
                current._from, current._to = [], []
                mutants.append(current)
                continue
            if current is None:
                raise SystemExit(f"{path}:{number}: text before the first [ID] line")
            if line.startswith("desc:"):
                current.description = line[5:].strip()
            elif line.startswith("tests:"):
                current.tests = line[6:].split()
            elif line.startswith("- ") or line == "-":
                current._from.append(line[2:])
            elif line.startswith("+ ") or line == "+":
                current._to.append(line[2:])
            else:
                raise SystemExit(f"{path}:{number}: cannot read {line!r}")
    for m in mutants:
        m.original = "\n".join(m._from)
        m.replacement = "\n".join(m._to)
    return mutants


def check(mutants):
    """Every mutant names a file, tests and a text found exactly once."""
    problems = []
    seen = set()
    for m in mutants:
        where = f"{m.id} ({m.file})"
        if m.id in seen:
            problems.append(f"{where}: id used twice")
        seen.add(m.id)
        path = os.path.join(ROOT, m.file)
        if not os.path.isfile(path):
            problems.append(f"{where}: no such file")
            continue
        if not m.tests:
            problems.append(f"{where}: no tests")
        if not m.original:
            problems.append(f"{where}: no original text")
            continue
        if m.original == m.replacement:
            problems.append(f"{where}: replacement equals the original")
        with open(path, encoding="utf-8") as f:
            count = f.read().count(m.original)
        if count != 1:
            problems.append(f"{where}: original text found {count} times")
    return problems


def run(command, log, timeout=None, env=None):
    """Runs a command with its output appended to `log`; returns (code, seconds).
    The command runs in a process group of its own, which is killed as a whole
    on a time-out or an interruption: a compiler left running could otherwise
    write an object of the mutated source after the source was restored."""
    start = time.monotonic()
    with open(log, "a", encoding="utf-8") as out:
        out.write(f"\n$ {' '.join(command)}\n")
        out.flush()
        process = subprocess.Popen(command, cwd=ROOT, stdout=out, stderr=subprocess.STDOUT, env=env,
                                   start_new_session=True)
        try:
            code = process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            kill_group(process)
            code = "timeout"
        except BaseException:
            kill_group(process)
            raise
    return code, time.monotonic() - start


def failed_cases(output):
    """Test cases reported failed in a test program's output: GoogleTest's
    "[  FAILED  ] Suite.Case" and Qt Test's "FAIL!  : Class::function(row)"."""
    cases = set(re.findall(r"^\[  FAILED  \] (\w+\.\w+)", output, re.M))
    cases |= set(re.findall(r"^FAIL!  : ((?:\w+::)+\w+)\(", output, re.M))
    return sorted(cases)


def kill_group(process):
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait()


class Workspace:
    def __init__(self, build, jobs, log):
        self.build = build
        self.jobs = jobs
        self.log = log
        self.pending = os.path.join(build, "pending-restore.json")
        self.env = dict(os.environ)
        # The shared compiler cache, as the worktree set-up has it.
        self.env.setdefault("CCACHE_BASEDIR", os.path.dirname(ROOT))
        self.env.setdefault("CCACHE_NOHASHDIR", "1")
        self.env.setdefault("CCACHE_SLOPPINESS", "time_macros,include_file_mtime,include_file_ctime")
        self.env.setdefault("QT_QPA_PLATFORM", "offscreen")

    def configure(self):
        if os.path.exists(os.path.join(self.build, "build.ninja")):
            return
        command = ["cmake", "-S", ROOT, "-B", self.build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                   "-DQUORVEL_BUILD_BENCH=OFF"]
        if shutil.which("ccache"):
            command += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
        code, _ = run(command, self.log, env=self.env)
        if code != 0:
            raise SystemExit(f"configuring {self.build} failed (see {self.log})")

    def build_targets(self, targets):
        command = ["cmake", "--build", self.build, "-j", str(self.jobs), "--target", *targets]
        return run(command, self.log, env=self.env)

    def run_test(self, name, timeout):
        """Runs one test program; returns (code, seconds, names of the failed test cases)."""
        command = ["ctest", "--test-dir", self.build, "-R", f"^{re.escape(name)}$", "--output-on-failure",
                   "--timeout", str(int(timeout))]
        own_log = os.path.join(self.build, "last-test.log")
        open(own_log, "w").close()
        code, seconds = run(command, own_log, timeout=timeout + 60, env=self.env)
        with open(own_log, encoding="utf-8", errors="replace") as f:
            output = f.read()
        with open(self.log, "a", encoding="utf-8") as f:
            f.write(output)
        return code, seconds, failed_cases(output)

    # --- applying and restoring, safe against interruption ---------------

    def repair_interrupted_run(self):
        if not os.path.exists(self.pending):
            return
        with open(self.pending, encoding="utf-8") as f:
            saved = json.load(f)
        with open(os.path.join(ROOT, saved["file"]), "w", encoding="utf-8") as f:
            f.write(saved["text"])
        os.remove(self.pending)
        print(f"restored {saved['file']} left mutated by an interrupted run")

    def apply(self, mutant):
        path = os.path.join(ROOT, mutant.file)
        with open(path, encoding="utf-8") as f:
            text = f.read()
        with open(self.pending, "w", encoding="utf-8") as f:
            json.dump({"file": mutant.file, "text": text}, f)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text.replace(mutant.original, mutant.replacement, 1))
        return text

    def restore(self, mutant, text):
        with open(os.path.join(ROOT, mutant.file), "w", encoding="utf-8") as f:
            f.write(text)
        if os.path.exists(self.pending):
            os.remove(self.pending)


def stop_on_signal(signum, frame):
    raise KeyboardInterrupt(f"signal {signum}")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--list", default=os.path.join(HERE, "mutants.txt"))
    parser.add_argument("--build-dir", default=os.path.join(ROOT, "build", "mutation"))
    parser.add_argument("--only", help="comma-separated mutant ids")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--check", action="store_true", help="check the list and stop")
    parser.add_argument("--no-baseline", action="store_true", help="skip the unmutated run of the tests")
    parser.add_argument("--output", help="results table (Markdown); default <build-dir>/results.md")
    args = parser.parse_args()

    mutants = parse_list(args.list)
    if args.only:
        wanted = set(args.only.split(","))
        unknown = wanted - {m.id for m in mutants}
        if unknown:
            raise SystemExit(f"unknown ids: {', '.join(sorted(unknown))}")
        mutants = [m for m in mutants if m.id in wanted]

    build = os.path.abspath(args.build_dir)
    os.makedirs(build, exist_ok=True)
    log = os.path.join(build, "mutation.log")
    workspace = Workspace(build, args.jobs, log)
    workspace.repair_interrupted_run()

    problems = check(mutants)
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        return 2
    if args.check:
        files = sorted({m.file for m in mutants})
        print(f"{len(mutants)} mutants in {len(files)} files: list is consistent")
        return 0

    signal.signal(signal.SIGTERM, stop_on_signal)
    signal.signal(signal.SIGHUP, stop_on_signal)
    open(log, "w").close()
    workspace.configure()

    all_tests = sorted({t for m in mutants for t in m.tests})
    baseline = {}
    if not args.no_baseline:
        print(f"baseline: building and running {', '.join(all_tests)}", flush=True)
        code, _ = workspace.build_targets(all_tests)
        if code != 0:
            raise SystemExit(f"the unmutated tree does not build (see {log})")
        for t in all_tests:
            code, seconds, _ = workspace.run_test(t, 900)
            if code != 0:
                raise SystemExit(f"test {t} fails without any mutant (see {log})")
            baseline[t] = seconds
        print("baseline: " + ", ".join(f"{t} {s:.1f}s" for t, s in baseline.items()), flush=True)

    results = []
    killing_cases = {}  # mutant id -> test cases that failed on it
    started = time.monotonic()
    try:
        for index, m in enumerate(mutants, 1):
            t0 = time.monotonic()
            original = workspace.apply(m)
            try:
                code, _ = workspace.build_targets(m.tests)
                killers = []
                cases = []
                if code != 0:
                    status = "invalid"
                else:
                    for t in m.tests:
                        # Four times the test's own time: a mutant that loops is a kill.
                        timeout = max(60.0, 4.0 * baseline.get(t, 60.0) + 20.0)
                        code, _, failed = workspace.run_test(t, timeout)
                        if code != 0:
                            killers.append(t if code != "timeout" else f"{t}(timeout)")
                            cases += failed
                    status = "killed" if killers else "survived"
            finally:
                workspace.restore(m, original)
            seconds = time.monotonic() - t0
            results.append((m, status, killers, seconds))
            killing_cases[m.id] = cases
            print(f"[{index}/{len(mutants)}] {m.id} {status:8} {seconds:5.1f}s {m.file}: {m.description}"
                  + (f"  <- {', '.join(killers)}" if killers else ""), flush=True)
    except KeyboardInterrupt:
        print("\ninterrupted: the mutated file is restored", file=sys.stderr)
        report(results, time.monotonic() - started, args.output or os.path.join(build, "results.md"))
        write_cases(killing_cases, build)
        return 130
    report(results, time.monotonic() - started, args.output or os.path.join(build, "results.md"))
    write_cases(killing_cases, build)
    return 0


def write_cases(killing_cases, build):
    """Which test cases kill each mutant, and the mutants each case alone kills:
    a case that is no mutant's only killer is the first place to look when
    tests are trimmed."""
    path = os.path.join(build, "cases.json")
    with open(path, "w", encoding="utf-8") as f:
        json.dump(killing_cases, f, indent=1, sort_keys=True)
    sole = {}
    for mutant, cases in killing_cases.items():
        if len(cases) == 1:
            sole.setdefault(cases[0], []).append(mutant)
    print(f"(killing test cases written to {path})")
    for case in sorted(sole):
        print(f"  only {case} kills {', '.join(sole[case])}")


def report(results, seconds, output):
    killed = sum(1 for _, s, _, _ in results if s == "killed")
    survived = sum(1 for _, s, _, _ in results if s == "survived")
    invalid = sum(1 for _, s, _, _ in results if s == "invalid")
    lines = ["| id | file | mutation | result | killed by | s |", "|---|---|---|---|---|---|"]
    for m, status, killers, secs in results:
        lines.append(f"| {m.id} | {m.file} | {m.description} | {status} | {', '.join(killers)} | {secs:.0f} |")
    rate = 100.0 * killed / (killed + survived) if killed + survived else 0.0
    summary = (f"{len(results)} mutants: {killed} killed, {survived} survived, {invalid} invalid; "
               f"kill rate {rate:.1f} % ({seconds / 60:.1f} min)")
    lines += ["", summary]
    if survived:
        lines.append("survived: " + ", ".join(m.id for m, s, _, _ in results if s == "survived"))
    text = "\n".join(lines) + "\n"
    with open(output, "w", encoding="utf-8") as f:
        f.write(text)
    print()
    print(text)
    print(f"(table written to {output})")


if __name__ == "__main__":
    sys.exit(main())
