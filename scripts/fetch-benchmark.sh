#!/bin/sh
# Prints the folder of Google Benchmark's sources for cross builds (Debian
# packages no MinGW build of it): ~/.cache/stats-benchmark-src/benchmark,
# the win32 preset's STATS_BENCHMARK_SOURCE. Their version, the one of
# Debian's libbenchmark-dev, is written here only. A call that finds another
# version there, or none, fetches Debian's source package with apt from the
# bookworm sources (apt checks the files against the signed index), outside
# any git work tree: the library's CMake would otherwise take its version
# from that tree's tags. Nothing of the system's apt state is used or changed.
set -eu
version=1.7.1
cache="$HOME/.cache/stats-benchmark-src"
source="$cache/benchmark"
# The version the sources' own CMakeLists.txt declares.
present=$(sed -n 's/^project *(benchmark VERSION \([0-9.]*\).*/\1/p' \
  "$source/CMakeLists.txt" 2>/dev/null || true)
if [ "$present" = "$version" ]; then
  echo "$source"
  exit 0
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/download"
echo 'deb-src http://deb.debian.org/debian bookworm main' >"$work/sources.list"
# The temporary folder is the invoking user's alone, so apt downloads as
# that user rather than as _apt.
apt() {
  apt-get -q -o Dir::Etc::sourcelist="$work/sources.list" -o Dir::Etc::sourceparts=- \
    -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" \
    -o APT::Get::List-Cleanup=0 -o APT::Sandbox::User=root "$@" >&2
}
apt update
(cd "$work/download" && apt --download-only source benchmark)
tarball="$work/download/benchmark_$version.orig.tar.gz"
if [ ! -f "$tarball" ]; then
  echo "fetch-benchmark.sh: Debian's source package is not version $version" >&2
  exit 1
fi
mkdir -p "$cache"
tar xzf "$tarball" -C "$work"
rm -rf "$source"
mv "$work/benchmark-$version" "$source"
echo "$source"
