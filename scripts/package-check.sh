#!/usr/bin/env bash
# package-check.sh [BUILD]: proves that a finished build installs like a desktop program.
# Builds the Debian package, installs it into a throwaway dpkg root and removes it again,
# checks that every file lies where it belongs, runs lintian (no errors allowed), and
# installs once more with cmake --install into a DESTDIR under /usr/local.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

expect_files() { # ROOT PREFIX
    local missing=0 f
    for f in bin/lumovander bin/lumovander-batch bin/lumovander-wmf bin/lumovander-heif bin/lumovander-svg \
             share/applications/nl.lumovander.Lumovander.desktop \
             share/metainfo/nl.lumovander.Lumovander.metainfo.xml \
             share/man/man1/lumovander.1.gz share/man/man1/lumovander-batch.1.gz \
             share/man/man1/lumovander-wmf.1.gz share/man/man1/lumovander-heif.1.gz \
             share/man/man1/lumovander-svg.1.gz \
             share/lumovander/Lumovander.pdf share/lumovander/Templates/Zee.tmp \
             share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/lumovander.png; do
        [ -f "$1/$2/$f" ] || { echo "package-check: missing $2/$f" >&2; missing=1; }
    done
    return $missing
}

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/*.deb)
echo "package-check: $(basename "$deb")"

root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The throwaway root has no Qt of its own: dependencies are the host's.
dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" >"$work/dpkg.log" 2>&1 \
    || { cat "$work/dpkg.log" >&2; exit 1; }
expect_files "$root" usr
[ -f "$root/usr/share/doc/lumovander/copyright" ] || { echo "package-check: no copyright" >&2; exit 1; }
"$root/usr/bin/lumovander" --version | grep -q '^Lumovander '
dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -P lumovander >"$work/dpkg.log" 2>&1 \
    || { cat "$work/dpkg.log" >&2; exit 1; }
left=$( (find "$root/usr" -type f 2>/dev/null || true) | head -5)
[ -z "$left" ] || { echo "package-check: left behind after removal: $left" >&2; exit 1; }

lintian --fail-on error "$deb"

DESTDIR="$work/destdir" cmake --install "$build" --prefix /usr/local >/dev/null
expect_files "$work/destdir" usr/local
desktop-file-validate "$work/destdir/usr/local/share/applications/nl.lumovander.Lumovander.desktop"
appstreamcli validate --no-net "$work/destdir/usr/local/share/metainfo/nl.lumovander.Lumovander.metainfo.xml" >/dev/null
echo "package-check: installs, validates and removes cleanly"
