#!/usr/bin/env python3
"""Fails when a source file includes a header of a folder in a higher layer.

The order is scripts/layers.txt, lowest first. `--count` prints the number of
folder-to-folder arrows that point upward and the #include lines behind them
instead of failing; `--root DIR` checks another tree (the default is this one's).
"""
import argparse
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]*"', re.MULTILINE)
SOURCES = {".cpp", ".h", ".rc"}


def main():
    parser = argparse.ArgumentParser()
    here = pathlib.Path(__file__).resolve().parent
    parser.add_argument("--root", type=pathlib.Path, default=here.parent)
    parser.add_argument("--count", action="store_true")
    args = parser.parse_args()

    layers = [line.strip() for line in (here / "layers.txt").read_text().splitlines()
              if line.strip() and not line.startswith("#")]
    rank = {folder: i for i, folder in enumerate(layers)}

    upward = []
    for folder in layers:
        for path in sorted((args.root / folder).rglob("*")):
            if path.suffix not in SOURCES or not path.is_file():
                continue
            text = path.read_text(encoding="utf-8", errors="replace")
            for match in INCLUDE.finditer(text):
                target = match.group(1)
                if target in rank and rank[target] > rank[folder]:
                    line = text.count("\n", 0, match.start()) + 1
                    upward.append((folder, target, f"{path.relative_to(args.root)}:{line}"))

    arrows = sorted({(source, target) for source, target, _ in upward})
    if args.count:
        for source, target in arrows:
            print(f"{source} -> {target}")
        print(f"{len(arrows)} upward arrows, {len(upward)} include lines")
        return 0
    for source, target, where in upward:
        print(f"{where}: {source}/ may not include {target}/ (scripts/layers.txt)")
    return 1 if upward else 0


if __name__ == "__main__":
    sys.exit(main())
