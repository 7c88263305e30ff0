#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a few seconds from its
# committed seed corpus. New inputs go to a scratch folder, so the committed
# corpus stays as it is. Usage: fuzz/run.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ > /dev/null; then
  echo "fuzz: clang++ not found: install the Debian package clang (tools/install-deps.sh does)"
  exit 1
fi
seconds=${1:-5}
dir=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELTRIA_FUZZ=ON -DVELTRIA_BENCH=OFF > /dev/null
targets=$(cd fuzz && ls *_fuzz.cpp | sed 's/_fuzz\.cpp$//; s/^/fuzz_/')
cmake --build "$dir" -j "$(nproc)" --target $targets
status=0
for t in $targets; do
  name=${t#fuzz_}
  scratch=$(mktemp -d)
  # A target with a dictionary of its keywords gets it.
  dict=()
  [ -f "fuzz/dict/$name.dict" ] && dict=(-dict="fuzz/dict/$name.dict")
  echo "== $t ($seconds s)"
  if ! ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=1 \
      "$dir/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "${dict[@]}" \
      -artifact_prefix="$dir/$t-" "$scratch" "fuzz/corpus/$name" > "$dir/$t.log" 2>&1; then
    echo "$t failed; see $dir/$t.log:"
    tail -40 "$dir/$t.log"
    status=1
  fi
  rm -rf "$scratch"
done
exit $status
