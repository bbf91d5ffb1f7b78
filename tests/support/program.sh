# Shared steps of the shell tests that start the program or look at what it
# made: a work folder cleaned up on exit together with every program started,
# waits that poll ten times a second, starting the program in its data folder
# (by hand or through the installed desktop entry), and PNG checks.
#   source tests/support/program.sh
# A test that wants more on exit defines at_exit before it ends.

# Prints FAILED and the reason, and ends the test.
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Makes the temporary folder $work; on exit every process in $pids is ended,
# at_exit runs if the test defined it, and the folder goes.
make_work_dir() {
  work="$(mktemp -d)"
  pids=()
  trap finish_work EXIT
}

finish_work() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if declare -F at_exit >/dev/null; then at_exit || true; fi
  rm -rf "$work"
}

# Runs COMMAND... every tenth of a second until it succeeds, for at most
# SECONDS; fails (status 1) when it never does.
wait_until() {
  local seconds="$1" i
  shift
  for ((i = 0; i < seconds * 10; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

# Whether the CR LF text file FILE holds the line LINE.
has_line() {
  [ -f "$1" ] && tr -d '\r' <"$1" | grep -qxF -- "$2"
}

# Writes each LINE to FILE with CR LF ends, as the program writes its data files.
write_lines() {
  local file="$1"
  shift
  printf '%s\r\n' "$@" >"$file"
}

# Starts COMMAND... in the background in the folder DATA, its output into
# $work/program.log; sets $program_pid and adds it to $pids.
start_in_folder() {
  local data="$1"
  shift
  (cd "$data" && exec "$@" >"$work/program.log" 2>&1) &
  program_pid=$!
  pids+=("$program_pid")
}

# Fails, showing what the program printed, once the program has ended.
still_running() {
  kill -0 "$program_pid" 2>/dev/null && return 0
  cat "$work/program.log"
  fail "$1"
}

# Waits until the program holds the data folder DATA (its lock file is there),
# failing if it ends first or takes more than a minute.
wait_for_data_folder() {
  local data="$1" i
  for ((i = 0; i < 600; i++)); do
    [ -f "$data/Pursewise.lock" ] && return 0
    still_running "the program ended at start-up"
    sleep 0.1
  done
  fail "the program never took its data folder $data"
}

# Ends the program started last and waits for it.
stop_program() {
  local pid kept=()
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  for pid in "${pids[@]}"; do [ "$pid" = "$program_pid" ] || kept+=("$pid"); done
  pids=("${kept[@]}")
  program_pid=
}

# Starts the desktop entry's COMMAND... as a desktop would, with only the home
# folder HOME (and $work/runtime as the runtime folder) and the NAME=VALUE
# pairs before "--" for environment, then checks that the program EXE took
# its data folder DATA and stays running. Leaves it running.
start_from_entry() {
  local home="$1" data="$2" exe="$3" vars=()
  shift 3
  while [ "$1" != -- ]; do
    vars+=("$1")
    shift
  done
  shift
  mkdir -p -m 700 "$work/runtime"
  env -u PURSEWISE_DATA -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME \
    HOME="$home" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen "${vars[@]}" \
    "$@" >"$work/program.log" 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
  wait_for_data_folder "$data"
  sleep 2
  still_running "the program did not stay running"
  [ "$(readlink "/proc/$program_pid/exe")" = "$exe" ] ||
    fail "the running program is $(readlink "/proc/$program_pid/exe"), not $exe"
}

# Whether FILE starts with the PNG signature.
is_png() {
  [ "$(od -An -tx1 -N8 "$1" | tr -d ' \n')" = 89504e470d0a1a0a ]
}

# A PNG picture's size as WIDTHxHEIGHT: 4-byte big-endian numbers at bytes 16
# and 20, in the IHDR chunk after the signature.
png_size() {
  local b
  read -r -a b < <(od -An -tu1 -j16 -N8 "$1")
  echo "$(((b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3]))x$(((b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7]))"
}
