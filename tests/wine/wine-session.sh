#!/usr/bin/env bash
# One X server and one fresh Wine prefix for all the desktop tests of a run.
#   wine-session.sh start DIR   starts Xvfb on a free display, makes a prefix
#                               in DIR and writes DIR/session.env
#   wine-session.sh stop DIR    ends Wine and Xvfb and removes the prefix
set -euo pipefail
action=${1:?start or stop}
dir=${2:?session folder}

stop_session() {
  if [[ -f $dir/session.env ]]; then
    # shellcheck source=/dev/null
    source "$dir/session.env"
    [[ -n ${KEEPER_PID:-} ]] && kill -- "-$KEEPER_PID" 2>/dev/null || true
    WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
    kill "$XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$dir"
}

# A session left over from an earlier run ends before a new one starts.
stop_session
if [[ $action == stop ]]; then
  exit 0
fi

mkdir -p "$dir"
# Xvfb takes the first free display and names it once it can be reached.
mkfifo "$dir/display"
setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" \
  >"$dir/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 20 display <"$dir/display" || { echo "wine-session: Xvfb did not start" >&2; exit 1; }

export WINEPREFIX=$dir/prefix WINEDEBUG=-all DISPLAY=:$display
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
wineboot >/dev/null 2>&1
# Without a window manager Wine must not wait for one: windows close at once.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
# An idle console program keeps Wine's own processes running between the
# tests, so that a program starts in a fraction of a second instead of one
# or two. The desktop process starts here too, before any test: one that a
# test's program started would keep that test's output open.
setsid bash -c 'wine explorer /desktop & sleep infinity | exec wine cmd /k' >/dev/null 2>&1 &
keeper_pid=$!
desktop_started() {
  local stat name group
  for stat in /proc/[0-9]*/stat; do
    read -r _ name _ _ group _ 2>/dev/null <"$stat" || continue
    [[ $group == "$keeper_pid" && $name == "(explorer.exe)" ]] && return 0
  done
  return 1
}
for _ in $(seq 100); do
  desktop_started && break
  sleep 0.1
done
cat >"$dir/session.env" <<ENV
export WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all DISPLAY=':$display'
export WINEDLLOVERRIDES='$WINEDLLOVERRIDES'
XVFB_PID=$xvfb_pid
KEEPER_PID=$keeper_pid
ENV
echo "wine-session: display :$display, prefix $WINEPREFIX"
