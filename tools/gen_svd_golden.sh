#!/bin/sh
# Rebuilds the golden tables of the singular value decompositions from the
# code as it stands (see tools/svd_golden_dump.cpp). Run from the repository
# root with a configured build folder (default build/release):
#   tools/gen_svd_golden.sh [build folder]
set -e
build=${1:-build/release}
ninja -C "$build" svd_golden_dump
"$build/tests/svd_golden_dump" real tests/arrays/svd_golden.inc
"$build/tests/svd_golden_dump" complex tests/complexvec/cmat_svd_golden.inc
