#!/usr/bin/env bash
# Shows the calculator example in a real window. Installs what the desktop
# program needs (Debian 12, as root or with sudo), builds quorl.exe alone
# into build-windows/ and runs examples/calculator.frm under Wine: on your
# display when there is one (close the window to end), else on a virtual
# display, where it saves a screenshot of the window and prints its path.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=scripts/common.sh
source scripts/common.sh

bash scripts/install-deps.sh desktop
configure_and_build build-windows Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
program=examples/calculator.frm
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'

if [[ -n ${DISPLAY:-} ]] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  export WINEPREFIX=$PWD/build-windows/wine
  [[ -d $WINEPREFIX ]] || echo "Preparing Wine in build-windows/wine (about 15 s, once) ..."
  echo "The calculator opens on your display: type into it, press its buttons, close it to end."
  # Wine's own notices go to a log; a failure points to it.
  wine build-windows/quorl.exe "$program" 2>build-windows/wine.log ||
    { echo "quorl.exe failed; Wine's messages are in build-windows/wine.log" >&2; exit 1; }
  exit 0
fi

# No display (a server, a container): a virtual one, as the tests use.
session=$PWD/build-windows/virtual-display
trap 'bash tests/wine/wine-session.sh stop "$session"' EXIT
echo "No display here: starting a virtual one and Wine (about 15 s) ..."
bash tests/wine/wine-session.sh start "$session" >/dev/null
# shellcheck source=/dev/null
source "$session/session.env"
wine build-windows/quorl.exe "$program" >/dev/null 2>&1 &
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Calculator$' | head -1)
sleep 1  # the window is shown before it is painted
shot=$PWD/build-windows/calculator.png
import -window "$window" "$shot"
# Alt+F4 closes it: the window can be gone before the keys' releases reach
# it, which xdotool reports as an error of its own.
xdotool key --window "$window" alt+F4 2>/dev/null || true
wait
echo "The calculator ran in a real window on a virtual display; its picture: $shot"
