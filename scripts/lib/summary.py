#!/usr/bin/env python3
"""Adds up GoogleTest XML reports: one line per suite, then 'N passed, N failed'."""
import sys
import xml.etree.ElementTree as ET

passed = failed = skipped = 0
for path in sys.argv[1:]:
    root = ET.parse(path).getroot()
    name = path.rsplit("/", 1)[-1].removesuffix(".xml")
    s_failed = s_skipped = s_total = 0
    for case in root.iter("testcase"):
        if case.get("status") == "notrun":
            continue
        s_total += 1
        if case.find("failure") is not None:
            s_failed += 1
        elif case.find("skipped") is not None or case.get("result") == "skipped":
            s_skipped += 1
    print(f"{name}: {s_total} tests, {s_failed} failed, {s_skipped} skipped")
    passed += s_total - s_failed - s_skipped
    failed += s_failed
    skipped += s_skipped

print(f"{passed} passed, {failed} failed, {skipped} skipped")
sys.exit(1 if failed or passed == 0 else 0)
