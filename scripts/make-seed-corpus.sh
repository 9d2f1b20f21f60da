#!/usr/bin/env bash
# Makes the seed corpora of the skin fuzz targets with our own packer:
#   scripts/make-seed-corpus.sh OUTDIR [BUILDDIR]
# writes OUTDIR/archive (for fuzz_skin_archive) and OUTDIR/description
# (for fuzz_skin_description). BUILDDIR defaults to build/host.
set -euo pipefail
out=${1:?usage: make-seed-corpus.sh OUTDIR [BUILDDIR]}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build/host}
if [ ! -x "$build/skinpack" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$build" --target skinpack -j2 >/dev/null
fi
"$build/skinpack" --seed-corpus "$out"
echo "seeds: $(ls "$out/archive" | wc -l) archives, $(ls "$out/description" | wc -l) descriptions in $out"
