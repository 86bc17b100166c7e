#!/usr/bin/env bash
# How long quorl.exe takes from its start to a painted form, under a warm
# Wine on a virtual display: each example and a generated form of 100
# controls, timed from starting the process until it has painted its form
# and closed it again (--quit-after-paint), so closing is counted too.
#   bench/desktop_paint_bench.sh [QUORL_EXE] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=${1:-$here/build/windows-x86_64/quorl.exe}
runs=${2:-15}
[[ -f $exe ]] || { echo "no $exe: build quorl.exe first (see the README)" >&2; exit 1; }

work=$(mktemp -d)
session=$work/session
trap '"$here/tests/wine/wine-session.sh" stop "$session"; rm -rf "$work"' EXIT
echo "Starting a virtual display and a Wine prefix (about 10 s) ..."
"$here/tests/wine/wine-session.sh" start "$session" >/dev/null
# shellcheck source=/dev/null
source "$session/session.env"
export QUORL_CONFIG_DIR="Z:${work//\//\\}"

# A form of 100 controls: buttons, text boxes, labels, check boxes and lists.
form=$work/hundred_controls.frm
{
  echo "VERSION 4.00"
  echo "Begin VB.Form Form1"
  echo '   Caption = "One hundred controls"'
  echo "   Height = 7200"
  echo "   Width = 9600"
  types=(CommandButton TextBox Label CheckBox ListBox)
  for i in $(seq 0 99); do
    type=${types[$((i % 5))]}
    echo "   Begin VB.$type Control$i"
    [[ $type == ListBox ]] || echo "      Caption = \"Item $i\""
    echo "      Left = $(((i % 10) * 900 + 60))"
    echo "      Top = $(((i / 10) * 660 + 60))"
    echo "      Width = 840"
    echo "      Height = 600"
    echo "      TabIndex = $i"
    echo "   End"
  done
  echo "End"
  echo "SUB FORM_LOAD()"
  echo "END SUB"
} >"$form"

# Prints the median and the fastest of the runs, in milliseconds.
time_program() {
  local program=$1 times=() start end
  for _ in 1 2; do wine "$exe" --quit-after-paint "$program" >/dev/null 2>&1; done  # warm up
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    timeout -k 5 60 wine "$exe" --quit-after-paint "$program" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
  done
  mapfile -t times < <(printf '%s\n' "${times[@]}" | sort -n)
  printf '%-24s %8s %8s\n' "$(basename "$program")" "${times[$((runs / 2))]}" "${times[0]}"
}

# The server stays between programs, as it does while a user works.
wineserver -p >/dev/null 2>&1 </dev/null &
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg); $runs runs each"
printf '%-24s %8s %8s\n' program "median" "fastest"
for program in "$here"/examples/*.frm "$form"; do
  time_program "$program"
done
wineserver -k 2>/dev/null || true
