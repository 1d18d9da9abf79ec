#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts Вельмар. Without a display it writes the
# ten diagrams of the first analysis to out/ instead.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure_packages.sh
ensure_packages cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-liberation libeigen3-dev libtomlplusplus-dev
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target velmar velmar-cli
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display: cannot open the window. Writing the ten diagrams of the first analysis to out/ instead." >&2
  build/tools/velmar-cli --pictures out >/dev/null
  ls out/*.bmp
  exit 0
fi
exec build/velmar "$@"
