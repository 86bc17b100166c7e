#!/usr/bin/env bash
# A real user at work: clicks, typing that the script's KeyPress changes,
# Tab and Shift+Tab through the Tab order, Return and Escape in the input
# box, the three items of the form's system menu, and Alt+F4.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/desktop-lib.sh"

expect_no_window "Real Input"
start_quorl "$(dirname "${BASH_SOURCE[0]}")/forms/real_input.frm"
expect_window "Real Input"
expect_seen Ready yes

click_at "$(seen Command1At)"
expect_seen Clicks 1

click_at "$(seen Text1At)"
typed banana
expect_seen Text1 bbnbnb

# Tab order: Text1, Text2, (Text3 is disabled), Command1, Ask, and round.
keys Tab
typed x
expect_seen Text2 x
keys Tab space
expect_seen Clicks 2
keys Tab Tab
typed c
expect_seen Text1 bbnbnbc
keys shift+Tab shift+Tab shift+Tab
typed y
expect_seen Text2 xy

# The input box: Return takes the typed text, Escape gives nothing.
click_at "$(seen AskAt)"
expect_window Question
typed hello
keys Return
expect_seen Answer "[hello]"
click_at "$(seen AskAt)"
expect_window Question
typed zzz
keys Escape
expect_seen Answer "[]"

# The system menu ends with the program's own items: from the bottom, the
# home page (no browser serves it here: a box says so), About This Form and
# About Quorl.
for item in "Up Up Up:About Quorl" "Up Up:Form Info" "Up:Quorl"; do
  # shellcheck disable=SC2086
  keys alt+space ${item%%:*} Return
  expect_window "${item#*:}"
  keys Return
  expect_no_window "${item#*:}"
done

# The status strip: the form grows by 23 pixels and paints it at its bottom,
# light grey, with the progress bar's filled half in blue.
window=$(window_named "Real Input")
eval "$(xdotool getwindowgeometry --shell "$window")"
click_at "$(seen BusyAt)"
expect_seen Height $((HEIGHT + 23))
sleep 0.3
import -window "$window" "$config/status.png"
pixel() { convert "$config/status.png" -format "%[pixel:p{$1}]" info:-; }
[[ $(pixel "10,$((HEIGHT + 23 - 6))") == "srgb(192,192,192)" ]] || fail "no status strip painted"
[[ $(pixel "$((WIDTH - 80)),$((HEIGHT + 23 - 12))") == srgb\(16,40,* ]] || fail "no progress bar"

keys alt+F4
expect_exit
echo "real input: all seen"
