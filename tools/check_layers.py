#!/usr/bin/env python3
"""Checks that no #include runs upward through the folder layers.

A folder includes only from its own layer's row or below. Within layer 2,
strain/ and report/ may use srn/, srn/ uses neither, and strain/ and report/
stay apart. engine/ (Lunvex) includes nothing of ours; everyone may include it.
Developer folders (tests, bench, fuzz, tools) may include anything.

Prints one line per upward include and a summary; exit status 1 on any.
"""
import pathlib
import re
import sys

LAYER = {
    "app": 1,
    "srn": 2, "strain": 2, "report": 2,
    "graph": 3, "controls": 3,
    "platform": 4, "records": 4,
    "host": 5,
    "engine": 6,
}
# Layer 2 is the one row whose folders are not free to use each other.
ROW2_ALLOWED = {("strain", "srn"), ("report", "srn")}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def allowed(src: str, dst: str) -> bool:
    if src == dst or dst not in LAYER:
        return True
    if src == "engine":
        return False
    if LAYER[dst] > LAYER[src]:
        return True
    if LAYER[dst] == LAYER[src]:
        return LAYER[src] != 2 or (src, dst) in ROW2_ALLOWED
    return False


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    bad, total, files = [], 0, 0
    for folder in LAYER:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            files += 1
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = match.group(1)
                dst = target.split("/", 1)[0] if "/" in target else folder
                total += 1
                if not allowed(folder, dst):
                    bad.append(f"{path.relative_to(root)}:{number}: {folder}/ includes {target} (upward)")
    for line in bad:
        print(line)
    print(f"layer check: {files} files, {total} project includes, {len(bad)} upward")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
