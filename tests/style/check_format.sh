#!/usr/bin/env bash
# Every C and C++ file is as .clang-format lays it out, and no line of the sources, scripts
# or CMake files is longer than 100 columns (the real samples under tests/data excepted).
# Usage: check_format.sh SOURCE_DIR [CLANG_FORMAT]
set -euo pipefail
source_dir="$1"
clang_format="${2:-clang-format}"
cd "$source_dir"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files | grep -v '^tests/data/')
else
  mapfile -t files < <(find . -type f -not -path './build/*' -not -path './.git/*' \
                         -not -path './tests/data/*' | sed 's|^\./||')
fi
code=() all=()
for file in "${files[@]}"; do
  case "$file" in
    *.cpp | *.hpp | *.c | *.h) code+=("$file"); all+=("$file") ;;
    *.sh | *.py | *.cmake | CMakeLists.txt | */CMakeLists.txt) all+=("$file") ;;
  esac
done
status=0
"$clang_format" --dry-run --Werror "${code[@]}" || status=1
# Columns, not bytes: the sources hold French and calculator characters.
if ! perl -CSD -ne 'chomp; if (length > 100) { print "$ARGV:$.: ", length, " columns\n"; $bad = 1 }
                    close ARGV if eof; END { exit($bad ? 1 : 0) }' "${all[@]}"; then
  status=1
fi
[ "$status" -eq 0 ] &&
  echo "${#code[@]} C and C++ files formatted, ${#all[@]} files within 100 columns"
exit "$status"
