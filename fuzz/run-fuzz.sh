#!/bin/sh
# Builds the fuzzers with clang in BUILD_DIR/fuzz-build (configured the first time only) and
# runs each for SECONDS on a corpus kept in that folder, seeded from fuzz/corpus/NAME, with
# the dictionary fuzz/NAME.dict. Anything one finds is written to BUILD_DIR/fuzz-build/findings/
# and makes this script fail. Without names it runs them all, one after the other.
#
#   fuzz/run-fuzz.sh BUILD_DIR [SECONDS] [NAME...]     (default 600; NAME: orderform, csv)
set -eu

if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR [SECONDS] [NAME...]" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
mkdir -p "$1"
fuzz_build=$(cd "$1" && pwd)/fuzz-build
seconds=${2:-600}
[ $# -ge 2 ] && shift 2 || shift $#
names=${*:-orderform csv}
clangxx=${CLANGXX:-clang++}

if [ ! -f "$fuzz_build/CMakeCache.txt" ]; then
    cmake -S "$source_dir" -B "$fuzz_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER="$clangxx" -DLEDGERLINE_FUZZ=ON
fi

findings=$fuzz_build/findings
mkdir -p "$findings"
for name in $names; do
    cmake --build "$fuzz_build" -j "${FUZZ_JOBS:-2}" --target "fuzz_$name"
    # The corpus grows from run to run; the committed seeds are only ever added to it.
    corpus=$fuzz_build/corpus/$name
    mkdir -p "$corpus"
    cp "$here"/corpus/"$name"/* "$corpus"/
    "$fuzz_build/fuzz/fuzz_$name" \
        -max_total_time="$seconds" \
        -timeout=10 \
        -rss_limit_mb=4096 \
        -dict="$here/$name.dict" \
        -artifact_prefix="$findings/$name-" \
        -print_final_stats=1 \
        "$corpus"
done
