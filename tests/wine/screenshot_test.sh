#!/usr/bin/env bash
# Shows a program in a real window and keeps a screenshot of it:
#   screenshot_test.sh PROGRAM CAPTION PNG
# The picture must be as large as the window, the window must carry the
# caption, and the client area must be painted: its background white (the
# colour of a form that names none) with the controls drawn on it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/desktop-lib.sh"
program=${1:?program}
caption=${2:?caption}
png=${3:?screenshot file}

# A window of that caption left by an earlier test must be gone first.
expect_no_window "$caption"
start_quorl "$program"
window=$(window_named "$caption")
eval "$(xdotool getwindowgeometry --shell "$window")"

# The window is mapped before it is painted: wait for the white background.
corner="$((WIDTH - 10)),$((HEIGHT - 10))"
for _ in $(seq 50); do
  import -window "$window" "$png"
  colour=$(convert "$png" -format "%[pixel:p{$corner}]" info:-)
  [[ $colour == white || $colour == "srgb(255,255,255)" ]] && break
  sleep 0.1
done
size=$(identify -format '%wx%h' "$png")
[[ $size == "${WIDTH}x$HEIGHT" ]] || fail "the screenshot is $size, the window ${WIDTH}x$HEIGHT"
[[ $colour == white || $colour == "srgb(255,255,255)" ]] || fail "the client area is $colour, not white"
colours=$(convert "$png" -format '%k' info:-)
((colours >= 4)) || fail "only $colours colours: the controls are not drawn"

keys alt+F4
expect_exit
echo "screenshot: $png ($size, $colours colours)"
