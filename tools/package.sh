#!/usr/bin/env bash
# Builds the Windows release packages: the win32 and win64 presets' plug-in,
# ravelin-host.exe and ravelin-test.exe (optimised, with debug information),
# stripped, in one archive with the administrator's installation notes
# (docs/INSTALL.txt) and the registration scripts, and in one Windows
# Installer package per architecture (tools/make-msi.sh). Each binary's debug
# information stays in the staging folder beside it (NAME.debug, named in the
# binary's .gnu_debuglink) and out of the packages.
# Usage: tools/package.sh [OUT-DIR]   (default build/package)
# Prints the archive's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/package}

for preset in win32 win64; do
  echo "== build $preset" >&2
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target ravelin ravelin-host ravelin-test >&2
done

version=$(. build/win64/package.env && echo "$version")
other=$(. build/win32/package.env && echo "$version")
if [ "$version" != "$other" ]; then
  echo "package: build/win64 is version $version, build/win32 $other: reconfigure both" >&2
  exit 1
fi
name=ravelin-$version-windows
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$out/$name
archive=$out/$name.zip
rm -rf "$stage" "$archive"
mkdir -p "$stage"

# Strips one build's binaries into STAGE/ARCH, each with its debug file.
stage_build() (
  . "$1/package.env"
  mkdir -p "$stage/$arch"
  for binary in "${binaries[@]}"; do
    target=$stage/$arch/$(basename "$binary")
    "$objcopy" --only-keep-debug "$binary" "$target.debug"
    "$objcopy" --strip-all --add-gnu-debuglink="$target.debug" "$binary" "$target"
  done
)
stage_build build/win32
stage_build build/win64

# Windows text files: CR LF, or Notepad and cmd's label search stumble.
crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$1" >"$2"; }
crlf src/entry/win32/register.cmd "$stage/register.cmd"
crlf src/entry/win32/unregister.cmd "$stage/unregister.cmd"
crlf docs/INSTALL.txt "$stage/INSTALL.txt"

zip=$(. build/win64/package.env && echo "$zip")
files=(INSTALL.txt register.cmd unregister.cmd)
for arch in x86 x64; do
  for binary in "$stage/$arch"/*; do
    case $binary in *.debug) ;; *) files+=("$arch/$(basename "$binary")") ;; esac
  done
done
(cd "$stage" && "$zip" -q -X "$archive" "${files[@]}")
for arch in x86 x64; do
  rm -f "$out/ravelin-$version-$arch.msi"
  tools/make-msi.sh "$arch" "$version" "$stage/$arch" "$out/ravelin-$version-$arch.msi"
done
echo "package: $(du -h "$archive" | cut -f1) archive, ravelin-$version-x86.msi and -x64.msi," \
  "debug files in $stage" >&2
echo "$archive"
