#!/usr/bin/env bash
# scripts/update-translations.sh: collects every marked text into the German and French
# catalogues (new ones left unfinished for a translator); lrelease builds them with the program.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
# Translated() (platform/translated_text.h) is translate() returning bytes.
"$lupdate" -locations none -no-obsolete -tr-function-alias translate+=Translated -I . \
    accounts app desktop dialogs files mail platform preview rules secrets signin widgets \
    -ts translations/vellion_de.ts translations/vellion_fr.ts
