#!/usr/bin/env bash
# The most memory zaviro-relatorio --importar takes (maximum resident set,
# from /usr/bin/time -v) on workbooks made to take it: a 64 KiB cell
# repeated over every column, a row of 60 KiB repeated a million times,
# 1024 spaces by the thousand, a nesting 50,000 deep, a 250 MiB shared
# strings part, a 250 MiB blank sheet, and a survey of 900 species. Each is
# refused or imported; the aim is under 64 MiB for every one.
#
#   bench/workbook_memory.sh [path/to/zaviro-relatorio]
set -euo pipefail
cd "$(dirname "$0")/.."
cli="$(realpath "${1:-build/src/cli/zaviro-relatorio}")"
[ -x "$cli" ] || { echo "não encontrado: $cli (compile antes: scripts/build.sh)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import sys, zipfile
work = sys.argv[1]
ns = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
      'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
      'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"')
def ods(name, rows):
    with zipfile.ZipFile(f"{work}/{name}", "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet")
        z.writestr("content.xml", f'<office:document-content {ns}><office:body><office:spreadsheet>'
                   f'<table:table table:name="A">{rows}</table:table></office:spreadsheet></office:body>'
                   '</office:document-content>')
def xlsx(name, sheet, strings=None):
    with zipfile.ZipFile(f"{work}/{name}", "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("xl/workbook.xml", '<workbook><sheets><sheet name="A" r:id="rId1"/></sheets></workbook>')
        z.writestr("xl/_rels/workbook.xml.rels",
                   '<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>')
        z.writestr("xl/worksheets/sheet1.xml", sheet)
        if strings is not None:
            z.writestr("xl/sharedStrings.xml", strings)
cell = lambda text, attrs="": f'<table:table-cell{attrs}><text:p>{text}</text:p></table:table-cell>'
ods("celula-repetida.ods", "<table:table-row>" + cell("x" * 65536, ' table:number-columns-repeated="16384"') + "</table:table-row>")
ods("linha-repetida.ods", '<table:table-row table:number-rows-repeated="1000000">' + cell("x" * 61440) + "</table:table-row>")
ods("espacos.ods", "<table:table-row>" + cell('<text:s text:c="1024"/>' * 100000) + "</table:table-row>")
ods("aninhada.ods", "<table:table-row>" + cell("1") + cell("<text:span>" * 50000 + "x" + "</text:span>" * 50000) + "</table:table-row>")
row = lambda r, s: f'<row r="{r}"><c r="A{r}" t="s"><v>{s}</v></c><c r="B{r}"><v>2</v></c><c r="C{r}"><v>1</v></c></row>'
items = (250 << 20) // 40
xlsx("textos.xlsx", "<worksheet><sheetData>" + row(1, 0) + row(2, items - 1) + "</sheetData></worksheet>",
     "<sst>" + "<si><t>Apis mellifera mellifera</t></si>" * items + "</sst>")
xlsx("em-branco.xlsx", "<worksheet><sheetData>" + "".join(f'<row r="{r}"/>' for r in range(1, 1048577)) +
     "<!--" + "-" * (200 << 20) + "-->" + "</sheetData></worksheet>")
species = "".join(f'<row r="{r}"><c r="A{r}" t="inlineStr"><is><t>Especie {r}</t></is></c><c r="B{r}"><v>{r % 50 + 1}</v></c>'
                  f'<c r="C{r}"><v>{r % 60 + 1}</v></c></row>' for r in range(1, 901))
xlsx("900-especies.xlsx", "<worksheet><sheetData>" + species + "</sheetData></worksheet>")
PY
printf '%-22s %8s %6s  %s\n' pasta "KiB" saida mensagem
worst=0
for book in "$work"/*.ods "$work"/*.xlsx; do
  set +e
  /usr/bin/time -v "$cli" --importar "$book" --coletas 60 >/dev/null 2>"$work/err"
  code=$?
  set -e
  kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/err")
  message=$( (grep -v -E '^\s|Command exited' "$work/err" || true) | head -n 1 | cut -c1-70)
  printf '%-22s %8s %6s  %s\n' "$(basename "$book")" "$kib" "$code" "$message"
  if [ "$kib" -gt "$worst" ]; then worst=$kib; fi
done
echo "pior: $((worst / 1024)) MiB (limite 64 MiB)"
[ "$worst" -lt $((64 * 1024)) ]
