#!/usr/bin/env bash
# Regenerates the README's pictures of a spreadsheet report: builds brindlepath-launch, builds a
# report from a small sales data file with the starter template, renders it with LibreOffice
# and turns its first page into docs/report-sections.png (and a plain-workbook variant into
# docs/report-plain.png). Installs LibreOffice Calc and poppler-utils when they are missing.
#   scripts/report-pictures.sh [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${BRINDLEPATH_BUILD_DIR:-$top/build}}

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
if ! command -v libreoffice >/dev/null || ! command -v pdftoppm >/dev/null; then
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        libreoffice-calc-nogui poppler-utils
fi

cmake -S "$top" -B "$build" -DBRINDLEPATH_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target brindlepath-launch

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Templates" "$top/docs"
cp "$build/bin/brindlepath_template.XLT" "$work/Templates/Pipeline by company.XLT"

# The data file as a report run leaves it: Company, Sales Stage, Contact, Product, Amount,
# Close Date; quoted cells, CR LF, no header line.
printf '%s\r\n' \
    '"Acme Ltd","Proposal","Jo Smith","Widget","12500.00","3/14/2026"' \
    '"Acme Ltd","Proposal","Ann Lee","Gadget","4200.50","3/28/2026"' \
    '"Acme Ltd","Prospect","Jo Smith","Service plan","980.00","4/2/2026"' \
    '"Borealis GmbH","Negotiation","Karl Huber","Widget","31000.00","2/27/2026"' \
    '"Borealis GmbH","Prospect","Eva Brandt","Gadget","2750.00","5/15/2026"' \
    '"Borealis GmbH","Prospect","Karl Huber","Upgrade","1800.00","5/20/2026"' \
    '"Cobalt & Sons","Qualified","Mia Chen","Widget","8600.00","4/11/2026"' \
    '"Cobalt & Sons","Qualified","Raj Patel","=HYPERLINK(""x"")","300.00","4/18/2026"' \
    '"Delta Freight","Proposal","Tom Novak","Service plan","15250.75","3/31/2026"' \
    > "$work/data.CSV"

ff=$'%0C'
cat > "$work/settings.ini" <<INI
[Settings]
DataFile=$work/data.CSV
[Report]
FieldsIncluded=1025${ff}39${ff}1026${ff}200${ff}34${ff}31${ff}
FieldNamesIncluded=Company${ff}Sales Stage${ff}Contact${ff}Product${ff}Amount${ff}Close Date${ff}
Path=$work/Templates/Pipeline by company.XLT
TopLeftCol=A
TopLeftRow=4
Header=1
Sort0=1025
SortType0=S
SortOrder0=1
SortCol0=1
Title0=1
TitleCaption0=<value>
TitleFontSize0=10
TitleFontColor0=6567712
TitleEmptyBefore0=1
Totals0=1
TotalCaption0=Total for <value> :
34CalcType0=1
1026CalcType0=3
Sort1=39
SortType1=S
SortCol1=2
Totals1=1
TotalBorder1=0
TotalCaption1=<value>
TotalCaptionCol1=2
TotalFontBold1=False
TotalFontItalic1=True
34CalcType1=1
Totals99=1
TotalPos99=1
TotalEmptyBefore99=1
TotalBorderStyle99=3
TotalFontSize99=10
34CalcType99=1
34Different99=1
34FontName99=Arial
34FontSize99=10
34FontBold99=True
34FontColor99=128
1026CalcType99=3
INI

export BRINDLEPATH_SETTINGS=$work/settings.ini BRINDLEPATH_HOME=$build/bin BRINDLEPATH_NO_LAUNCH=1
"$build/bin/brindlepath-launch" --no-open --out "$work/report-sections.xlsx"
# The same report without its template: a plain workbook, and a warning on standard error.
sed -i "s|^Path=.*|Path=$work/Templates/Missing.XLT|; s|^TopLeftRow=.*|TopLeftRow=1|" "$work/settings.ini"
"$build/bin/brindlepath-launch" --no-open --out "$work/report-plain.xlsx" || true

for name in report-sections report-plain; do
    libreoffice --headless --convert-to pdf --outdir "$work" "$work/$name.xlsx" >/dev/null
    pdftoppm -png -r 70 -f 1 -l 1 -singlefile "$work/$name.pdf" "$top/docs/$name"
done
echo "Pictures written to $top/docs"
