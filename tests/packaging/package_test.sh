#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and checks that the unpacked
# program starts and finds its icon and Qt's Chinese translation.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >/dev/null
deb="$(ls "$work"/pkg/*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libqt6network6 qt6-qpa-plugins qt6-translations-l10n \
              fonts-noto-cjk iputils-ping xdg-utils hicolor-icon-theme; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

dpkg -x "$deb" "$work/root"
share="$work/root/usr/share"
[ -x "$work/root/usr/bin/quillet" ] || fail "no usr/bin/quillet"
for size in 16 32 48 256; do
    [ -f "$share/icons/hicolor/${size}x${size}/apps/quillet.png" ] || fail "no ${size}px icon"
done
desktop-file-validate "$share/applications/quillet.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml >/dev/null || fail "metainfo"

report="$(QUILLET_STARTUP_CHECK=1 QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
          XDG_DATA_DIRS="$share:/usr/share" timeout 60 "$work/root/usr/bin/quillet" 2>/dev/null)" ||
    fail "the installed program did not start"
grep -qx "translation: loaded" <<<"$report" || fail "translation: $report"
grep -qx "theme icon: found" <<<"$report" || fail "icon: $report"
echo "package ok: $(basename "$deb")"
