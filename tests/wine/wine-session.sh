#!/usr/bin/env bash
# One X server and one fresh Wine prefix for all the desktop tests of a run.
#   wine-session.sh start DIR   starts Xvfb on a free display, makes a prefix
#                               in DIR and writes DIR/session.env
#   wine-session.sh stop DIR    ends Wine and Xvfb and removes the prefix
set -euo pipefail
action=${1:?start or stop}
dir=${2:?session folder}

if [[ $action == stop ]]; then
  if [[ -f $dir/session.env ]]; then
    # shellcheck source=/dev/null
    source "$dir/session.env"
    WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
    kill "$XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$dir"
  exit 0
fi

rm -rf "$dir"
mkdir -p "$dir"
display=""
for number in $(seq 90 150); do
  if [[ ! -e /tmp/.X11-unix/X$number && ! -e /tmp/.X$number-lock ]]; then
    display=$number
    break
  fi
done
[[ -n $display ]] || { echo "wine-session: no free X display" >&2; exit 1; }
setsid Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  [[ -e /tmp/.X11-unix/X$display ]] && break
  sleep 0.1
done

export WINEPREFIX=$dir/prefix WINEDEBUG=-all DISPLAY=:$display
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
wineboot >/dev/null 2>&1
# Without a window manager Wine must not wait for one: windows close at once.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
cat >"$dir/session.env" <<ENV
export WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all DISPLAY=':$display'
export WINEDLLOVERRIDES='$WINEDLLOVERRIDES'
XVFB_PID=$xvfb_pid
ENV
echo "wine-session: display :$display, prefix $WINEPREFIX"
