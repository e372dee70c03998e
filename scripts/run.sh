#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vexa-connect
# Without a Bluetooth adapter the bundled simulated gauges advertise instead.
if [ $# -eq 0 ] && ! ls /sys/class/bluetooth/hci* >/dev/null 2>&1; then
  set -- --simulate examples/gauges/*.json
fi
exec build/default/vexa-connect "$@"
