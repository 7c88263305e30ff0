#!/usr/bin/env bash
# Builds everything and runs the whole test suite twice: in the optimised
# release build (-O3, warnings are errors) and under AddressSanitizer +
# UndefinedBehaviorSanitizer. Installs what is missing on a Debian 12 machine
# first.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

jobs=$(nproc)
status=0
for variant in release asan; do
  dir=build/$variant
  flags=(-DCMAKE_BUILD_TYPE=Release -DVELTRIA_WERROR=ON)
  [ "$variant" = asan ] && flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRIA_SANITIZE=ON -DVELTRIA_BENCH=OFF)
  echo "== $variant build =="
  cmake -S . -B "$dir" -G Ninja "${flags[@]}" > /dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== $variant tests =="
  if ! (cd "$dir" && ctest -j "$jobs" --output-on-failure --timeout 600); then
    status=1
  fi
done
echo "== fuzz targets (short runs) =="
if ! fuzz/run.sh 5; then
  status=1
fi
exit $status
