#!/usr/bin/env bash
# Builds the program and what it needs (./test.sh builds the tests and
# benchmarks) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
dir=build/release
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTRIA_WERROR=ON > /dev/null
cmake --build "$dir" -j "$(nproc)" --target pelorin
exec "$dir/app/pelorin" "$@"
