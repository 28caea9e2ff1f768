#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Lumovander.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libwmf-dev libgtest-dev
          fonts-liberation fonts-dejavu-core fonts-dejavu-extra poppler-utils xvfb xauth ccache
          cups printer-driver-cups-pdf
          clang libclang-rt-14-dev
          qt6-translations-l10n qt6-image-formats-plugins libheif-dev libfontconfig-dev
          libqrencode-dev libzxing-dev
          desktop-file-utils appstream lintian dpkg-dev
          ghostscript qpdf
          glabels-data python3)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
