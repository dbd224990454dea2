#!/bin/sh
# Holds a Windows program or DLL to the oldest Windows it is meant for:
# every function it imports must be on one of the allow-lists (DLL names
# compared in any case), and its header must not ask for a later Windows
# than 5.1 (XP).
#   sh windows_imports_test.sh OBJDUMP BINARY ALLOW-LIST...
set -u
objdump="$1" binary="$2"
shift 2
headers=$("$objdump" -p "$binary") || exit 1

# A function can be imported twice, through two import libraries.
imports=$(printf '%s\n' "$headers" | awk '
  /^The Import Tables/ { inside = 1 }
  /^The Export Tables/ { inside = 0 }
  inside && /DLL Name:/ { name = toupper($3) }
  inside && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print name, $3 }' | sort -u)
if [ -z "$imports" ]; then
  echo "no import table read from $binary"
  exit 1
fi
list=$(mktemp)
trap 'rm -f "$list"' EXIT
cat "$@" | grep -v '^#' | awk 'NF { print toupper($1), $2 }' | sort -u >"$list"
unknown=$(printf '%s\n' "$imports" | comm -23 - "$list")

status=0
if [ -n "$unknown" ]; then
  echo "imports not on the allow-lists $*:"
  printf '%s\n' "$unknown" | sed 's/^/  /'
  status=1
fi
for field in OSystemVersion SubsystemVersion; do
  major=$(printf '%s\n' "$headers" | awk -v f="Major$field" '$1 == f { print $2 }')
  minor=$(printf '%s\n' "$headers" | awk -v f="Minor$field" '$1 == f { print $2 }')
  if [ "${major:-9}" -gt 5 ] || { [ "${major:-9}" -eq 5 ] && [ "${minor:-9}" -gt 1 ]; }; then
    echo "$field $major.$minor asks for a Windows later than XP (5.1)"
    status=1
  fi
done
[ $status -eq 0 ] && echo "$(printf '%s\n' "$imports" | wc -l) imports, all allowed; header version 5.1 or older"
exit $status
