#!/usr/bin/env python3
"""Checks a site's SARIF log and JUnit XML against its JSON report.

Usage: check_ci_reports.py REPORT.json REPORT.sarif REPORT.xml [MULTITOOL]

Every problem of the JSON report must be one SARIF result, at the same
page, line and column, under the rule of its kind, and nothing else; the
JUnit XML must hold a test case per page, and a "site" case, failed
exactly where there are findings. With MULTITOOL (the SARIF multitool's
program), the log is also validated against the SARIF 2.1.0 schema and
the multitool's rules, and any error fails.
"""
import json
import os
import subprocess
import sys
import tempfile
import urllib.parse
import xml.etree.ElementTree as ElementTree

PROBLEM_KINDS = {"case", "missing", "outside", "unsafe", "ambiguous"}


def expected_findings(report):
    """(rule, uri, line, column) of each problem, as SARIF must give it."""
    found = []
    for page in report["pages"]:
        uri = urllib.parse.quote(page["page"], safe="/-._~")
        if page.get("outside"):
            found.append(("page-outside", uri, 0, 0))
        elif page["problem"] is not None:
            problem = page["problem"]
            found.append(("page-unreadable", uri, problem.get("line", 0),
                          problem.get("column", 0)))
        for reference in page["references"]:
            if reference["kind"] in PROBLEM_KINDS and "fixedTo" not in reference:
                found.append(("reference-" + reference["kind"], uri,
                              reference["line"], reference["column"]))
    for file in report["unused"]:
        found.append(("file-unused", urllib.parse.quote(file, safe="/-._~"), 0, 0))
    return found


def sarif_findings(log):
    run = log["runs"][0]
    rules = run["tool"]["driver"]["rules"]
    found = []
    for result in run["results"]:
        assert rules[result["ruleIndex"]]["id"] == result["ruleId"], result
        location = result["locations"][0]["physicalLocation"]
        region = location.get("region", {})
        assert location["artifactLocation"]["uriBaseId"] == "SITEROOT"
        found.append((result["ruleId"], location["artifactLocation"]["uri"],
                      region.get("startLine", 0), region.get("startColumn", 0)))
    return found


def check_junit(report, xml_path, findings):
    suites = ElementTree.parse(xml_path).getroot()
    cases = suites.find("testsuite").findall("testcase")
    names = [case.get("name") for case in cases]
    want = [page["page"] for page in report["pages"]] + ["site"]
    assert names == want, (names, want)
    failing = {uri for _, uri, _, _ in findings}
    for case, page in zip(cases, report["pages"]):
        uri = urllib.parse.quote(page["page"], safe="/-._~")
        assert (case.find("failure") is not None) == (uri in failing), uri
    site_fails = bool(report["unused"] or report["unreadableFolders"])
    assert (cases[-1].find("failure") is not None) == site_fails
    assert int(suites.get("failures")) == sum(
        case.find("failure") is not None for case in cases)


def validate(multitool, sarif_path):
    schema = os.path.join(os.path.dirname(multitool), "sarif-2.1.0.json")
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "validation.sarif")
        subprocess.run([multitool, "validate", "-j", schema, "-o", out,
                        sarif_path], check=True, stdout=subprocess.DEVNULL,
                       env=dict(os.environ,
                                DOTNET_SYSTEM_GLOBALIZATION_INVARIANT="1"))
        with open(out, encoding="utf-8") as f:
            results = json.load(f)["runs"][0]["results"]
    errors = [r for r in results if r.get("level") == "error"]
    assert not errors, json.dumps(errors, indent=1)


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        report = json.load(f)
    with open(sys.argv[2], encoding="utf-8") as f:
        log = json.load(f)
    assert log["version"] == "2.1.0"
    want = expected_findings(report)
    got = sarif_findings(log)
    assert sorted(got) == sorted(want), (got, want)
    check_junit(report, sys.argv[3], got)
    if len(sys.argv) > 4:
        validate(sys.argv[4], sys.argv[2])


if __name__ == "__main__":
    main()
