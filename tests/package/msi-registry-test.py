#!/usr/bin/env python3
"""tools/msi-registry.py on the texts where a registry table goes wrong: what
Windows Installer would read as a property, a number or a deletion, and the
scripts it cannot express, which must stop the build."""
import importlib.util
import pathlib
import sys

root = pathlib.Path(__file__).resolve().parents[2]
found = importlib.util.spec_from_file_location("msi_registry", root / "tools/msi-registry.py")
gen = importlib.util.module_from_spec(found)
found.loader.exec_module(gen)

CASES = [  # script, entries of its one root (or the error's start)
    ("HKCR { K = s 'a[b]c' }", [("K", "", "a[\\[]b[\\]]c")]),
    ("HKCR { K = s '#1' }", [("K", "", "##1")]),
    ("HKCR { K = s 'it''s' { val V = s '50%%' } }", [("K", "", "it's"), ("K", "V", "50%")]),
    ("HKCR { K = s '%module%,1' }", [("K", "", "[#ravelin.dll],1")]),
    ("HKEY_CLASSES_ROOT { NoRemove A { ForceRemove B = s 'x' { C = s 'y' } } }",
     [("A\\B", "-", None), ("A\\B", "", "x"), ("A\\B\\C", "", "y")]),
    ("HKCC { K = s 'x' }", "line 1: expected a root key the installer can write"),
    ("HKCR { K = s 'x }", "line 1: unterminated quoted text"),
    ("HKCR {\n K = d '1' }", "line 2: only string values"),
    ("HKCR { K = s '%OTHER%' }", "line 1: no replacement for '%OTHER%'"),
    ("HKCR { K = s '' }", "line 1: an empty value cannot be written"),
    ("HKCR { K = s 'x'", "line 1: missing '}'"),
    ("HKCR { K = s 'a$(var.Version)' }", "line 1: '$(' in 'a$(var.Version)' cannot reach"),
]

failed = 0
for script, expected in CASES:
    try:
        actual = gen.script_entries(script)
        actual = actual[0][1] if len(actual) == 1 else actual
    except gen.ScriptError as error:
        actual = str(error)
        if isinstance(expected, str) and actual.startswith(expected):
            continue
    if actual != expected:
        failed += 1
        print(f"FAIL: {script!r}\n  expected {expected!r}\n  actual   {actual!r}", file=sys.stderr)
print(f"msi-registry: {len(CASES) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
