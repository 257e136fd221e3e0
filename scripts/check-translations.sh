#!/usr/bin/env bash
# Checks the window's translations (the test "translations" runs it): lupdate
# over the sources into a copy changes nothing (no text of the code missing
# from the .ts files, none left there that the code no longer has), and no
# message is unfinished, vanished or obsolete.
set -euo pipefail
cd "$(dirname "$0")/.."
copy="$(mktemp -d)"
trap 'rm -rf "$copy"' EXIT
scripts/update-translations.sh "$copy"
failed=0
for language in en es; do
  file="translations/zaviro_$language.ts"
  if ! diff -u "$file" "$copy/zaviro_$language.ts"; then
    echo "$file: not up to date with the sources (scripts/update-translations.sh)"
    failed=1
  fi
  if grep -n -E 'type="(unfinished|vanished|obsolete)"' "$copy/zaviro_$language.ts"; then
    echo "$file: messages above not translated"
    failed=1
  fi
done
exit $failed
