#!/bin/sh
# Builds the order-form fuzzer with clang in BUILD_DIR/fuzz-build (configured the first
# time only) and runs it for SECONDS on a corpus kept in that folder, seeded from
# fuzz/corpus/orderform. Anything it finds is written to BUILD_DIR/fuzz-build/findings/
# and makes this script fail.
#
#   fuzz/run-fuzz.sh BUILD_DIR [SECONDS]     (default 600)
set -eu

if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR [SECONDS]" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
mkdir -p "$1"
fuzz_build=$(cd "$1" && pwd)/fuzz-build
seconds=${2:-600}
clangxx=${CLANGXX:-clang++}

if [ ! -f "$fuzz_build/CMakeCache.txt" ]; then
    cmake -S "$source_dir" -B "$fuzz_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER="$clangxx" -DLEDGERLINE_FUZZ=ON
fi
cmake --build "$fuzz_build" -j "${FUZZ_JOBS:-2}" --target fuzz_orderform

# The corpus grows from run to run; the committed seeds are only ever added to it.
corpus=$fuzz_build/corpus/orderform
findings=$fuzz_build/findings
mkdir -p "$corpus" "$findings"
cp "$here"/corpus/orderform/* "$corpus"/

exec "$fuzz_build/fuzz/fuzz_orderform" \
    -max_total_time="$seconds" \
    -timeout=10 \
    -rss_limit_mb=4096 \
    -dict="$here/orderform.dict" \
    -artifact_prefix="$findings/" \
    -print_final_stats=1 \
    "$corpus"
