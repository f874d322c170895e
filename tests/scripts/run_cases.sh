#!/usr/bin/env bash
# scripts/run against what a user's machine may hold: a Tessaline already
# running, a simulator already serving COM1, a port map of the user's own,
# no display, a device the user may not open, a simulator that cannot
# start. Each case runs in a home of its own, with a stand-in Tessaline that
# writes down how it was started and what the port map held, and the real
# simulator; each must end within its bound and say what it found in one
# line.
#
#   run_cases.sh SCRIPTS_RUN TESSALINE QUOREX_SIM
set -uo pipefail
run_script="$(realpath "$1")"
real_tessaline="$(realpath "$2")"
real_sim="$(realpath "$3")"

top="$(mktemp -d)"
background=()
cleanup() {
  local p
  for p in "${background[@]}"; do
    kill "$p" 2>/dev/null
    wait "$p" 2>/dev/null
  done
  rm -rf "$top"
}
trap cleanup EXIT

as_user=()  # a command that runs the script as another user
passed=0
failed=0
skipped=0
case_name=""
case_ok=1

# A fresh world for one case.
fresh() {
  case_name="$1"
  case_ok=1
  w="$top/$1"
  mkdir -p "$w"/{home,config,runtime,build/src,build/sim,work,tmp}
  chmod 700 "$w/runtime"
  ports="$w/config/Tessaline/ports"
  ln -s "$real_sim" "$w/build/sim/quorex-sim"
  # The stand-in: its arguments, the port map's entries and the command line
  # of the simulator that serves COM1, if any.
  cat >"$w/build/src/tessaline" <<EOF
#!/usr/bin/env bash
{
  echo "pid: \$\$"
  echo "args: \$*"
  entry="$ports/COM1"
  [ -L "\$entry" ] && echo "COM1 -> \$(readlink "\$entry")"
  pid="\$(sed -n 's/^pid //p' "$ports/.COM1.quorex-sim" 2>/dev/null)"
  [ -n "\$pid" ] && echo "sim: \$(tr '\\0' ' ' </proc/\$pid/cmdline)"
} >"$w/started"
exit 0
EOF
  chmod +x "$w/build/src/tessaline"
}

