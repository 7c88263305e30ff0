#!/usr/bin/env bash
# Runs a command on a private Xvfb display: the first free display number
# from 90 on, a 1280x1024 screen of 24 bits. Exits 77 (CTest's skip code)
# with a message when Xvfb is not installed.
set -u
if ! command -v Xvfb > /dev/null 2>&1; then
  echo "Xvfb is not installed: the windowed tests are skipped (tools/install-deps.sh installs it)."
  exit 77
fi
display=""
for n in $(seq 90 189); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$pid" 2> /dev/null || break
      sleep 0.05
    done
    if kill -0 "$pid" 2> /dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      display=":$n"
      break
    fi
    wait "$pid" 2> /dev/null
  fi
done
if [ -z "$display" ]; then
  echo "No free X display for Xvfb"
  exit 1
fi
trap 'kill "$pid" 2> /dev/null; wait "$pid" 2> /dev/null' EXIT
DISPLAY="$display" "$@"
status=$?
exit $status
