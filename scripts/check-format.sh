#!/bin/sh
# Checks the tracked C++ sources (*.cc, *.h) against .clang-format with
# clang-format 14, Debian 12's, changing nothing: lists the files that the
# style would change, with the number of places, and fails if there is one.
#   sh scripts/check-format.sh [FILE...]    (default: every tracked source)
# To apply the style to a file: clang-format -i FILE.
set -eu
cd "$(dirname "$0")/.."
# Other versions break some lines differently; the check holds to one.
format=clang-format-14
command -v "$format" >/dev/null 2>&1 || {
  echo "check-format.sh: install $format: sh scripts/install-deps.sh test" >&2
  exit 1
}
if [ $# -eq 0 ]; then
  # No third-party or generated source is tracked; one would be left out
  # here. A tree without git's data: the sources outside the build folders.
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    set -- $(git ls-files '*.cc' '*.h')
  else
    set -- $(find . \( -name build -o -name out -o -name dist -o -name .git \) -prune -o \
      -type f \( -name '*.cc' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
  fi
fi
report="$(mktemp)"
trap 'rm -f "$report"' EXIT
if "$format" --dry-run -Werror --style=file "$@" 2>"$report"; then
  echo "check-format: $# files follow .clang-format"
  exit 0
fi
# The file of each place to change, in clang-format's order.
places=$(sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' \
  "$report")
if [ -z "$places" ]; then
  # Not the style: clang-format itself failed.
  cat "$report" >&2
  echo "check-format: $format failed" >&2
  exit 1
fi
# One line per file with its number of places; clang-format -n FILE shows them.
echo "$places" | uniq -c | awk '{ print $2 ": " $1 " places" }'
echo "check-format: $(echo "$places" | wc -l) places in $(echo "$places" | sort -u | wc -l)" \
  "of $# files differ from .clang-format (clang-format -i FILE applies it)" >&2
exit 1
