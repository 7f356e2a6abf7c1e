#!/bin/sh
# The program as a new user starts it, on the X display given (xvfb-run): a fresh data folder,
# the main window with the first-start notice in front. Saves a screenshot of the whole display
# and ends the program by its pid.
#   xvfb_first_start.sh PROGRAM SCREENSHOT
set -eu
program=$1
screenshot=$2
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT

XDG_DATA_HOME=$data QT_QPA_PLATFORM=xcb "$program" &
pid=$!

# The window shows once the databases are open (the contest data is the last table made).
shown=no
for _ in $(seq 1 120); do
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "the program ended before its window showed" >&2
    exit 1
  fi
  if [ -f "$data/domivox/PXKZ.DAT" ]; then
    shown=yes
    break
  fi
  sleep 0.5
done
sleep 3  # the window and the notice in front of it paint
mkdir -p "$(dirname "$screenshot")"
import -window root "$screenshot"
kill "$pid"
wait "$pid" || true

[ "$shown" = yes ] || { echo "the program did not open its databases" >&2; exit 1; }
# A display with the windows on it has far more than the few colours of an empty one.
colours=$(identify -format '%k' "$screenshot")
echo "screenshot $screenshot: $colours colours"
[ "$colours" -gt 20 ]
