#!/usr/bin/env bash
# Without a program on its command line, quorl.exe asks for one in the Open
# dialog; the chosen program runs, and its message box is a real one. Then
# the same program's console transcript goes into the file --transcript names.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/desktop-lib.sh"
program=$(cd "$(dirname "${BASH_SOURCE[0]}")/forms" && pwd)/one_message.qrl

start_quorl
expect_window "Open Quorl Program"
typed "Z:${program//\//\\}"
keys Return
expect_window Message
keys Return
expect_exit

start_quorl --scripted --transcript "Z:${config//\//\\}\\transcript.txt" "$program"
expect_exit
[[ $(cat "$config/transcript.txt") == "Message: Hello" ]] ||
  fail "the transcript file holds '$(cat "$config/transcript.txt")'"
echo "open dialog and transcript file: as expected"
