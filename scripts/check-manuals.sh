#!/usr/bin/env bash
# Checks the manual pages and the desktop files (the test "manuals" runs it):
# both pages in English (share/man/en), Portuguese (share/man) and Spanish
# (share/man/es), each formatted by groff without a warning and documenting
# the same options; the desktop entry and the AppStream metainfo valid, when
# desktop-file-validate and appstreamcli are installed.
set -euo pipefail
cd "$(dirname "$0")/.."
failed=0
fail() {
  echo "$1"
  failed=1
}
for page in zaviro zaviro-relatorio; do
  portuguese="share/man/$page.1.in"
  for file in "$portuguese" "share/man/en/$page.1.in" "share/man/es/$page.1.in"; do
    [ -f "$file" ] || { fail "missing: $file"; continue; }
    warnings="$(LC_ALL=C.UTF-8 groff -k -man -ww -z "$file" 2>&1)"
    [ -z "$warnings" ] || fail "$file: $warnings"
    # The options a page documents: the same in every language.
    if [ "$file" != "$portuguese" ] &&
      ! diff <(grep -o '\\-\\-[a-z-]*' "$portuguese" | sort -u) <(grep -o '\\-\\-[a-z-]*' "$file" | sort -u) >/dev/null; then
      fail "$file: not the options of $portuguese"
    fi
  done
done
# The desktop entry in English with its Portuguese and Spanish translations.
for key in Name GenericName Comment Keywords; do
  for language in "" "[pt_BR]" "[pt]" "[es]"; do
    awk -F= -v k="$key$language" '$1 == k { found = 1 } END { exit !found }' share/linux/br.org.zaviro.Zaviro.desktop ||
      fail "desktop entry: no $key$language"
  done
done
for language in pt-BR es; do
  grep -q "<summary xml:lang=\"$language\">" share/linux/br.org.zaviro.Zaviro.metainfo.xml ||
    fail "metainfo: no summary in $language"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate share/linux/br.org.zaviro.Zaviro.desktop || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net share/linux/br.org.zaviro.Zaviro.metainfo.xml >/dev/null || fail "metainfo"
fi
exit "$failed"
