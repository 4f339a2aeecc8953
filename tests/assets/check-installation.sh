#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks it the way a desktop and a user meet it:
# the desktop entry and the AppStream metainfo validate, corvane-cli runs through its link in
# bin/, and the program finds its pictures and manual from the installed executable.
#   check-installation.sh BUILD_DIR INSTALLATION_TESTS
set -euo pipefail
build=$1
tests=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null
desktop-file-validate "$prefix"/share/applications/org.corvane.Corvane.desktop
appstreamcli validate --no-net "$prefix"/share/metainfo/org.corvane.Corvane.metainfo.xml
for size in 16 32 48 256; do
    test -s "$prefix/share/icons/hicolor/${size}x${size}/apps/org.corvane.Corvane.png"
done
test -s "$prefix"/share/icons/hicolor/scalable/apps/org.corvane.Corvane.svg

out=$("$prefix"/bin/corvane-cli solve 11 C_a=0.1 k_a=1.8e-5)
grep -q $'^1\tpH\t2.875$' <<<"$out" || { echo "unexpected corvane-cli output: $out" >&2; exit 1; }

CORVANE_INSTALLED_PROGRAM="$prefix"/bin/corvane QT_QPA_PLATFORM=offscreen "$tests"
