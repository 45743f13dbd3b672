#!/usr/bin/env bash
# `cmake --install` and the Debian package put the program and its settings description where
# Debian's XScreenSaver looks for them.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$tmp/root cmake --install "$build" --prefix /usr > /dev/null
[ -x "$tmp/root/usr/libexec/xscreensaver/orvessan" ] || fail "no /usr/libexec/xscreensaver/orvessan"
xml=$tmp/root/usr/share/xscreensaver/config/orvessan.xml
[ -f "$xml" ] || fail "no /usr/share/xscreensaver/config/orvessan.xml"
if command -v xmllint > /dev/null; then xmllint --noout "$xml" || fail "orvessan.xml is not well-formed"; fi
grep -q '<screensaver name="orvessan"' "$xml" || fail "the description is not named after the program"

command -v dpkg-deb > /dev/null || { echo "dpkg-deb is missing"; exit 77; }
(cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/package" > cpack.log 2>&1) ||
  fail "cpack: $(cat "$tmp/cpack.log")"
deb=$(ls "$tmp"/package/orvessan_*.deb)
contents=$(dpkg-deb -c "$deb")
grep -q ' ./usr/libexec/xscreensaver/orvessan$' <<< "$contents" || fail "package lacks the program: $contents"
grep -q ' ./usr/share/xscreensaver/config/orvessan.xml$' <<< "$contents" || fail "package lacks the XML: $contents"
dpkg-deb -f "$deb" Depends | grep -q libx11 || fail "package does not depend on libx11: $(dpkg-deb -f "$deb" Depends)"
echo "PASS: $(basename "$deb")"
