#!/usr/bin/env bash
# `cmake --install` and the Debian package put the program and its settings description where
# Debian's XScreenSaver looks for them, its desktop entry where MATE's screensaver looks, and its
# manual page, copyright and changelog where Debian keeps them.
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

# Compressed as Debian does (gzip -9n): no name and no date in the header, whose bytes 4 to 7
# hold the time.
for gz in share/man/man6/orvessan.6x.gz share/doc/orvessan/changelog.gz; do
  [ -f "$tmp/root/usr/$gz" ] || fail "no /usr/$gz"
  header=$(head -c 8 "$tmp/root/usr/$gz" | od -An -tx1 | tr -d ' \n')
  [ "$header" = 1f8b080000000000 ] || fail "/usr/$gz is not compressed with gzip -n: $header"
done
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
  "$tmp/root/usr/share/doc/orvessan/copyright" || fail "no machine-readable copyright file"
entry=$tmp/root/usr/share/applications/screensavers/orvessan.desktop
[ -f "$entry" ] || fail "no /usr/share/applications/screensavers/orvessan.desktop"
if command -v desktop-file-validate > /dev/null; then
  # Hints remain: a screen saver's entry has no main category, so that no menu lists it.
  said=$(desktop-file-validate "$entry" 2>&1 | grep -v ': hint: ' || true)
  [ -z "$said" ] || fail "desktop-file-validate: $said"
fi

command -v dpkg-deb > /dev/null || { echo "dpkg-deb is missing"; exit 77; }
(cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/package" > cpack.log 2>&1) ||
  fail "cpack: $(cat "$tmp/cpack.log")"
deb=$(ls "$tmp"/package/orvessan_*.deb)
contents=$(dpkg-deb -c "$deb")
grep -q ' ./usr/libexec/xscreensaver/orvessan$' <<< "$contents" || fail "package lacks the program: $contents"
grep -q ' ./usr/share/xscreensaver/config/orvessan.xml$' <<< "$contents" || fail "package lacks the XML: $contents"
for member in usr/share/man/man6/orvessan.6x.gz usr/share/applications/screensavers/orvessan.desktop \
  usr/share/doc/orvessan/copyright usr/share/doc/orvessan/changelog.gz; do
  grep -q " ./$member\$" <<< "$contents" || fail "package lacks /$member: $contents"
done
dpkg-deb -f "$deb" Depends | grep -q libx11 || fail "package does not depend on libx11: $(dpkg-deb -f "$deb" Depends)"
echo "PASS: $(basename "$deb")"
