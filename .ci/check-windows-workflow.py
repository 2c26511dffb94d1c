#!/usr/bin/env python3
"""Checks that the Windows workflow, which cannot run here, parses and names only workflow presets."""
import json
import yaml

jobs = yaml.safe_load(open(".github/workflows/windows.yml"))["jobs"]
named = {entry["preset"] for job in jobs.values() for entry in job["strategy"]["matrix"]["include"]}
missing = named - {p["name"] for p in json.load(open("CMakePresets.json"))["workflowPresets"]}
print(f"windows workflow: {len(jobs)} job(s), presets {sorted(named)}; missing: {sorted(missing) or 'none'}")
raise SystemExit(1 if missing or not named else 0)
