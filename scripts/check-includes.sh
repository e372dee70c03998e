#!/usr/bin/env bash
# Fails when code under src/ includes a folder above its own. The folders are build targets and depend
# on each other in one direction only:
#
#   texts -> data -> protocol -> link -> gauge -> files -> window -> widgets -> app
#                                                           files -> cli
#                                                           files -> report -> widgets, cli
#
# A folder may include itself and every folder left of it; link/sim and link/ble may include link, but
# the link itself neither of them; cli may include the link's transports but no window code. link/bluez,
# what BlueZ and the kernel say about the machine's Bluetooth, stands beside link/ble, which uses it, and
# the folders right of the link may include it.
# Prints every include against the direction and their count.
set -euo pipefail
cd "$(dirname "$0")/../src"

may_include() { # folder -> folders it may include
    local base="texts"
    case "$1" in
    texts) echo "$base" ;;
    data) echo "$base data" ;;
    protocol) echo "$base data protocol" ;;
    link) echo "$base data protocol link" ;;
    link/sim) echo "$base data protocol link link/sim" ;;
    link/bluez) echo "$base data protocol link link/bluez" ;;
    link/ble) echo "$base data protocol link link/sim link/bluez link/ble" ;;
    gauge) echo "$base data protocol link link/bluez gauge" ;;
    files) echo "$base data protocol link link/bluez gauge files" ;;
    window) echo "$base data protocol link link/bluez gauge files window" ;;
    report) echo "$base data protocol link link/bluez gauge files report" ;;
    widgets) echo "$base data protocol link link/bluez gauge files report window widgets" ;;
    cli) echo "$base data protocol link link/sim link/bluez link/ble gauge files report cli" ;;
    app) echo "$base data protocol link link/sim link/bluez link/ble gauge files report window widgets app" ;;
    *) echo "" ;;
    esac
}

folder_of() { # path below src/ -> its folder
    case "$1" in
    link/sim/*) echo link/sim ;;
    link/ble/*) echo link/ble ;;
    link/bluez/*) echo link/bluez ;;
    *) echo "${1%%/*}" ;;
    esac
}

against=0
while IFS= read -r file; do
    from=$(folder_of "$file")
    allowed=" $(may_include "$from") "
    if [ "$allowed" = "  " ]; then
        echo "$file: folder \"$from\" has no place in the order"
        against=$((against + 1))
        continue
    fi
    while IFS= read -r included; do
        to=$(folder_of "$included")
        case "$allowed" in
        *" $to "*) ;;
        *)
            echo "$file includes $included ($from must not include $to)"
            against=$((against + 1))
            ;;
        esac
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\/[^"]*\)".*/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

echo "includes against the direction: $against"
[ "$against" -eq 0 ]
