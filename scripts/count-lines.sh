#!/usr/bin/env bash
# Non-blank lines of the text files under src/ and tests/, per folder, and the
# ratio tests/src the project keeps at most 0.35. Binary files (PNG goldens)
# are skipped. fuzz/ and bench/ are shown apart and do not count as tests.
# Usage: scripts/count-lines.sh [--markdown]
set -euo pipefail
cd "$(dirname "$0")/.."

markdown=0
[[ "${1:-}" == "--markdown" ]] && markdown=1

# Non-blank lines of the text files under the given paths (files or folders).
count() {
  local total=0 n
  [[ $# -eq 0 ]] && { echo 0; return; }
  n=$(find "$@" -type f -print0 2>/dev/null | xargs -0 -r grep -Ihv '^[[:space:]]*$' | wc -l)
  echo "$((total + n))"
}

rows=()
row() { rows+=("$1|$2"); }

# Files lying directly in a folder (not in its subfolders).
direct_files() { find "$1" -maxdepth 1 -type f | sort; }

# src/<area>, and the files directly under src/.
src_total=$(count src)
for d in $(find src -mindepth 1 -maxdepth 1 -type d | sort); do row "$d" "$(count "$d")"; done
mapfile -t top < <(direct_files src)
[[ ${#top[@]} -gt 0 ]] && row "src/ (files)" "$(count "${top[@]}")"
row "**src total**" "$src_total"

# tests/unit/<area>, the other folders of tests/, and the files directly under tests/.
tests_total=$(count tests)
for d in $(find tests/unit -mindepth 1 -maxdepth 1 -type d | sort); do row "$d" "$(count "$d")"; done
mapfile -t unit_top < <(direct_files tests/unit)
[[ ${#unit_top[@]} -gt 0 ]] && row "tests/unit/ (files)" "$(count "${unit_top[@]}")"
for d in $(find tests -mindepth 1 -maxdepth 1 -type d ! -name unit | sort); do row "$d" "$(count "$d")"; done
mapfile -t tests_top < <(direct_files tests)
[[ ${#tests_top[@]} -gt 0 ]] && row "tests/ (files)" "$(count "${tests_top[@]}")"
row "**tests total**" "$tests_total"

ratio=$(awk -v t="$tests_total" -v s="$src_total" 'BEGIN { printf "%.3f", (s ? t / s : 0) }')
row "**ratio tests/src**" "$ratio"

# Not counted as tests.
row "fuzz (not counted)" "$(count fuzz)"
row "bench (not counted)" "$(count bench)"

if [[ $markdown -eq 1 ]]; then
  echo "| Folder | Non-blank lines |"
  echo "|---|---:|"
  for r in "${rows[@]}"; do echo "| ${r%%|*} | ${r#*|} |"; done
else
  for r in "${rows[@]}"; do printf '%-32s %8s\n' "$(echo "${r%%|*}" | tr -d '*')" "${r#*|}"; done
fi
