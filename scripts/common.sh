# shellcheck shell=bash
# Shared by the scripts in this folder; source it, do not run it.

# Runs a command with its output held back; shows the output only if it fails.
run_quietly() {
  local log status=0
  log=$(mktemp)
  "$@" >"$log" 2>&1 || status=$?
  if ((status != 0)); then
    cat "$log" >&2
    echo "failed (exit $status): $*" >&2
  fi
  rm -f "$log"
  return "$status"
}

# configure_and_build DIR BUILD_TYPE [CMAKE OPTIONS...]: configures and builds
# the project (in the current directory) into DIR. Two jobs: the build
# machines have two cores.
configure_and_build() {
  local dir=$1 type=$2 started=$SECONDS
  shift 2
  if [[ -f $dir/CMakeCache.txt ]]; then
    echo "Building Quorl ($type) in $dir/: only what changed since the last build ..."
  else
    echo "Building Quorl ($type) in $dir/: 3 to 10 minutes on two cores, less without the tests ..."
  fi
  run_quietly cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@"
  run_quietly cmake --build "$dir" -j 2
  echo "Built in $((SECONDS - started)) s."
}
