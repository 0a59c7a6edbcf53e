#!/usr/bin/env bash
# Builds the libFuzzer targets of the file readers with clang (all code instrumented for coverage,
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs each reader in turn for FUZZ_SECONDS.
# The corpus of a reader starts from fuzz/seeds/<reader> and the sample files of its format in
# resources/samples, and grows in <build folder>/corpus/<reader>; inputs that fail are written to
# <build folder>/findings/; fuzz/dicts/<reader>.dict lists tokens of the format for the mutations.
# Exits non-zero on the first finding.
# Usage: scripts/fuzz.sh [build folder] [seconds per reader] [reader ...]
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$(pwd)
build_dir=${1:-build-fuzz}
seconds=${2:-60}
shift $(($# < 2 ? $# : 2))
readers=("$@")
[ ${#readers[@]} -gt 0 ] || readers=(data_file project_file xy_file)

# clang and its sanitizer and libFuzzer runtimes.
if ! command -v clang++ >/dev/null || ! echo 'int main(){}' | clang++ -x c++ -fsanitize=fuzzer-no-link,address,undefined \
      -fsanitize=fuzzer - -o /dev/null 2>/dev/null; then
  echo "Installing clang with its sanitizer runtimes"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$source_dir" -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DZEMTRAL_BUILD_FUZZ=ON -DZEMTRAL_BUILD_GUI=OFF -DZEMTRAL_BUILD_TESTS=OFF -DZEMTRAL_BUILD_BENCH=OFF \
  -DZEMTRAL_BUILD_PYTHON=OFF "${launcher[@]}" >/dev/null
targets=()
for reader in "${readers[@]}"; do
  targets+=("fuzz_$reader")
done
nice cmake --build "$build_dir" -j "${JOBS:-2}" --target "${targets[@]}"

# The sample files of each reader's format.
samples_of() {
  case "$1" in
    data_file) echo "*.ZD3" ;;
    project_file) echo "*.ZC3" ;;
    xy_file) echo "*.XY" ;;
  esac
}

mkdir -p "$build_dir/findings"
summary=()
for reader in "${readers[@]}"; do
  corpus="$build_dir/corpus/$reader"
  mkdir -p "$corpus"
  [ -d "fuzz/seeds/$reader" ] && cp -n "fuzz/seeds/$reader"/* "$corpus"/ 2>/dev/null || true
  find resources/samples -maxdepth 1 -type f -iname "$(samples_of "$reader")" -exec cp -n {} "$corpus"/ \;
  log="$build_dir/findings/$reader.log"
  dict=()
  [ -f "fuzz/dicts/$reader.dict" ] && dict=(-dict="fuzz/dicts/$reader.dict")
  echo "== fuzz_$reader for ${seconds} s from $(find "$corpus" -type f | wc -l) inputs"
  # One process at a time and niced: the readers are fuzzed one after another.
  status=0
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
    nice "$build_dir/fuzz_$reader" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix="$build_dir/findings/$reader-" "${dict[@]}" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -oE '(INITED|DONE|pulse|NEW|REDUCE) +cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 | sed -E 's/.*cov: ([0-9]+) ft: ([0-9]+)/\1 edges, \2 features/')
  line="$reader: ${runs:-?} runs, coverage ${coverage:-?}, corpus $(find "$corpus" -type f | wc -l) inputs"
  summary+=("$line")
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "FINDING in fuzz_$reader (exit $status); the input is in $build_dir/findings/, the log in $log"
    printf '%s\n' "${summary[@]}"
    exit 1
  fi
  echo "$line"
done
echo "== no findings"
printf '%s\n' "${summary[@]}"
