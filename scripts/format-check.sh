#!/usr/bin/env bash
# Checks C++ files against .clang-format:
#   scripts/format-check.sh [BASE]
# On a branch (or with BASE) it checks what the change touches: the files changed since BASE
# (default: where the branch left origin/main) and those not committed yet. On main itself,
# as in a fresh clone, there is no change to single out, so it checks every C++ file (under
# a second). Prints each file that is not formatted, with the lines clang-format would
# change, and exits 1 when there is one. `clang-format -i FILE` fixes it.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
base="${1:-}"
if [ -z "$base" ] && mb=$(git merge-base HEAD origin/main 2>/dev/null) && [ "$mb" != "$(git rev-parse HEAD)" ]; then
  base="$mb"
fi
if [ -n "$base" ]; then
  what="changed since $(git rev-parse --short "$base")"
  mapfile -t files < <({ git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h'
                         git ls-files --others --exclude-standard -- '*.cpp' '*.h'; } | sort -u)
else
  what="in the tree"
  mapfile -t files < <({ git ls-files -- '*.cpp' '*.h'
                         git ls-files --others --exclude-standard -- '*.cpp' '*.h'; } | sort -u)
fi
bad=0
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  if ! out=$(clang-format --style=file "$f" | diff -u "$f" - ); then
    bad=$((bad + 1))
    echo "not formatted: $f (clang-format -i $f)"
    printf '%s\n' "$out" | sed -n '3,40p'
  fi
done
echo "format: ${#files[@]} C++ files $what checked, $bad not formatted"
[ "$bad" -eq 0 ]
