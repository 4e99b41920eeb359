#!/usr/bin/env bash
# Runs every benchmark program built under BUILD/bench/bin.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/bin/*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
