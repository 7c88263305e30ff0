#!/usr/bin/env bash
# Runs a command on a private Xvfb display, a 1280x1024 screen of 24 bits.
# Xvfb itself picks a free display number (-displayfd), so windowed tests
# that CTest starts at the same moment never share or steal a display.
# -noreset: a server that resets when its last client leaves refuses the
# program a test starts right after another one quit.
# Exits 77 (CTest's skip code) with a message when Xvfb is not installed.
set -u
if ! command -v Xvfb > /dev/null 2>&1; then
  echo "Xvfb is not installed: the windowed tests are skipped (tools/install-deps.sh installs it)."
  exit 77
fi
numfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3> "$numfile" > /dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2> /dev/null; wait "$pid" 2> /dev/null; rm -f "$numfile"' EXIT
n=""
for _ in $(seq 1 200); do
  n=$(tr -dc '0-9' < "$numfile")
  [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] && break
  kill -0 "$pid" 2> /dev/null || break
  n=""
  sleep 0.05
done
if [ -z "$n" ]; then
  echo "Xvfb did not start"
  exit 1
fi
DISPLAY=":$n" "$@"
