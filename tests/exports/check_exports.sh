#!/usr/bin/env bash
# Compares the dynamic symbols that libveltria.so defines with the committed
# lists (one name per line, one file per family; blank lines and # comments
# are ignored). Prints the names that are missing or unexpected. The
# sanitizer build adds one-definition-rule markers for exported data; they
# are not names of the interface. C++ names (classes and functions the
# program reaches beside the flat interface) are compared demangled.
set -euo pipefail
lib=$1
dir=$2
actual=$(mktemp)
expected=$(mktemp)
trap 'rm -f "$actual" "$expected"' EXIT
nm -D --defined-only "$lib" | awk '$2 != "A" {print $3}' | sed 's/@.*//' \
  | grep -vxE '_init|_fini|__bss_start|_edata|_end' | grep -v '^__odr_asan\.' | c++filt \
  | sed 's/[[:space:]]//g' | sort -u > "$actual"
cat "$dir"/*.txt | sed 's/#.*//; s/[[:space:]]//g' | grep -v '^$' | sort -u > "$expected"
if ! diff -u "$expected" "$actual" > /dev/null; then
  echo "Exported names differ from the committed lists ($dir):"
  comm -23 "$expected" "$actual" | sed 's/^/  missing:    /'
  comm -13 "$expected" "$actual" | sed 's/^/  unexpected: /'
  exit 1
fi
echo "exports: $(wc -l < "$actual") names match"
