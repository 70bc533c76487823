"""ravelin-test's --junit and --json files read by real consumers (junitparser,
Python's json) over the sample plant, held against the text report: a test
case per section, the same error and warning counts in all three, failures
exactly where a section holds an error, unreached devices skipped with their
reason; names that XML and JSON must escape; a run stopped by the database
leaves whole files and nothing beside them.

Arguments: RAVELIN_PLANT RAVELIN_TEST WORK_DIR
"""
import json
import os
import re
import shutil
import sqlite3
import subprocess
import sys
import xml.dom.minidom

import junitparser

plant_program, test_program, work = sys.argv[1:4]


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def make_plant(name):
    root = os.path.join(work, name)
    shutil.rmtree(root, ignore_errors=True)
    subprocess.run([plant_program, root], check=True, stdout=subprocess.DEVNULL)
    return root


def run(root, *args):
    junit, report = os.path.join(root, "results.xml"), os.path.join(root, "report.txt")
    results = os.path.join(root, "results.json")
    done = subprocess.run([test_program, "--host-root", root, "--report", report, "--level",
                           "all", "--junit", junit, "--json", results, *args],
                          capture_output=True, text=True)
    return done, report, junit, results


def sections(report):
    """Each block section of the report: its errors and warnings as counted."""
    text = open(report, encoding="latin-1").read()
    found = []
    for part in text.split("Start of Test")[1:]:
        found.append((part.count("ERROR"), part.count("WARNING")))
    return found


def read_results(junit, results):
    xml.dom.minidom.parse(junit)  # well-formed, or this raises
    suites = junitparser.JUnitXml.fromfile(junit)
    cases = [case for suite in suites for case in suite]
    document = json.load(open(results, encoding="utf-8"))
    check(document["format"] == "ravelin-test results" and document["version"] == 1,
          "the JSON names no format and version")
    return cases, document


def kinds(case):
    return [type(r).__name__ for r in case.result]


# The sample plant: every template tested, three consumers agree.
root = make_plant("plant")
done, report, junit, results = run(root, "--all-templates")
check(done.returncode == 1, "exit %d: %s" % (done.returncode, done.stderr))
cases, document = read_results(junit, results)
summary = re.search(r"(\d+) errors, (\d+) warnings", done.stdout)
errors, warnings = int(summary.group(1)), int(summary.group(2))
in_report = sections(report)
check(len(cases) == len(in_report) == len(document["devices"]) == 30,
      "cases %d, sections %d, devices %d" % (len(cases), len(in_report),
                                             len(document["devices"])))
check(sum(e for e, _ in in_report) == errors == document["totals"]["errors"],
      "errors differ between the report and the JSON")
check(sum(w for _, w in in_report) == warnings == document["totals"]["warnings"],
      "warnings differ between the report and the JSON")
failed = 0
for case, device, (section_errors, section_warnings) in zip(cases, document["devices"],
                                                            in_report):
    check((device["errors"], device["warnings"]) == (section_errors, section_warnings),
          "%s: counts differ from its section" % case.name)
    check(("Failure" in kinds(case)) == (section_errors > 0),
          "%s: failed where its section has %d errors" % (case.name, section_errors))
    check(case.name.startswith(device["name"] + " (manufacturer "), case.name)
    check(device["mapFile"] is None or case.classname == device["mapFile"], case.classname)
    first = {}
    for finding in device["findings"]:
        first.setdefault(finding["kind"], finding["line"])
    if section_errors:
        failed += 1
        check(case.result[0].message == first["error"], "%s: not the first error" % case.name)
    elif section_warnings:
        check(first["warning"] in (case.system_out or ""), "%s: no warnings" % case.name)
suite_failures = int(xml.dom.minidom.parse(junit).documentElement.getAttribute("failures"))
check(failed == document["totals"]["failed"] == suite_failures, "failure counts differ")

# --warnings-fail: a section with warnings only fails too.
done, report, junit, results = run(root, "--all-templates", "--warnings-fail")
cases, document = read_results(junit, results)
check(sum(1 for c in cases if c.result) == sum(1 for e, w in sections(report) if e or w),
      "--warnings-fail does not fail the sections with warnings")

# Escaping, unreached devices: a device list of odd keys that no device
# carries, one a known template.
odd = ["<&>\"' ]]> tag", "ctl\x01\x1f tag", "Łódź 日本 tag", "!NamedConfig!Flow template"]
device_list = os.path.join(root, "devices.txt")
with open(device_list, "w", encoding="utf-8") as out:
    out.write("\n".join(odd) + "\n")
done, report, junit, results = run(root, "--device-list", device_list)
check(done.returncode == 1, "device list: exit %d: %s" % (done.returncode, done.stderr))
cases, document = read_results(junit, results)
check([d["key"] for d in document["devices"]] == odd, "the keys did not survive the JSON")
check([kinds(c) for c in cases[:3]] == [["Skipped"]] * 3, "the unknown tags are not skipped")
check("Skipped" not in kinds(cases[3]), "the template was not tested")
for case, device in zip(cases[:3], document["devices"]):
    check(case.result[0].message == device["notTested"] ==
          "no device carries this tag in the host database", case.result[0].message)
check(cases[0].name.startswith("<&>\"' ]]> tag"), "escaped name read back: " + cases[0].name)
check(cases[1].name.startswith("ctl\\u0001\\u001F tag"), "control characters: " + cases[1].name)
check(cases[2].name.startswith("Łódź 日本 tag"), "non-ASCII name: " + cases[2].name)

# A database that cannot be read stops the run: both files whole, nothing
# left beside them, the reason in both.
os.remove(junit)
database = sqlite3.connect(os.path.join(root, "velk.db"))
database.execute("DROP TABLE NamedConfigs")
database.commit()
database.close()
done, report, junit, results = run(root, "--all-templates")
check(done.returncode == 2, "unreadable database: exit %d" % done.returncode)
cases, document = read_results(junit, results)
check(document["error"] and "could not be read" in document["error"], str(document["error"]))
check(any("Error" in kinds(c) for c in cases), "no error case for the stopped run")
leftovers = [n for n in os.listdir(root) if n.startswith("results.") and
             n not in ("results.xml", "results.json")]
check(not leftovers, "left beside the results: %s" % leftovers)
print("result files: ok")
