#!/bin/sh
# Runs a command under the window manager openbox on the X display given (xvfb-run), as on a
# desktop: windows get a frame with a title bar. The command learns of it by
# DOMIVOX_WINDOW_MANAGER=1 and answers for the run.
#   with_window_manager.sh COMMAND [ARGUMENT...]
set -eu
ready=$(mktemp -u)
# openbox runs its start-up command once it manages the screen.
openbox --sm-disable --startup "touch $ready" >/dev/null 2>&1 &
manager=$!
trap 'kill $manager 2>/dev/null; rm -f "$ready"' EXIT
for _ in $(seq 1 100); do
  [ -e "$ready" ] && break
  sleep 0.1
done
[ -e "$ready" ] || { echo "openbox did not start" >&2; exit 1; }
DOMIVOX_WINDOW_MANAGER=1 "$@"