# Runs scripts/run in the case's world, bounded; leaves its output in $out
# and its exit code in $rc. Extra VAR=value words before the arguments go to
# its environment.
run() {
  local envs=()
  while (($#)) && [[ "$1" == *=* ]]; do envs+=("$1"); shift; done
  out="$(cd "$w/work" && "${as_user[@]}" env -i PATH="$PATH" HOME="$w/home" XDG_CONFIG_HOME="$w/config" \
    XDG_RUNTIME_DIR="$w/runtime" TMPDIR="$w/tmp" QT_QPA_PLATFORM=offscreen BUILD="$w/build" "${envs[@]}" \
    timeout 30 bash "$run_script" --no-build "$@" 2>&1)"
  rc=$?
  if [ "$rc" = 124 ]; then
    fail "did not end within 30 s"
  fi
}

fail() {
  case_ok=0
  echo "  $case_name: $*"
}
expect_line() {
  grep -qxF -- "$1" <<<"$out" || fail "no line \"$1\""
}
expect_line_starting() {
  grep -q "^$(sed 's/[][\.*^$/]/\\&/g' <<<"$1")" <<<"$out" || fail "no line starting \"$1\""
}
expect_rc() {
  [ "$rc" = "$1" ] || fail "exit code $rc, expected $1"
}
expect_started() {
  [ -f "$w/started" ] || fail "Tessaline was not started"
}
expect_not_started() {
  [ ! -f "$w/started" ] || fail "Tessaline was started"
}
expect_in_started() {
  grep -q -- "$1" "$w/started" 2>/dev/null || fail "Tessaline did not see \"$1\" ($( { tr '\n' '|' <"$w/started"; } 2>/dev/null))"
}
expect_no_simulator_left() {
  [ ! -e "$ports/COM1" ] && [ ! -L "$ports/COM1" ] || fail "the port-map entry COM1 was left behind"
}
done_case() {
  if [ "$case_ok" = 1 ]; then
    passed=$((passed + 1))
    echo "ok - $case_name"
  else
    failed=$((failed + 1))
    echo "not ok - $case_name; scripts/run printed:"
    sed 's/^/    /' <<<"$out"
  fi
}
skip_case() {
  skipped=$((skipped + 1))
  echo "skip - $case_name: $1"
}

# Waits until `file` has a line `ready` (a simulator serves) or 10 s pass.
wait_ready() {
  for _ in $(seq 100); do
    grep -qx ready "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# --- A plain run: the simulated units start, Tessaline finds them on COM1,
# and they are gone when it ends. Options the script does not know reach
# Tessaline as they are.
fresh plain-run
run --journal "my journal.txt"
expect_rc 0
expect_line "run: simulated controller with units 1 and 2 on COM1"
expect_started
expect_in_started "args: --journal my journal.txt"
expect_in_started "COM1 -> /dev/pts/"
expect_no_simulator_left
done_case

# --- --wall: the same units, with their virtual wall.
fresh wall
run --wall
expect_rc 0
expect_line "run: simulated controller with units 1 and 2 on COM1, with its virtual wall (closing the wall ends the units)"
expect_in_started "sim: .*--wall"
expect_no_simulator_left
done_case

# --- No display: said at once, nothing built or started.
fresh no-display
run QT_QPA_PLATFORM=
expect_rc 1
expect_line "run: no display: DISPLAY and WAYLAND_DISPLAY are not set; start Tessaline from a terminal of the desktop session (or ssh -X)"
expect_not_started
[ "$(wc -l <<<"$out")" = 1 ] || fail "more than one line"
done_case

fresh display-without-server
run QT_QPA_PLATFORM= DISPLAY=:7391
expect_rc 1
expect_line "run: no display: no X server listens on DISPLAY=:7391; start Tessaline from a terminal of the desktop session"
expect_not_started
done_case

fresh wayland-without-compositor
run QT_QPA_PLATFORM= WAYLAND_DISPLAY=wayland-7391
expect_rc 1
expect_line "run: no display: no Wayland compositor listens on WAYLAND_DISPLAY=wayland-7391; start Tessaline from a terminal of the desktop session"
expect_not_started
done_case

# --- A Tessaline already running (the real program, waiting at its first
# question): the script says so and ends; a second start would only wait on
# its "Already have an instance" box.
fresh running-copy
(cd "$w/work" && exec env -i PATH="$PATH" HOME="$w/home" XDG_CONFIG_HOME="$w/config" XDG_RUNTIME_DIR="$w/runtime" \
  QT_QPA_PLATFORM=offscreen "$real_tessaline" >/dev/null 2>&1) &
running=$!
background+=("$running")
for _ in $(seq 100); do [ -S "$w/runtime/tessaline.socket" ] && break; sleep 0.1; done
run
expect_rc 0
expect_line "run: Tessaline already runs (process $running): use its window, or end it (File -> Exit) and run again"
expect_not_started
[ ! -L "$ports/COM1" ] || fail "a simulator was started"
kill -0 "$running" 2>/dev/null || fail "the running Tessaline was ended"
done_case
kill "$running" 2>/dev/null
wait "$running" 2>/dev/null

# --- A lock left by a Tessaline that is gone: nothing runs, the run goes on.
fresh stale-lock
bash -c 'exit 0' &
gone=$!
wait "$gone"
printf '%s\ntessaline\nsomehost\n' "$gone" >"$w/runtime/tessaline.lock"
run
expect_rc 0
expect_line "run: simulated controller with units 1 and 2 on COM1"
expect_started
done_case

# --- A simulator already serving COM1 (another run's, or started by hand):
# Tessaline uses it, no second one is started, and it is left running.
fresh simulator-running
(exec env -i PATH="$PATH" HOME="$w/home" XDG_CONFIG_HOME="$w/config" QT_QPA_PLATFORM=offscreen \
  "$real_sim" --mode controller --ids 1,2 --no-pacing >"$w/sim.out" 2>"$w/sim.err") &
sim=$!
background+=("$sim")
if wait_ready "$w/sim.out"; then
  first="$(readlink "$ports/COM1")"
  run
  expect_rc 0
  expect_line "run: a simulator already serves COM1 (process $sim): Tessaline uses it; this run starts none"
  expect_in_started "COM1 -> $first"
  kill -0 "$sim" 2>/dev/null || fail "the running simulator was ended"
  [ "$(readlink "$ports/COM1")" = "$first" ] || fail "the running simulator's entry was changed"
  grep -q "did not start" <<<"$out" && fail "it said the units did not start"
  done_case
else
  fail "the simulator of the case did not start: $(cat "$w/sim.err")"
  done_case
fi
kill "$sim" 2>/dev/null
wait "$sim" 2>/dev/null

# --- The user's own port map (real hardware): left alone, no simulator.
fresh users-port-map
mkdir -p "$ports"
: >"$w/ttyUSB0"
ln -s "$w/ttyUSB0" "$ports/COM1"
run
expect_rc 0
expect_line "run: no simulator: your port map has $ports/COM1 -> $w/ttyUSB0; rename it to use the simulator"
expect_in_started "COM1 -> $w/ttyUSB0"
[ "$(readlink "$ports/COM1")" = "$w/ttyUSB0" ] || fail "the user's entry was changed"
[ ! -e "$ports/.COM1.quorex-sim" ] || fail "a simulator was started"
done_case

fresh users-port-map-to-nothing
mkdir -p "$ports"
ln -s "$w/ttyUSB7" "$ports/COM1"
run
expect_rc 0
expect_line_starting "run: no simulator: your port map has $ports/COM1 -> $w/ttyUSB7"
expect_line_starting "run: COM1: $ports/COM1 -> $w/ttyUSB7 names a device that does not exist: plug the adapter in"
expect_started
done_case

# --- A serial device the user may not open. Root opens any device, so as
# root the case runs as the user nobody.
fresh no-permission
mkdir -p "$ports"
: >"$w/ttyUSB0"
chmod 600 "$w/ttyUSB0"
ln -s "$w/ttyUSB0" "$ports/COM1"
if [ "$(id -u)" = 0 ]; then
  chmod 755 "$top"
  chmod -R a+rwX "$w"
  chmod 600 "$w/ttyUSB0"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
if "${as_user[@]}" test -r "$w/ttyUSB0"; then
  skip_case "this user can open the device anyway"
else
  run
  expect_rc 0
  expect_line_starting "run: COM1: no permission to open $w/ttyUSB0: sudo usermod -aG dialout"
  expect_started
  done_case
fi
as_user=()

# --- A simulator that cannot start: its reason is passed on, and Tessaline
# starts without units.
fresh simulator-fails
rm "$w/build/sim/quorex-sim"
printf '#!/usr/bin/env bash\necho "quorex-sim: no pseudo-terminal: out of ptys" >&2\nexit 1\n' >"$w/build/sim/quorex-sim"
chmod +x "$w/build/sim/quorex-sim"
run
expect_rc 0
expect_line "run: the simulated units did not start (quorex-sim: no pseudo-terminal: out of ptys); Tessaline starts without them"
expect_started
done_case

# --- The script killed (or interrupted) while Tessaline runs: Tessaline and
# the simulated units end with it, at once.
fresh killed
echo 'exec sleep 60' >>"$w/build/src/tessaline"
sed -i '/^exit 0$/d' "$w/build/src/tessaline"
(cd "$w/work" && exec env -i PATH="$PATH" HOME="$w/home" XDG_CONFIG_HOME="$w/config" XDG_RUNTIME_DIR="$w/runtime" \
  TMPDIR="$w/tmp" QT_QPA_PLATFORM=offscreen BUILD="$w/build" bash "$run_script" --no-build >"$w/out" 2>&1) &
script=$!
background+=("$script")
# The stand-in has written down its start and become `sleep` (the same
# process).
app=""
for _ in $(seq 100); do
  app="$(sed -n 's/^pid: //p' "$w/started" 2>/dev/null)"
  [ -n "$app" ] && [ "$(cat "/proc/$app/comm" 2>/dev/null)" = sleep ] && break
  sleep 0.1
done
out="$(cat "$w/out")"
expect_started
kill -TERM "$script"
for _ in $(seq 50); do kill -0 "$script" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$script" 2>/dev/null; then
  fail "the script did not end within 5 s of SIGTERM"
else
  wait "$script"
  rc=$?
  expect_rc 143
  [ -n "$app" ] || fail "no Tessaline was seen running"
  [ -z "$app" ] || ! kill -0 "$app" 2>/dev/null || fail "Tessaline still runs"
  expect_no_simulator_left
fi
done_case
[ -z "$app" ] || kill "$app" 2>/dev/null

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ]
