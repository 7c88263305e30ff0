#!/usr/bin/env bash
# Builds everything and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
dir=build/release
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTRIA_WERROR=ON > /dev/null
cmake --build "$dir" -j "$(nproc)"
if [ -x "$dir/app/pelorin" ]; then
  exec "$dir/app/pelorin" "$@"
fi
echo "Built the library and its tests; there is no program to start yet."
