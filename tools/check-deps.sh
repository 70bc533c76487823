#!/usr/bin/env bash
# Checks that every program, library and file the configured builds found
# (their CMake cache's file paths and their compilers) belongs to a Debian
# package that tools/install-deps.sh installs, directly or as a dependency.
# A tool that only happens to be on this machine passes the build here and
# fails it on a fresh one.
# Usage: tools/check-deps.sh [BUILD-DIR...]   (default: every build/*)
set -uo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
builds=("$@")
if [ ${#builds[@]} -eq 0 ]; then
  for cache in build/*/CMakeCache.txt; do [ -f "$cache" ] && builds+=("${cache%/CMakeCache.txt}"); done
fi
if [ ${#builds[@]} -eq 0 ]; then
  echo "check-deps: no configured build (build/*/CMakeCache.txt)" >&2
  exit 2
fi

# The listed packages and everything they depend on, as installed here.
mapfile -t listed < <(tools/install-deps.sh --list)
declare -A allowed=()
while read -r name; do
  allowed[${name%%:*}]=1
done < <(apt-cache depends --recurse --installed --no-recommends --no-suggests \
           --no-conflicts --no-breaks --no-replaces --no-enhances "${listed[@]}" |
         grep -v '^ ')

# What a build found: its cache's file paths and the compilers CMake settled
# on (a toolchain file's compilers are not cached).
found_paths() {
  local build=$1
  sed -n -e 's/^[A-Za-z0-9_]*:FILEPATH=\(\/.*\)$/\1/p' \
         -e 's/^CMAKE_[A-Z]*_COMPILER:STRING=\(\/.*\)$/\1/p' "$build/CMakeCache.txt"
  sed -n 's/^set(CMAKE_[A-Z]*_COMPILER "\(\/[^"]*\)")$/\1/p' \
      "$build"/CMakeFiles/*/CMake*Compiler.cmake 2>/dev/null
}

mapfile -t paths < <(for build in "${builds[@]}"; do found_paths "$build"; done |
                     grep -v "^$source_dir/" | sort -u)
# Each path and the file it leads to, under every name dpkg may know it by:
# Debian 12 merges /bin and /lib into /usr, but dpkg keeps each file under
# the name its package gave it. One dpkg-query for all of them.
declare -A real=() owner=()
names=()
for path in "${paths[@]}"; do
  real[$path]=$(readlink -f "$path")
  for each in "$path" "${real[$path]}"; do
    names+=("$each" "${each#/usr}" "/usr$each")
  done
done
while IFS= read -r line; do
  case "$line" in diversion*) continue ;; esac
  package=${line%%: /*}
  owner[${line#*: }]=${package%%:*}
done < <(dpkg-query -S "${names[@]}" 2>/dev/null)
package_of() {
  local each=$1
  echo "${owner[$each]:-${owner[${each#/usr}]:-${owner[/usr$each]:-}}}"
}

failed=0
for path in "${paths[@]}"; do
  # The path as found and the file it leads to must both come from a package
  # of the list: a link made by update-alternatives belongs to none.
  for each in "$path" "${real[$path]}"; do
    package=$(package_of "$each")
    if [ -z "$package" ]; then
      echo "check-deps: $each (found as $path) belongs to no Debian package" >&2
      failed=$((failed + 1))
    elif [ -z "${allowed[$package]:-}" ]; then
      echo "check-deps: $each (found as $path) comes from $package, which" \
           "tools/install-deps.sh does not install" >&2
      failed=$((failed + 1))
    fi
  done
done
echo "check-deps: ${#paths[@]} paths found by ${#builds[@]} builds, $failed problems"
[ "$failed" -eq 0 ]
