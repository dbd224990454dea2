#!/bin/sh
# Runs the differential driver on the native library and, under Wine, on the
# DLL with the same seed, count and hour, and compares the two transcripts
# byte for byte. On a difference prints the first sequence and call that
# differ, as each side wrote them. Sequences named SEED:NUMBER run after the
# COUNT of SEED.
#   differential_test.sh NATIVE_DRIVER NATIVE_LIBRARY WINE_RUN WINDOWS_DRIVER DLL
#                        WORK_FOLDER SEED COUNT [SEED:NUMBER...]
set -u
if [ $# -lt 8 ]; then
  echo "usage: $0 NATIVE_DRIVER NATIVE_LIBRARY WINE_RUN WINDOWS_DRIVER DLL WORK_FOLDER SEED COUNT [SEED:NUMBER...]" >&2
  exit 2
fi
native_driver="$1" native_library="$2" wine_run="$3" windows_driver="$4" dll="$5"
work="$6" seed="$7" count="$8"
shift 8
expected=$((count + $#))
for file in "$native_driver" "$native_library"; do
  if [ ! -f "$file" ]; then
    echo "missing $file: build the native preset first (sh scripts/build.sh native)" >&2
    exit 2
  fi
done
mkdir -p "$work"
native="$work/native.txt"
windows="$work/win32.txt"

# The call check reads the clock: a driver that saw it leave the hour given
# exits with 3, and both sides run again in the new hour.
clock_moved=3
for _ in 1 2; do
  hour=$(date -u +%H)
  hour=${hour#0}
  native_status=0
  "$native_driver" "$native_library" "$native" "$seed" "$count" "$hour" "$@" \
    </dev/null 2>"$work/native.err" || native_status=$?
  windows_status=0
  "$wine_run" "$windows_driver" "$dll" "$windows" "$seed" "$count" "$hour" "$@" \
    </dev/null 2>"$work/win32.err" || windows_status=$?
  if [ "$native_status" -ne "$clock_moved" ] && [ "$windows_status" -ne "$clock_moved" ]; then
    break
  fi
  echo "the clock left hour $hour during the run: once more"
done
for side in native:$native_status win32:$windows_status; do
  if [ "${side#*:}" -ne 0 ]; then
    echo "the ${side%%:*} driver failed (exit status ${side#*:}):" >&2
    cat "$work/${side%%:*}.err" >&2
    exit 1
  fi
done

# A transcript that holds fewer sequences than asked for compares nothing.
sequences=$(grep -c '^sequence ' "$native")
if [ "$sequences" -ne "$expected" ] || [ "$expected" -eq 0 ]; then
  echo "the native transcript holds $sequences sequences of the $expected asked for" >&2
  exit 1
fi
if cmp -s "$native" "$windows"; then
  echo "$sequences sequences, $(wc -c <"$native") bytes of transcript: identical"
  exit 0
fi
# The first differing line, and the sequence and call it belongs to.
line=$(cmp "$native" "$windows" 2>/dev/null | sed -n 's/.* line \([0-9]*\).*/\1/p')
if [ -z "$line" ]; then
  # One transcript is the beginning of the other: the first line past the
  # shorter one.
  native_lines=$(wc -l <"$native")
  windows_lines=$(wc -l <"$windows")
  line=$((native_lines < windows_lines ? native_lines + 1 : windows_lines + 1))
fi
echo "the DLL and the native library differ at line $line of the transcripts"
show() {
  awk -v line="$line" '
    /^sequence / { sequence = $0; call = "" }
    /^  [A-Za-z]/ { call = $0 }
    NR == line {
      print "  " FILENAME ": " sequence
      if (call != "" && call != $0) print "    in:   " substr(call, 1, 300)
      print "    line: " substr($0, 1, 600)
      found = 1
      exit
    }
    END { if (!found) print "  " FILENAME ": ends after line " NR " (" sequence ")" }' "$1"
}
show "$native"
show "$windows"
exit 1
