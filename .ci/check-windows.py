#!/usr/bin/env python3
"""Checks what can be checked here of the Windows builds: the workflow parses and names only workflow presets, and
each C++ compile command of the clang-cl build (argument: its folder) carries cl's flags and no GCC option."""
import json, re, shlex, sys
from pathlib import Path
import yaml

source = Path(__file__).resolve().parent.parent
jobs = yaml.safe_load(open(source / ".github/workflows/windows.yml"))["jobs"]
named = {entry["preset"] for job in jobs.values() for entry in job["strategy"]["matrix"]["include"]}
missing = named - {p["name"] for p in json.load(open(source / "CMakePresets.json"))["workflowPresets"]}
print(f"windows workflow: {len(jobs)} job(s), presets {sorted(named)}; missing: {sorted(missing) or 'none'}")

build = Path(sys.argv[1]).resolve()
cache = dict(re.findall(r"^(\w+):\w+=(.*)$", (build / "CMakeCache.txt").read_text(), re.M))
on = {name for name, value in cache.items() if value.upper() in {"1", "ON", "YES", "TRUE", "Y"}}
required = {"/W4": {"/W4"}, "/permissive-": {"/permissive-"}, **(
    {"/MT or /MTd": {"/MT", "/MTd"}} if "CONTAINERS_STATIC_RUNTIME" in on else {}), **(
    {"/WX": {"/WX"}} if "CMAKE_COMPILE_WARNING_AS_ERROR" in on else {})}
checked, problems = 0, []
for entry in json.load(open(build / "compile_commands.json")):
    file = Path(entry["file"])
    if source in file.parents and file.suffix == ".cpp":  # not GoogleTest's own sources
        checked += 1
        args = shlex.split(entry["command"])
        given = {"/" + a[1:] for a in args if a[:1] in "-/"}  # cl takes either prefix
        lacks = [name for name, spellings in required.items() if not spellings & given]
        wrong = [a for a in args if re.fullmatch(r"-(Wall|Wextra|Wpedantic|f.*|std=.*)", a)]
        if lacks or wrong:
            problems.append(f"{file.relative_to(source)}: lacks {lacks or 'nothing'}, carries {wrong or 'nothing'}")
print(f"cl flags: {checked} C++ compile commands checked for {', '.join(required)} and no GCC option", *problems,
      sep="\n")
raise SystemExit(1 if missing or not named or problems or not checked else 0)
