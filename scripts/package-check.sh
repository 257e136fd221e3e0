#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) and checks it as a
# distribution would: the desktop entry and the AppStream metainfo validate,
# lintian finds no error, the versions agree, and the programs taken out of
# the package work. Called by scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

deb="$(scripts/package.sh | tail -n 1)"
version="$(dpkg-deb -f "$deb" Version)"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root/pacote"
app_id=br.org.zaviro.Zaviro
passed=0
failed=0

check() {
  local name="$1"
  shift
  if "$@" >"$root/saida" 2>&1; then
    passed=$((passed + 1))
    echo "ok: $name"
  else
    failed=$((failed + 1))
    echo "FALHOU: $name"
    sed 's/^/    /' "$root/saida"
  fi
}

# Any error lintian finds fails the check; its whole output is then shown.
lintian_finds_no_error() {
  lintian --fail-on error "$deb" >"$root/lintian" 2>&1 || { cat "$root/lintian"; return 1; }
  ! grep '^E:' "$root/lintian"
}

# The faunistic report of the packaged zaviro-relatorio equals the golden
# one but for its file path and the date of the run.
packaged_report_matches_golden() {
  local golden=tests/analysis/golden
  mkdir -p "$root/levantamento" && cp "$golden/dez-especies.txt" "$root/levantamento/" || return 1
  local path_line="Arquivo: $root/levantamento/dez-especies.txt"
  (cd "$root/levantamento" && "$root/pacote/usr/bin/zaviro-relatorio" dez-especies.txt) >"$root/relatorio" &&
    LC_ALL=C sed -e "s#^Arquivo: .*\r\$#$path_line\r#" -e '/^Data: /d' "$golden/dez-especies.relatorio" >"$root/esperado" &&
    LC_ALL=C sed -e '/^Data: /d' "$root/relatorio" >"$root/obtido" &&
    LC_ALL=C grep -q '^Data: ' "$root/relatorio" &&
    cmp "$root/esperado" "$root/obtido"
}

# The packaged zaviro-relatorio writes a workbook and reads it back through
# the packaged workbook module (the one the dynamic loader names), not the
# build's.
packaged_workbook_module_works() {
  local golden=tests/analysis/golden
  mkdir -p "$root/planilha" && cp "$golden/dez-especies.txt" "$root/planilha/" || return 1
  (cd "$root/planilha" && "$root/pacote/usr/bin/zaviro-relatorio" --xlsx dez-especies.txt >tabela.xlsx) &&
    (cd "$root/planilha" && LD_DEBUG=files "$root/pacote/usr/bin/zaviro-relatorio" --importar tabela.xlsx \
      --coletas 10 >dados.txt 2>loader.txt) &&
    grep -q "file=$root/pacote/usr/.*zaviro/libzav_sheets_module.so" "$root/planilha/loader.txt" &&
    [ "$(head -c 9 "$root/planilha/dados.txt")" = "10     10" ]
}

# The English report of the packaged zaviro-relatorio (--idioma en) equals
# the golden one but for its file path and the date of the run.
packaged_english_report_matches_golden() {
  local golden=tests/analysis/golden
  mkdir -p "$root/ingles" && cp "$golden/dez-especies.txt" "$root/ingles/" || return 1
  local path_line="File: $root/ingles/dez-especies.txt"
  (cd "$root/ingles" && "$root/pacote/usr/bin/zaviro-relatorio" --idioma en dez-especies.txt) >"$root/report" &&
    LC_ALL=C sed -e "s#^File: .*\r\$#$path_line\r#" -e '/^Date: /d' "$golden/dez-especies.en.relatorio" >"$root/expected" &&
    LC_ALL=C sed -e '/^Date: /d' "$root/report" >"$root/got" &&
    cmp "$root/expected" "$root/got"
}

# Both manual pages in English (man1, the default), Portuguese (pt_BR/man1)
# and Spanish (es/man1), each read by man without a warning.
manual_pages_in_three_languages() {
  local folder page
  for folder in man1 pt_BR/man1 es/man1; do
    for page in zaviro zaviro-relatorio; do
      local file="$root/pacote/usr/share/man/$folder/$page.1.gz"
      [ -f "$file" ] || { echo "missing: ${file#"$root/pacote"}"; return 1; }
      local warnings
      warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)"
      [ -z "$warnings" ] || { echo "${file#"$root/pacote"}: $warnings"; return 1; }
    done
  done
}

prints() {
  local expected="$1"
  shift
  [ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@")" = "$expected" ]
}

# The change log and the metainfo's newest release name the package's version.
documents_name_the_version() {
  zcat "$root/pacote/usr/share/doc/zaviro/changelog.gz" | head -n 1 | grep -F "zaviro ($version)" &&
  grep -m 1 '<release ' "$root/pacote/usr/share/metainfo/$app_id.metainfo.xml" | grep -F "version=\"$version\""
}

check "desktop-file-validate" desktop-file-validate "$root/pacote/usr/share/applications/$app_id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$root/pacote/usr/share/metainfo/$app_id.metainfo.xml"
check "lintian sem erros" lintian_finds_no_error
check "relatório do zaviro-relatorio do pacote" packaged_report_matches_golden
check "planilhas pelo módulo do pacote" packaged_workbook_module_works
check "relatório em inglês do zaviro-relatorio do pacote" packaged_english_report_matches_golden
check "páginas de manual em inglês, português e espanhol" manual_pages_in_three_languages
check "zaviro --version sem tela" prints "zaviro $version" "$root/pacote/usr/bin/zaviro" --version
check "zaviro-relatorio --version" prints "zaviro-relatorio $version" "$root/pacote/usr/bin/zaviro-relatorio" --version
check "changelog e metainfo na versão $version" documents_name_the_version
echo "pacote: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
