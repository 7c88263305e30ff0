#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that
# are missing; 'apt-get update' runs once, and only when something is missing.
set -euo pipefail
packages=(g++ cmake ninja-build ccache libgtest-dev libgmock-dev libbenchmark-dev
          binutils python3 liblapack-dev libfftw3-dev python3-numpy python3-scipy
          python3-mpmath librsvg2-bin libgsl-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
