#!/usr/bin/env bash
# The README's figures that the build itself can tell, recomputed: the build
# steps scripts/run takes (the program and the simulator) and, for a build
# folder configured as scripts/test configures it, the steps of the whole
# build. A figure that no longer holds fails here, with the one that does.
#
#   readme_figures.sh README BUILD_DIR WHOLE_BUILD(ON|OFF)
set -uo pipefail
readme="$1"
build="$2"
whole="$3"

if [ ! -f "$build/build.ninja" ]; then
  echo "skipped: $build is not a Ninja build folder"
  exit 0
fi
steps() { ninja -C "$build" -t commands "$@" | wc -l; }

said="$(grep -o '([0-9]* of the [0-9]* build steps' "$readme" | head -n 1)"
if [ -z "$said" ]; then
  echo "README: no \"(N of the M build steps\" for scripts/run"
  exit 1
fi
read -r run_said all_said <<<"$(sed 's/(\([0-9]*\) of the \([0-9]*\) .*/\1 \2/' <<<"$said")"

failed=0
run_now="$(steps tessaline quorex-sim)"
if [ "$run_now" != "$run_said" ]; then
  echo "README: scripts/run takes $run_said build steps, says the README; it takes $run_now"
  failed=1
fi
if [ "$whole" = ON ]; then
  all_now="$(steps)"
  if [ "$all_now" != "$all_said" ]; then
    echo "README: the whole build has $all_said steps, says the README; it has $all_now"
    failed=1
  fi
else
  echo "the whole build's steps not checked: this build folder leaves parts out"
fi
if [ "$failed" = 0 ]; then
  echo "README's build steps hold: $run_now for scripts/run${all_now:+, $all_now in all}"
else
  echo "(measure the times again too, on a quiet machine, when the steps change)"
fi
exit "$failed"
