# shellcheck shell=bash
# Shared by the tests that work quorl.exe with a real mouse and keyboard:
# source it, then start_quorl PROGRAM [ARGS...]. Every wait is bounded.

# The session of the wine_session fixture, and a configuration folder of the
# test's own, where the programs write what they saw.
# shellcheck source=/dev/null
source "${QUORL_WINE_SESSION:?}/session.env"
config=$(mktemp -d)
export QUORL_CONFIG_DIR="Z:${config//\//\\}"
quorl_pid=""
trap 'stop_quorl; rm -rf "$config"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

start_quorl() {
  timeout -k 5 60 wine "${QUORL_EXE:?}" "$@" >"$config/stdout" 2>"$config/stderr" &
  quorl_pid=$!
}

stop_quorl() {
  if [[ -n $quorl_pid ]] && kill -0 "$quorl_pid" 2>/dev/null; then
    kill "$quorl_pid" 2>/dev/null || true
    wait "$quorl_pid" 2>/dev/null || true
  fi
  quorl_pid=""
}

# The value of KEY in section "Seen" of the program's QuorlFRM.INI.
seen() {
  [[ -f $config/QuorlFRM.INI ]] || return 0
  tr -d '\r' <"$config/QuorlFRM.INI" | sed -n "s/^$1=//p" | tail -1
}

# Waits until KEY reads VALUE; fails naming what it read instead.
expect_seen() {
  local key=$1 value=$2
  for _ in $(seq 100); do
    [[ $(seen "$key") == "$value" ]] && return 0
    sleep 0.1
  done
  fail "$key is '$(seen "$key")', expected '$value'"
}

# The X window of a top-level window with exactly this caption, searched for
# up to 10 s (a search fails at once, with no answer, when a window goes away
# while it looks, as a closing dialog does); fails if none appears.
window_named() {
  local found
  for _ in $(seq 100); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) || true
    [[ -n $found ]] && { echo "$found"; return 0; }
    sleep 0.1
  done
  fail "no window '$1' appeared"
}

expect_window() {
  window_named "$1" >/dev/null
}

expect_no_window() {
  for _ in $(seq 50); do
    [[ -z $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) ]] && return 0
    sleep 0.1
  done
  fail "window '$1' is still open"
}

click_at() {
  # shellcheck disable=SC2086
  xdotool mousemove $1 click 1
}

keys() {
  xdotool key --delay 60 "$@"
}

typed() {
  xdotool type --delay 60 "$1"
}

# Waits for the program to end by itself; fails if it does not.
expect_exit() {
  for _ in $(seq 100); do
    kill -0 "$quorl_pid" 2>/dev/null || { wait "$quorl_pid"; quorl_pid=""; return 0; }
    sleep 0.1
  done
  fail "quorl.exe did not end"
}
