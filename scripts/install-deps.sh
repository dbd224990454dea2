#!/bin/sh
# Installs what a job needs on Debian 12 (run as root):
#   sh scripts/install-deps.sh app    the plug-in and logreplay, both systems
#   sh scripts/install-deps.sh test   everything the tests, benchmarks and
#                                     fuzz targets need (the default), with
#                                     Google Benchmark's sources for the
#                                     cross build (scripts/fetch-benchmark.sh)
#                                     and the npm package of the ADIF
#                                     cross-check (tools/tests/package.json)
#                                     in STATS_NPM_DIR (~/.cache/stats-npm)
# The tests fetch nothing: what they need is here.
set -eu
app="cmake ninja-build g++ libcli11-dev g++-mingw-w64-i686"
case "${1:-test}" in
  app) packages="$app" ;;
  test)
    packages="$app googletest libbenchmark-dev wine wine32:i386 xvfb xauth faketime
      clang libclang-rt-14-dev clang-format-14 git valgrind chromium
      fonts-dejavu-core" ;;
  *) echo "usage: install-deps.sh [app|test]" >&2; exit 2 ;;
esac
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
# The ADIF cross-check runs an npm package; Debian's npm brings node with it.
if [ "${1:-test}" = test ] && ! command -v npm >/dev/null 2>&1; then
  missing="$missing npm"
fi
if [ -n "$missing" ]; then
  echo "installing:$missing"
  case "$missing" in
    *:i386*)
      dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
  esac
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi
if [ "${1:-test}" = test ]; then
  sh "$(dirname "$0")/fetch-benchmark.sh" >/dev/null
  # The exact versions of tools/tests/package.json, unless already there.
  manifest="$(cd "$(dirname "$0")/.." && pwd)/tools/tests/package.json"
  npm_dir="${STATS_NPM_DIR:-$HOME/.cache/stats-npm}"
  installed=$(node -e '
    const want = require(process.argv[1]).dependencies;
    const ok = Object.keys(want).every((name) => {
      try {
        return require(process.argv[2] + "/node_modules/" + name + "/package.json").version ===
            want[name];
      } catch (e) {
        return false;
      }
    });
    process.stdout.write(ok ? "yes" : "no");' "$manifest" "$npm_dir")
  if [ "$installed" != yes ]; then
    echo "installing the npm packages of $manifest into $npm_dir"
    mkdir -p "$npm_dir"
    cp "$manifest" "$npm_dir/package.json"
    npm install --prefix "$npm_dir" --no-audit --no-fund --no-package-lock
  fi
fi
