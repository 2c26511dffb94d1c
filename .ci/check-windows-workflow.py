#!/usr/bin/env python3
"""The native Windows workflow cannot run here: checks that it parses and
that every preset it names is a workflow preset of CMakePresets.json."""
import json
import re
import yaml

workflow = yaml.safe_load(open(".github/workflows/windows.yml"))
named = set(re.findall(r"--preset (?:\$\{\{ matrix\.preset \}\}|([\w-]+))", json.dumps(workflow)))
named.discard("")
for job in workflow["jobs"].values():
    named.update(entry["preset"] for entry in job.get("strategy", {}).get("matrix", {}).get("include", []))
presets = {p["name"] for p in json.load(open("CMakePresets.json"))["workflowPresets"]}
missing = sorted(named - presets)
print(f"windows workflow: {len(workflow['jobs'])} job(s), presets {sorted(named)}; missing: {missing or 'none'}")
if missing or not named:
    raise SystemExit(1)
