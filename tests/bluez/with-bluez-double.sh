#!/usr/bin/env bash
# with-bluez-double.sh DOUBLE_EXE [double args...] -- COMMAND [args...]
#
# Runs COMMAND with a private system bus on which the BlueZ test double owns org.bluez, so that Qt
# Bluetooth talks to the double instead of a real Bluetooth stack. Exits with the command's status; when
# the command passes but the double ends badly (a sanitizer report, a crash), with the double's status.
set -euo pipefail

ReadyTimeoutSeconds=10

if [ $# -lt 3 ]; then
  echo "usage: $0 DOUBLE_EXE [double args...] -- COMMAND [args...]" >&2
  exit 2
fi

double_cmd=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  double_cmd+=("$1")
  shift
done
if [ $# -lt 2 ]; then
  echo "$0: missing -- COMMAND" >&2
  exit 2
fi
shift

workdir=$(mktemp -d -t bluez-double.XXXXXX)
daemon_pid=""
double_pid=""

stop() {
  local pid=$1
  [ -n "$pid" ] || return 0
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null
}

cleanup() {
  local status=$?
  local double_status=0
  trap - EXIT INT TERM
  if [ -n "$double_pid" ]; then
    kill -TERM "$double_pid" 2>/dev/null || true
    wait "$double_pid" 2>/dev/null || double_status=$?
  fi
  stop "$daemon_pid" || true
  rm -rf "$workdir"
  if [ "$status" -eq 0 ] && [ "$double_status" -ne 0 ]; then
    echo "$0: the BlueZ double ended with status $double_status" >&2
    status=$double_status
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Waits until FILE has a line matching PATTERN while process PID lives, for at most the ready timeout.
wait_for_line() {
  local file=$1 pattern=$2 pid=$3 what=$4
  local deadline=$((SECONDS + ReadyTimeoutSeconds))
  until grep -q -- "$pattern" "$file" 2>/dev/null; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "$0: $what ended before it was ready" >&2
      return 1
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "$0: $what not ready within $ReadyTimeoutSeconds s" >&2
      return 1
    fi
    sleep 0.02
  done
}

cat >"$workdir/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$workdir/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="method_return"/>
    <allow send_type="error"/>
    <allow send_type="signal"/>
    <allow receive_type="method_call"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
    <allow receive_type="signal"/>
  </policy>
</busconfig>
CONF

dbus-daemon --config-file="$workdir/bus.conf" --nofork --print-address=1 >"$workdir/bus.address" &
daemon_pid=$!
wait_for_line "$workdir/bus.address" "unix:" "$daemon_pid" "dbus-daemon"

DBUS_SYSTEM_BUS_ADDRESS=$(head -n 1 "$workdir/bus.address")
export DBUS_SYSTEM_BUS_ADDRESS
# Without a known BlueZ version Qt falls back to its kernel ATT backend, which needs real hardware.
export BLUETOOTH_FORCE_DBUS_LE_VERSION=5.66

"${double_cmd[@]}" >"$workdir/double.out" &
double_pid=$!
wait_for_line "$workdir/double.out" "^ready$" "$double_pid" "the BlueZ double"

set +e
"$@"
status=$?
set -e
exit "$status"
