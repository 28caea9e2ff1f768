#!/usr/bin/env bash
# Makes Lumovander-FOGRA39.icc, the CMYK output profile of the press-ready PDF, from the
# FOGRA39L characterisation data (coated offset paper, ISO 12647-2:2004/Amd 1) that
# Debian's icc-profiles-free ships, with ArgyllCMS's colprof (Debian's argyll):
# medium quality tables, black generation ramped, total ink 330 %, black at most 98 %.
# The profile is kept in the repository so that a build needs neither package; run
# this again only to change how it is made.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp /usr/share/color/icc/FOGRA39L.ti3 "$work/FOGRA39L.ti3"
(cd "$work" && colprof -qm -bm -kr -l330 -L98 -nc -A "Lumovander" \
    -D "Lumovander FOGRA39 coated offset (from FOGRA39L)" \
    -C "Profile made from the FOGRA39L characterisation data" FOGRA39L)
cp "$work/FOGRA39L.icc" "$here/Lumovander-FOGRA39.icc"
