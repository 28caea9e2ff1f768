#!/usr/bin/env bash
# check_manual.sh PDF: the built manual is a whole PDF of A4 pages whose text is the
# Dutch manual, with a section for every menu and the card stocks with their sizes.
set -euo pipefail
pdf=$1
info=$(pdfinfo "$pdf")
grep -q '^Page size: *595.* x 84[12].* pts (A4)' <<<"$info" || { echo "not A4: $info"; exit 1; }
pages=$(awk '/^Pages:/ {print $2}' <<<"$info")
[ "$pages" -ge 3 ] || { echo "only $pages pages"; exit 1; }
text=$(pdftotext -layout "$pdf" -)
status=0
for heading in "Lumovander – handleiding" "Uw eerste kaart, stap voor stap" "Het menu Bestand" \
               "Het menu Bewerken" "Het menu Layout" "Het menu Zegelfoto" "Het menu Tools" \
               "Het menu Achtergrond" "Het menu Invoegen" "Het menu Beeld" "Het menu Help" "Kaartpapier en marges" \
               "Avery Zweckform 32015" "85 × 54 mm" "90 × 50,8 mm"; do
    grep -qF "$heading" <<<"$text" || { echo "missing from the manual: $heading"; status=1; }
done
# Every picture the text shows was found and drawn: a missing one leaves no image.
pictures=$(pdfimages -list "$pdf" | tail -n +3 | wc -l)
wanted=$(grep -c '!\[' "$(dirname "$0")/../../docs/handleiding.md")
[ "$pictures" -ge "$wanted" ] || { echo "$pictures pictures in the PDF, the text shows $wanted"; status=1; }
exit $status
