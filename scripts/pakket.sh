#!/usr/bin/env bash
# Builds the Debian package in a build folder of its own, with Debian's
# hardening flags, and checks it as a packager would: lintian (no errors, no
# warnings that are not overridden), desktop-file-validate on the desktop
# entry and appstreamcli on the AppStream data inside the package.
#
#   scripts/pakket.sh [BUILD_FOLDER]     (default build-pakket)
#
# Leaves the package in BUILD_FOLDER; the exit status is not 0 when a check
# fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bouw=${1:-build-pakket}
for p in dpkg-buildflags lintian desktop-file-validate appstreamcli; do
    command -v "$p" >/dev/null || { echo "pakket.sh: $p ontbreekt (bash scripts/deps.sh --test)" >&2; exit 1; }
done

# CMake takes CFLAGS, CXXFLAGS and LDFLAGS from the environment when it first
# configures a folder; the preprocessor's flags go with the compilers'.
export DEB_BUILD_MAINT_OPTIONS=${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}
eval "$(dpkg-buildflags --export=sh)"
export CFLAGS="$CFLAGS $CPPFLAGS" CXXFLAGS="$CXXFLAGS $CPPFLAGS"
cmake -S . -B "$bouw" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKWINTEL_TESTS=OFF \
    -DKWINTEL_BENCHMARKS=OFF -DKWINTEL_SNEL=ON ${KWINTEL_CMAKE_OPTIES:-}
cmake --build "$bouw"
rm -f "$bouw"/kwintelvlak_*.deb
(cd "$bouw" && cpack -G DEB)
deb=$(ls "$bouw"/kwintelvlak_*.deb)
echo "== $deb"

fout=0
echo "== lintian"
lintian --fail-on error,warning --info --display-info "$deb" || fout=1

inhoud=$(mktemp -d)
trap 'rm -rf "$inhoud"' EXIT
dpkg-deb -x "$deb" "$inhoud"
echo "== desktop-file-validate"
for f in "$inhoud"/usr/share/applications/*.desktop; do
    desktop-file-validate "$f" || fout=1
done
echo "== appstreamcli validate"
for f in "$inhoud"/usr/share/metainfo/*.xml; do
    appstreamcli validate --no-net "$f" || fout=1
done
[ "$fout" = 0 ] && echo "pakket in orde: $deb" || echo "pakket.sh: een controle faalt" >&2
exit "$fout"
