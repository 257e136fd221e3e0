#!/usr/bin/env bash
# Checks that the C++ sources are laid out as .clang-format says (the test
# "format" runs it); `clang-format -i FILE` lays a file out.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find src tests fuzz bench web -name '*.cpp' -o -name '*.h')
fi
clang-format --dry-run --Werror "${files[@]}"
