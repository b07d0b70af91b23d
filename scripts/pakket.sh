#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#
# Builds the Debian source package and the binary packages kwintelvlak and
# kwintelvlak-dev from debian/ with dpkg-buildpackage, as a distribution
# would, and checks them as a packager would: lintian on the source package
# and on both binary packages (no errors, no warnings), desktop-file-validate
# on the desktop entry and appstreamcli on the AppStream data inside the
# package.
#
#   scripts/pakket.sh [FOLDER]     (default build-pakket)
#
# The sources (the files git knows, as they are in the work tree) are copied
# to FOLDER/kwintelvlak-VERSION and built there, so the work tree stays
# clean; the .dsc, the source tarball, the .deb files and the build log land
# in FOLDER. DEB_BUILD_OPTIONS is passed on: "nocheck" leaves the tests out
# (CI runs them before). The exit status is not 0 when a check fails.
set -euo pipefail
cd "$(dirname "$0")/.."
uit=$(realpath -m "${1:-build-pakket}")
for p in dpkg-buildpackage dpkg-checkbuilddeps dh lintian desktop-file-validate appstreamcli; do
    command -v "$p" >/dev/null || { echo "pakket.sh: $p ontbreekt (bash scripts/deps.sh --test)" >&2; exit 1; }
done
versie=$(dpkg-parsechangelog -S Version)
bron=$uit/kwintelvlak-$versie
rm -rf "$uit"
mkdir -p "$bron"
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$bron"

begin=$(date +%s)
echo "== dpkg-buildpackage -us -uc in $bron"
(cd "$bron" &&
    DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -us -uc) \
    >"$uit/bouw.log" 2>&1 || { tail -40 "$uit/bouw.log"; echo "pakket.sh: dpkg-buildpackage faalt ($uit/bouw.log)" >&2; exit 1; }
echo "== gebouwd in $(($(date +%s) - begin)) s"
ls -1 "$uit"/*.dsc "$uit"/*.deb

fout=0
echo "== lintian (bron en beide pakketten)"
lintian --fail-on error,warning --info --display-info "$uit"/kwintelvlak_"$versie".dsc \
    "$uit"/kwintelvlak_"$versie"_*.deb "$uit"/kwintelvlak-dev_"$versie"_all.deb || fout=1

inhoud=$(mktemp -d)
trap 'rm -rf "$inhoud"' EXIT
dpkg-deb -x "$uit"/kwintelvlak_"$versie"_*.deb "$inhoud"
echo "== desktop-file-validate"
for f in "$inhoud"/usr/share/applications/*.desktop; do
    desktop-file-validate "$f" || fout=1
done
echo "== appstreamcli validate"
for f in "$inhoud"/usr/share/metainfo/*.xml; do
    appstreamcli validate --no-net "$f" || fout=1
done
[ "$fout" = 0 ] && echo "pakketten in orde: $uit" || echo "pakket.sh: een controle faalt" >&2
exit "$fout"
