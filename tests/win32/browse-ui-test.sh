#!/usr/bin/env bash
# The device browsing dialogs through their real Win32 views, driven from
# inside the process (BrowseUiTest.cpp) on the fixture's display. Pictures
# of the dialogs are kept in BUILD_DIR/tests/win32/browse-shots.
# Usage: browse-ui-test.sh BUILD_DIR DRIVER_EXE
. "$(dirname "$0")/wine-common.sh" "$1"
shots=$1/tests/win32/browse-shots
rm -rf "$shots" && mkdir -p "$shots"
timeout 300 "$wine" "$2" "$(winpath "$shots")" || fail "the dialog driver failed"
ls "$shots"/*.bmp >/dev/null || fail "no pictures of the dialogs were kept"
echo "browsing dialogs: pictures in $shots"
