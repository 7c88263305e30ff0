#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that
# are missing; 'apt-get update' runs once, and only when something is missing.
set -euo pipefail
packages=(g++ cmake ninja-build ccache libgtest-dev libgmock-dev libbenchmark-dev
          binutils python3 liblapack-dev libfftw3-dev python3-numpy python3-scipy
          python3-mpmath python3-periodictable librsvg2-bin libgsl-dev locales clang clang-format
          libfltk1.3-dev xvfb xauth xdotool xclip xdg-utils fonts-dejavu-core)
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
# A comma-decimal locale for the test that numbers ignore the process locale.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen > /dev/null
  "${sudo_cmd[@]}" locale-gen > /dev/null || echo "locale-gen failed: the locale test will be skipped"
fi
# The third-party reader of Bruker folders that the tests use as an oracle
# (tests/app_core/bruker_read_oracle.mjs): an npm package, installed exactly
# as the committed lock file says into tools/bruker_oracle/node_modules.
oracle="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/bruker_oracle"
if [ ! -f "$oracle/node_modules/brukerconverter/package.json" ]; then
  if ! command -v npm > /dev/null || ! command -v node > /dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq nodejs npm \
      || echo "nodejs/npm could not be installed"
  fi
  if command -v npm > /dev/null && command -v node > /dev/null; then
    (cd "$oracle" && npm ci --no-audit --no-fund --loglevel=error) \
      || echo "npm ci failed: the tests against the third-party Bruker reader will be skipped"
  else
    echo "node/npm not found: the tests against the third-party Bruker reader will be skipped"
  fi
fi
