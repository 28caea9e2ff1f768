#!/usr/bin/env bash
# fuzz.sh [SECONDS [TARGET...]]: builds the libFuzzer targets of fuzz/ in build-fuzz (clang)
# and runs each (or only the targets named) for SECONDS (default 20) on a copy of its seed
# corpus, after its regression inputs (fuzz/regressions/<target>/). Fails when a target
# crashes, leaks or hangs; a crashing input is left in build-fuzz/artifacts/. Skips when
# clang or libFuzzer is absent.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
only=("$@")
build="$here/build-fuzz"

if ! command -v clang++ >/dev/null \
   || ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long){return 0;}' \
        | clang++ -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null; then
    echo "fuzz.sh: clang++ with libFuzzer (packages clang, libclang-rt-14-dev) is not installed; fuzzing skipped."
    exit 0
fi

if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$here"
fi
[ -f "$build/build.ninja" ] || cmake -S "$here" -B "$build" -G Ninja -DLUMO_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++
cmake --build "$build" -j "$(nproc)" --target lumo_fuzzers

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$here/cmake/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/artifacts"

# Whether a target's log ends in an assert() that failed inside libheif, and in nothing else.
libheif_assert() {
    grep -q 'deadly signal' "$1" \
        && grep -qE "libheif/[^ ]*: .*Assertion .* failed" "$1" \
        && grep -A3 -E 'in (__)?(GI_)?(__)?assert_fail' "$1" | grep -q 'libheif\.so' \
        && ! grep -qE 'ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error|out-of-memory|SUMMARY: libFuzzer: timeout' "$1"
}
failed=()
for target in "$build"/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    if [ ${#only[@]} -gt 0 ] && [[ " ${only[*]} " != *" $name "* ]]; then
        continue
    fi
    run="$build/corpus/$name"
    rm -rf "$run"
    mkdir -p "$run"
    [ -d "$here/fuzz/corpus/$name" ] && cp -r "$here/fuzz/corpus/$name/." "$run/"
    dirs=("$run")
    [ -d "$here/fuzz/regressions/$name" ] && dirs+=("$here/fuzz/regressions/$name")
    # libwmf's own player can loop for ever on a damaged bitmap; in the program that
    # ends at the metafile helper's CPU limit (tested in tests/stamp), so for the
    # in-process metafile target such a time-out ends the run without failing it.
    timeout=20
    [ "$name" = fuzz_wmf ] && timeout=5
    echo "== $name: ${seconds}s"
    # The regressions run whole first; then inputs are mutated up to the largest seed, not
    # the largest regression: a regression of a megabyte would make every input that
    # large and the run a hundred times slower. (The metafile and HEIC decoder targets
    # keep theirs in the run itself, where their known library faults are told apart.)
    size_limit=()
    if [ -d "$here/fuzz/regressions/$name" ] && [ "$name" != fuzz_wmf ] && [ "$name" != fuzz_heif_decoder ]; then
        mapfile -t regressions < <(find "$here/fuzz/regressions/$name" -type f | sort)
        if [ ${#regressions[@]} -gt 0 ]; then
            if ! "$target" -rss_limit_mb=2560 -timeout="$timeout" "${regressions[@]}" \
                    2>"$build/$name.regressions.log"; then
                tail -n 40 "$build/$name.regressions.log"
                failed+=("$name")
                continue
            fi
            largest=$(find "$run" -type f -printf '%s\n' | sort -n | tail -n 1)
            size_limit=(-max_len=$(( ${largest:-0} > 4096 ? ${largest:-0} : 4096 )))
        fi
    fi
    if ! "$target" -max_total_time="$seconds" "${size_limit[@]}" -rss_limit_mb=2560 -timeout="$timeout" \
            -artifact_prefix="$build/artifacts/$name-" -print_final_stats=1 "${dirs[@]}" \
            2>"$build/$name.log"; then
        if [ "$name" = fuzz_wmf ] && grep -q 'SUMMARY: libFuzzer: timeout' "$build/$name.log" \
           && ! grep -qE 'ERROR: AddressSanitizer|runtime error|deadly signal|out-of-memory' "$build/$name.log"; then
            echo "$name: libwmf's player looped on an input; in the program the helper's CPU limit ends it."
            continue
        fi
        # libheif 1.15 ends its process through assert() on some damaged files (one is
        # tests/stamp/heif_corpus/libheif-assert.heic); in the program that is the HEIC
        # helper's process, a bad picture (tested in tests/stamp). So for the in-process
        # decoder target such an abort ends the run without failing it; a sanitizer's
        # report, a leak, a time-out or an abort of our own still fails.
        if [ "$name" = fuzz_heif_decoder ] && libheif_assert "$build/$name.log"; then
            echo "$name: libheif aborted on an input (assert); in the program the helper contains it."
            continue
        fi
        tail -n 40 "$build/$name.log"
        failed+=("$name")
    else
        grep -E '^stat::number_of_executed_units' "$build/$name.log" || true
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: failed: ${failed[*]} (inputs in $build/artifacts)"
    exit 1
fi
echo "fuzz.sh: every target ran ${seconds}s without a fault."
