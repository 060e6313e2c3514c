#!/usr/bin/env python3
"""Test/code ratio of the tree: non-blank, non-comment lines of the tracked
C++ sources (.cpp, .h) in tests/ and fuzz/ against those everywhere else
except bench/ -- the count the project's 40 % limit is stated in.

    python3 tools/mutation/ratio.py [--by-folder] [--rev REV] [--all-sources]

--all-sources also counts CMake, Python and the shell scripts under scripts/
and .ci/ on both sides; data files, documents and presets never count.
"""
import argparse
import collections
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def kind_of(path):
    name = os.path.basename(path)
    if name.endswith((".cpp", ".h")):
        return "c++"
    if name.endswith(".cmake") or name == "CMakeLists.txt":
        return "hash"
    if name.endswith(".py"):
        return "hash"
    if path.startswith(("scripts/", ".ci/")) and "." not in name:
        return "hash"
    return None


def counted_lines(text, kind):
    """Lines that hold something besides white space and comments."""
    count = 0
    in_block = False
    for line in text.splitlines():
        stripped = line.strip()
        if kind == "hash":
            if stripped and not stripped.startswith("#"):
                count += 1
            continue
        # C++: drop block comments, then line comments, then see what is left.
        rest = ""
        i = 0
        while i < len(stripped):
            if in_block:
                end = stripped.find("*/", i)
                if end < 0:
                    i = len(stripped)
                else:
                    in_block = False
                    i = end + 2
                continue
            if stripped.startswith("/*", i):
                in_block = True
                i += 2
                continue
            if stripped.startswith("//", i):
                break
            if stripped[i] == '"':
                # Skip a string literal so "//" inside it is not a comment.
                j = i + 1
                while j < len(stripped) and stripped[j] != '"':
                    j += 2 if stripped[j] == "\\" else 1
                rest += stripped[i : j + 1]
                i = j + 1
                continue
            rest += stripped[i]
            i += 1
        if rest.strip():
            count += 1
    return count


def tracked_files(rev):
    if rev:
        out = subprocess.run(["git", "ls-tree", "-r", "--name-only", rev], cwd=ROOT, check=True,
                             capture_output=True, text=True).stdout
    else:
        out = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard"], cwd=ROOT, check=True, capture_output=True, text=True).stdout
    return [p for p in out.splitlines() if p]


def read(path, rev):
    if rev:
        return subprocess.run(["git", "show", f"{rev}:{path}"], cwd=ROOT, check=True, capture_output=True,
                              text=True, errors="replace").stdout
    full = os.path.join(ROOT, path)
    if not os.path.exists(full):  # deleted but not yet staged
        return ""
    with open(full, encoding="utf-8", errors="replace") as f:
        return f.read()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--by-folder", action="store_true", help="also list the test lines per tests/ folder and file")
    parser.add_argument("--rev", help="count a git revision instead of the working tree")
    parser.add_argument("--all-sources", action="store_true", help="count CMake, Python and scripts too")
    args = parser.parse_args()

    tests = code = 0
    per_folder = collections.Counter()
    per_file = {}
    for path in tracked_files(args.rev):
        kind = kind_of(path)
        if kind is None or (kind != "c++" and not args.all_sources):
            continue
        top = path.split("/", 1)[0]
        if top == "bench":
            continue
        n = counted_lines(read(path, args.rev), kind)
        if top in ("tests", "fuzz"):
            tests += n
            parts = path.split("/")
            folder = "/".join(parts[:2]) if top == "tests" and len(parts) > 2 else top
            per_folder[folder] += n
            per_file[path] = n
        else:
            code += n
    print(f"tests+fuzz {tests} lines, code {code} lines: {100.0 * tests / code:.1f} %")
    if args.by_folder:
        for folder, n in sorted(per_folder.items()):
            print(f"  {folder:24} {n:6}")
        print()
        for path, n in sorted(per_file.items(), key=lambda item: -item[1]):
            print(f"  {path:48} {n:6}")
    # At most 40 %: the limit the project set itself.
    limit = 0.40 * code
    if tests > limit:
        print(f"{tests - int(limit)} test lines above the 40 % limit ({int(limit)})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
