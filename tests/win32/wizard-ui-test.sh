#!/usr/bin/env bash
# The map file wizard through the real COM entry point (operation 1), driven
# from inside the process (WizardUiTest.cpp) over the sample plant:
#   PT-101, Next to the end and Write: the map file is byte for byte as before;
#   GN-601, no map file: a temperature map made page by page, written (it must
#   equal the hand-written expected file) and tested (the stand-in notepad.exe
#   gets the report, which holds the section of GN-601's new map file);
#   PT-305, not for calibration management: a totalizer with only its value
#   written, reopened and written again: both usage values and the
#   totalizer stay (PT-101 is made not for export to check the other value);
#   PT-501, fieldbus: Write, then a change closed without writing;
#   PT-990, defaults outside the pick lists: written back unchanged;
#   PT-101 again: toggled boxes are asked about, Return walks and finishes.
# Pictures of walk 2 go to BUILD_DIR/tests/win32/wizard-shots; the driver
# prints the time to the first page and of each page change.
# Usage: wizard-ui-test.sh BUILD_DIR DLL DRIVER_EXE NOTEPAD_EXE PLANT_GENERATOR
. "$(dirname "$0")/wine-common.sh" "$1"
dll=$(winpath "$2")
driver=$3
notepad=$4
generator=$5
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
shots=$1/tests/win32/wizard-shots
rm -rf "$shots" && mkdir -p "$shots"
trap 'rm -rf "$work"' EXIT
make_plant "$generator" "$work/plant" 15
cp "$notepad" "$work/plant/notepad.exe"
pt101=$work/plant/dd/hart/000026/0007/0302.map
pt501=$work/plant/dd/fieldbus/00a1b2/0103/0201.map
gn601=$work/plant/dd/hart/000026/00f0/0101.map
pt305=$work/plant/dd/hart/000026/000b/0101.map
grep -q $'^Use for CalMgmt=No\r$' "$pt305" || fail "PT-305's map file is for calibration management"
sed -i $'s/^Use for Export=Yes\r$/Use for Export=No\r/' "$pt101"
grep -q $'^Use for Export=No\r$' "$pt101" || fail "PT-101's map file was not made not for export"
cp "$pt101" "$work/pt101.before"
# PT-990: a device revision of the test's own, its defaults outside the lists.
pt990=$work/plant/dd/hart/000026/007e/0101.map
mkdir -p "$(dirname "$pt990")"
: >"${pt990%.map}.sym"
cp "$here/wizard-defaults.map" "$pt990"
cp "$pt501" "$work/pt501.before"
[ ! -e "$gn601" ] || fail "GN-601 has a map file before the wizard ran"

use_plant "$work/plant"

timeout 600 "$wine" "$driver" "$dll" "$(winpath "$shots")" | tr -d '\r' >"$work/driver.log" ||
  { cat "$work/driver.log"; fail "the wizard driver failed"; }
grep -E 'first page| -> |page changes|PASSED' "$work/driver.log"

cmp "$work/pt101.before" "$pt101" || fail "PT-101's map file changed on an unchanged Write"
cmp "$here/wizard-defaults.map" "$pt990" || {
  diff <(tr -d '\r' <"$here/wizard-defaults.map") <(tr -d '\r' <"$pt990") >&2 || true
  fail "PT-990's defaults outside the pick lists were not written back as they were"
}
cmp "$work/pt501.before" "$pt501" || fail "PT-501's map file changed: Write or the refused close"
grep -q $'^Use for CalMgmt=No\r$' "$pt305" || fail "PT-305's map file became one for calibration"
grep -q $'^Use for Export=Yes\r$' "$pt305" || fail "PT-305's map file lost its export use"
grep -q $'^Totalizer Value=Param!TOTAL\r$' "$pt305" || fail "PT-305's totalizer value was lost"
cmp "$here/wizard-gn601.map" "$gn601" || {
  diff <(tr -d '\r' <"$here/wizard-gn601.map") <(tr -d '\r' <"$gn601") >&2 || true
  fail "GN-601's new map file differs from the expected one"
}

report=$work/plant/dd/hart/MapFileTestResults.txt
for _ in $(seq 1 50); do
  [ -s "$work/plant/viewer.log" ] && break
  sleep 0.2
done
# The report is named by DevicePath, a Unix path in the sample plant.
expect_text "file the viewer was asked to open" "$work/plant/dd/hart\\MapFileTestResults.txt" \
  "$(tr -d '\r' <"$work/plant/viewer.log")"
# One block section, of GN-601's revision and its new map file.
[ "$(grep -c 'Start of Test' "$report")" = 1 ] || fail "the report is not one block's"
grep -q '(26  f0  1)' "$report" && grep -q 'Map file is .*00f0.0101\.map' "$report" || {
  cat "$report" >&2; fail "the report holds no section of GN-601's map file"; }
ls "$shots"/walk2-*.bmp >/dev/null || fail "no pictures of walk 2 were kept"
echo "wizard: four walks; pictures in $shots"
