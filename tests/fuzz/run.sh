#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs them.
#   run.sh build                      configure and build them into $TOLVEX_FUZZ_BUILD
#   run.sh run NAME [SECONDS] [OPT..] run one over its seed corpus (tests/fuzz/corpus/NAME)
#                                     for SECONDS (4 by default), with more libFuzzer options
#   run.sh                            build, then run each of them a few seconds
# TOLVEX_FUZZ_BUILD is the build folder (build/fuzz of the checkout by default),
# TOLVEX_FUZZ_JOBS the number of compile jobs, TOLVEX_FUZZ_CXX the compiler (clang++).
# Without clang and its fuzzer runtime nothing is built or run: the script says so and exits with 77 (skipped).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${TOLVEX_FUZZ_BUILD:-$root/build/fuzz}"
cxx="${TOLVEX_FUZZ_CXX:-clang++}"
skipped=77

clang_ready() {
  command -v "$cxx" >/dev/null 2>&1 ||
    { echo "$cxx not found: the fuzz harnesses are skipped (install clang and libclang-rt-14-dev)"; return 1; }
  local probe
  probe="$(mktemp -d)"
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/p.cpp"
  if ! "$cxx" -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1; then
    rm -rf "$probe"
    echo "$cxx cannot link -fsanitize=fuzzer,address,undefined (the libclang-rt dev package is missing): the fuzz harnesses are skipped"
    return 1
  fi
  rm -rf "$probe"
}

build_harnesses() {
  clang_ready || exit $skipped
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
  cmake --build "$build" --parallel "${TOLVEX_FUZZ_JOBS:-$(nproc)}"
}

run_harness() {
  local name="$1" seconds="${2:-4}"
  shift $(( $# >= 2 ? 2 : 1 ))
  local bin="$build/fuzz_$name"
  if [ ! -x "$bin" ]; then
    clang_ready || exit $skipped
    echo "$bin is not built: run $0 build first" >&2
    exit 1
  fi
  # A fault ends the run with 1 (libFuzzer's own 77 would read as "skipped").
  # New inputs go to a scratch folder, never into the checked-in seeds; a crash
  # leaves its input in build/fuzz/artifacts.
  local found
  found="$(mktemp -d)"
  mkdir -p "$build/artifacts"
  local rc=0
  UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}" \
    "$bin" -max_total_time="$seconds" -error_exitcode=1 -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$name-" "$@" "$found" "$here/corpus/$name" || rc=$?
  rm -rf "$found"
  return $rc
}

case "${1:-all}" in
  build) build_harnesses ;;
  run) shift; run_harness "$@" ;;
  all)
    build_harnesses
    # shellcheck disable=SC2013
    for name in $(sed -n 's/^  \([a-z_]*\)$/\1/p;s/^  \([a-z_]*\))$/\1/p' "$here/Harnesses.cmake"); do
      echo "== $name"
      run_harness "$name" 4
    done ;;
  *) sed -n '2,10p' "$0"; exit 2 ;;
esac
