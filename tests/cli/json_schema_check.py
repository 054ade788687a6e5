#!/usr/bin/env python3
"""Runs tessarin-report --format json on each EDID given and validates the
output against the schema. Exit 77 (skipped) without python3-jsonschema."""
import json
import subprocess
import sys

try:
    import jsonschema
except ImportError:
    print("python3-jsonschema is not installed: skipped")
    sys.exit(77)


def main():
    tool, schema_path, *edids = sys.argv[1:]
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    validator = jsonschema.Draft7Validator(schema)
    failed = 0
    for edid in edids:
        out = subprocess.run([tool, "--format", "json", edid], capture_output=True, check=False)
        if out.returncode != 0:
            print(f"{edid}: exit {out.returncode}: {out.stderr.decode(errors='replace')}")
            failed += 1
            continue
        errors = list(validator.iter_errors(json.loads(out.stdout)))
        for error in errors[:5]:
            print(f"{edid}: {'/'.join(map(str, error.absolute_path))}: {error.message}")
        failed += bool(errors)
    print(f"{len(edids) - failed} of {len(edids)} valid")
    return 1 if failed else 0


sys.exit(main())
