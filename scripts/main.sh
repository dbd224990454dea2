#!/bin/sh
# The main job: builds libStats.so and Stats.dll and shows their exports.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
sh scripts/build.sh native --target Stats
sh scripts/build.sh win32 --target Stats
echo "== build/native/libStats.so"
nm -D --defined-only build/native/libStats.so | awk '$2 == "T" { print "  " $3 }'
echo "== build/win32/Stats.dll"
i686-w64-mingw32-objdump -p build/win32/Stats.dll |
  sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p; /DLL Name/p'
