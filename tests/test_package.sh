#!/usr/bin/env bash
# The Debian package of a build folder: made by cpack from the binaries already built there,
# its contents and dependencies checked, its desktop entry validated, then unpacked into a
# throw-away root and its velta-admin run there as an installed program (read-only program
# folder, settings and log under temporary XDG folders, never the real home).
# Usage: test_package.sh BUILD_FOLDER
set -euo pipefail
build="$(cd "$1" && pwd)"
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb desktop-file-validate; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 \
  || { cat "$tmp/cpack.log" >&2; fail "cpack did not make the package"; }
deb="$(ls "$tmp"/out/velta_*.deb)"
echo "package: $(basename "$deb")"

contents="$(dpkg-deb -c "$deb" | awk '{print $NF}')"
for f in ./usr/bin/velta ./usr/bin/velta-admin ./usr/share/applications/velta.desktop \
         ./usr/share/icons/hicolor/scalable/apps/velta.svg ./usr/share/doc/velta/README.md \
         ./usr/share/doc/velta/docs/architecture.md ./usr/share/doc/velta/docs/exchange-format.md; do
  grep -qx "$f" <<<"$contents" || fail "the package lacks $f"
done
if grep -E '/test_|/bench_|\.a$|/include/' <<<"$contents"; then fail "tests, benchmarks or libraries in the package"; fi

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for p in libqt6widgets6 libqt6gui6 libqt6core6 libqt6sql6 libqt6sql6-sqlite libqt6printsupport6 libzip4 libshp2 \
         libsqlite3-0 fonts-liberation; do
  grep -qE "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p"
done
if grep -q -- '-dev' <<<"$depends"; then fail "Depends names a -dev package"; fi

root="$tmp/root"
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/velta.desktop" || fail "desktop-file-validate refused the entry"

# An installed program: a program folder it cannot write into. Root writes anywhere, so
# as root the programs run as nobody over a root-owned folder.
mkdir -p "$tmp/home" "$tmp/config" "$tmp/state" "$tmp/work"
chmod a-w "$root/usr/bin"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chmod 777 "$tmp/home" "$tmp/config" "$tmp/state" "$tmp/work"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
run() {
  env HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_STATE_HOME="$tmp/state" QT_QPA_PLATFORM=offscreen \
    "${as_user[@]}" "$@"
}

run "$root/usr/bin/velta-admin" init-db "$tmp/work/db" || fail "velta-admin init-db"
[ -s "$tmp/work/db/velta.db" ] || fail "init-db made no velta.db"

out="$(run "$root/usr/bin/velta-admin" demo "$tmp/work/demo")" || fail "velta-admin demo"
echo "$out"
grep -qx "Настройки: $tmp/config/velta/velta.ini" <<<"$out" || fail "demo did not report the settings in XDG_CONFIG_HOME"
[ -f "$tmp/config/velta/velta.ini" ] || fail "no settings file in XDG_CONFIG_HOME"
grep -q "$tmp/work/demo/main/" "$tmp/config/velta/aliases.ini" || fail "the alias registry does not point at the demo"

run mkdir "$tmp/work/out"
run "$root/usr/bin/velta-admin" export "$tmp/work/demo/main" "$tmp/work/out" >/dev/null || fail "velta-admin export"
[ -s "$tmp/state/velta/log.txt" ] || fail "the exchange log is not in XDG_STATE_HOME"
if ls "$root/usr/bin" | grep -qv '^velta\(-admin\)\?$'; then fail "something was written into the program folder"; fi
[ -z "$(ls -A "$tmp/home")" ] || fail "the home folder was touched: $(ls -A "$tmp/home")"
echo "OK"
