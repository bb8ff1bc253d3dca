#!/usr/bin/env bash
# Builds everything and runs every test: the suites of the normal build; the core suites and the
# offscreen suites of the dialogs, the grid, the platform layer and the report again under
# AddressSanitizer + UndefinedBehaviorSanitizer; and the fuzzers for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

./scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DTABLITOR_SANITIZE=ON >/dev/null
cmake --build build-sanitize

# One CTest run over both build trees, so that a single summary ends the output.
mkdir -p build-all
cat > build-all/CTestTestfile.cmake <<CTEST
subdirs("$root/build")
subdirs("$root/build-sanitize")
CTEST
cd build-all
# A sanitizer's report names the line in our code that led to it, also through Qt's headers.
export UBSAN_OPTIONS=print_stacktrace=1
ctest --output-on-failure -j "$(nproc)" "$@"
