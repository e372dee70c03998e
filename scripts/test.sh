#!/usr/bin/env bash
# Installs what is missing, checks that no code includes a folder above its own, then builds and runs the
# whole test suite twice: once optimised (default preset), followed by the Debian package built from that
# build and checked, and once under AddressSanitizer + UBSan (asan preset).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-includes.sh
jobs=$(nproc)
for preset in default asan; do
  echo "== preset $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
  if [ "$preset" = default ]; then
    echo "== Debian package"
    scripts/check-package.sh
  fi
done
