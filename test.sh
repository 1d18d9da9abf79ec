#!/usr/bin/env bash
# Builds and runs every test. VELMAR_SANITIZE=1 builds into build-asan/ with ASan + UBSan.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure_packages.sh
ensure_packages cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-liberation locales xvfb xauth openbox libeigen3-dev libtomlplusplus-dev acl
ensure_optional_packages clang libclang-rt-dev  # the fuzz harnesses
ensure_optional_packages clang-format  # the formatting check
ensure_optional_packages desktop-file-utils  # the desktop entry's check
# A locale with a decimal comma, so that the tests can show the number texts ignore it.
locale -a 2>/dev/null | grep -qi '^ru_RU.utf8$' || localedef -i ru_RU -f UTF-8 ru_RU.UTF-8 2>/dev/null || true

jobs=$(nproc 2>/dev/null || echo 2)
if [[ "${VELMAR_SANITIZE:-0}" == "1" ]]; then
  dir=build-asan
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMAR_SANITIZE=ON -DVELMAR_BENCH=OFF \
        -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  dir=build
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$dir" -j "$jobs"
ctest --test-dir "$dir" --output-on-failure -j "$jobs"

# After the tests, so that a formatting slip hides no failing test; once is enough, not again
# under the sanitizers.
if [[ "${VELMAR_SANITIZE:-0}" != "1" ]]; then
  if command -v clang-format >/dev/null; then
    scripts/format.sh --check
  else
    echo "Formatting check skipped: clang-format is not installed."
  fi
fi
