#!/usr/bin/env bash
# with-x11.sh [--window-manager] -- COMMAND [args...]
#
# Runs COMMAND on an X server of its own (Xvfb on the first free display) with Qt on xcb, and with
# --window-manager under openbox. Exits with the command's status. The server and the window manager end
# with it, and so does every X client left on that display.
set -euo pipefail

ReadyTimeoutSeconds=10

with_manager=false
if [ "${1:-}" = "--window-manager" ]; then
  with_manager=true
  shift
fi
if [ "${1:-}" != "--" ] || [ $# -lt 2 ]; then
  echo "usage: $0 [--window-manager] -- COMMAND [args...]" >&2
  exit 2
fi
shift

workdir=$(mktemp -d -t with-x11.XXXXXX)
pids=()

finish() {
  local status=$?
  trap - EXIT INT TERM
  # The window manager first: it would only complain about a server going away beneath it.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill -TERM "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$workdir"
  exit "$status"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Waits until FILE exists and is not empty while the process started last lives, for at most the ready
# timeout; shows LOG when it does not come to that.
wait_for() {
  local file=$1 what=$2 log=$3
  local deadline=$((SECONDS + ReadyTimeoutSeconds))
  until [ -s "$file" ]; do
    if ! kill -0 "${pids[-1]}" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
      echo "$0: $what did not come up within $ReadyTimeoutSeconds s" >&2
      cat "$log" >&2
      return 1
    fi
    sleep 0.02
  done
}

# Xvfb writes the number of the display it took once it accepts connections.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$workdir/display" 2>"$workdir/xvfb.log" &
pids+=($!)
wait_for "$workdir/display" "Xvfb" "$workdir/xvfb.log"
DISPLAY=":$(head -n 1 "$workdir/display")"
export DISPLAY
export QT_QPA_PLATFORM=xcb

if $with_manager; then
  # openbox runs its startup command once it manages the screen; whatever it writes stays in the work
  # folder.
  XDG_CONFIG_HOME="$workdir" XDG_CACHE_HOME="$workdir" XDG_DATA_HOME="$workdir" \
    openbox --sm-disable --startup "sh -c 'echo managing >$workdir/openbox.ready'" >"$workdir/openbox.log" 2>&1 &
  pids+=($!)
  wait_for "$workdir/openbox.ready" "openbox" "$workdir/openbox.log"
fi

set +e
"$@"
status=$?
set -e
exit "$status"
