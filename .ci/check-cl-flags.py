#!/usr/bin/env python3
"""Checks the C++ compile commands of a clang-cl build (the clang-cl preset) as cl would be given them.

Every command for a source of this project must carry /W4 and /permissive-, the static runtime (/MT or /MTd)
where CONTAINERS_STATIC_RUNTIME is on, /WX where warnings are errors, and no option of GCC's command line.
"""
import json
import re
import shlex
import sys
from pathlib import Path

build = Path(sys.argv[1] if len(sys.argv) > 1 else "build/clang-cl").resolve()
source = Path(__file__).resolve().parent.parent
cache = dict(re.findall(r"^(\w+):\w+=(.*)$", (build / "CMakeCache.txt").read_text(), re.M))


def on(name):
    return cache.get(name, "").upper() in {"1", "ON", "YES", "TRUE", "Y"}


required = {"/W4": {"/W4"}, "/permissive-": {"/permissive-"}}
if on("CONTAINERS_STATIC_RUNTIME"):
    required["/MT or /MTd"] = {"/MT", "/MTd"}
if on("CMAKE_COMPILE_WARNING_AS_ERROR"):
    required["/WX"] = {"/WX"}
foreign = re.compile(r"-(Wall|Wextra|Wpedantic|f.*|std=.*)")

checked, problems = 0, []
for entry in json.load(open(build / "compile_commands.json")):
    file = Path(entry["file"])
    if source not in file.parents or file.suffix != ".cpp":
        continue  # GoogleTest's own sources, the resource script
    checked += 1
    args = shlex.split(entry["command"])
    given = {"/" + a[1:] for a in args if a[:1] in "-/"}  # cl takes either prefix
    missing = [name for name, spellings in required.items() if not spellings & given]
    wrong = [a for a in args if foreign.fullmatch(a)]
    if missing or wrong:
        problems.append(f"{file.relative_to(source)}: lacks {missing or 'nothing'}, carries {wrong or 'nothing'}")

print(f"cl flags: {checked} C++ compile commands checked for {', '.join(required)} and no GCC option")
if problems:
    print("\n".join(problems))
raise SystemExit(1 if problems or not checked else 0)
