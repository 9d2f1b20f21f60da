#!/usr/bin/env bash
# Checks the C++ files a change touches against .clang-format:
#   scripts/format-check.sh [BASE]
# The change is everything since BASE (default: where this branch left origin/main, or the
# newest commit alone when there is no such branch point, as in a fresh clone of main)
# plus what is not committed yet. Prints each file that is not formatted, with the lines
# clang-format would change, and exits 1 when there is one. `clang-format -i FILE` fixes it.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
base="${1:-}"
if [ -z "$base" ]; then
  if mb=$(git merge-base HEAD origin/main 2>/dev/null) && [ "$mb" != "$(git rev-parse HEAD)" ]; then
    base="$mb"
  elif git rev-parse -q --verify HEAD~1 >/dev/null; then
    base=HEAD~1
  else
    base=$(git hash-object -t tree /dev/null)
  fi
fi
mapfile -t files < <({ git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h'
                       git ls-files --others --exclude-standard -- '*.cpp' '*.h'; } | sort -u)
bad=0
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  if ! out=$(clang-format --style=file "$f" | diff -u "$f" - ); then
    bad=$((bad + 1))
    echo "not formatted: $f (clang-format -i $f)"
    printf '%s\n' "$out" | sed -n '3,40p'
  fi
done
echo "format: ${#files[@]} changed C++ files checked against $(git rev-parse --short "$base" 2>/dev/null || echo "$base"), $bad not formatted"
[ "$bad" -eq 0 ]
