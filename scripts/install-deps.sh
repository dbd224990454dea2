#!/bin/sh
# Installs what the builds and tests need on Debian 12 (run as root).
set -eu
packages="cmake ninja-build g++ googletest libbenchmark-dev libcli11-dev
  g++-mingw-w64-i686 wine wine32:i386 xvfb xauth faketime clang
  libclang-rt-14-dev valgrind"
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
# The ADIF cross-check runs an npm package; Debian's npm brings node with it.
command -v npm >/dev/null 2>&1 || missing="$missing npm"
[ -z "$missing" ] && exit 0
echo "installing:$missing"
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
