#!/usr/bin/env bash
# Formats the C and C++ sources of src/, tools/, tests/ and bench/ with clang-format and the
# project's .clang-format. With --check nothing is changed: the files that would change are listed
# and the exit status is 1 if there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is not installed (Debian's clang-format)" >&2; exit 2; }
mapfile -t files < <(git ls-files -- 'src/*.h' 'src/*.cpp' 'tools/*.h' 'tools/*.cpp' 'tests/*.h' 'tests/*.cpp' \
                                     'tests/*.c' 'bench/*.h' 'bench/*.cpp')
if [[ "${1:-}" == "--check" ]]; then
  # One run over every file; each departure is reported as FILE:LINE:COLUMN: warning: ….
  report=$(clang-format --style=file --dry-run "${files[@]}" 2>&1 || true)
  [[ -z "$report" ]] && exit 0
  echo "Not formatted as .clang-format asks (scripts/format.sh formats them):" >&2
  # The first departure of each file, as FILE:LINE.
  grep -oE '^[^ :]+:[0-9]+(:[0-9]+: warning: code should be clang-formatted)' <<<"$report" |
    cut -d: -f1,2 | sort -s -t: -k1,1 -u | sed 's/^/  /' >&2
  exit 1
fi
clang-format --style=file -i "${files[@]}"
