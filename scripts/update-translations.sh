#!/usr/bin/env bash
# Brings translations/zaviro_en.ts and zaviro_es.ts up to date with the
# window's texts (Zav::tr in the Qt shells, QT_TRANSLATE_NOOP in the table of
# run kinds); new texts come in unfinished, to be translated by hand, and
# texts gone from the code leave the files. With a folder as argument the
# files are written there instead (scripts/check-translations.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-translations}"
lupdate="$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)"
for language in en es; do
  [ "$out" = translations ] || cp "translations/zaviro_$language.ts" "$out/"
  "$lupdate" -silent -locations none -no-obsolete -source-language pt_BR -target-language "$language" \
    src/app src/editor src/report src/charts src/qtsupport src/runs \
    -ts "$out/zaviro_$language.ts" 2>/dev/null
done
