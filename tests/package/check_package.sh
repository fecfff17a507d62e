#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it as a user's system
# would see it: its contents, the desktop entry, the AppStream data, the sheet
# file type, and the programs run from the unpacked tree.
# usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null) || fail "cpack could not build the package"
deb=$(ls "$work"/out/vesk_*_*.deb)
[[ $(basename "$deb") =~ ^vesk_[0-9.]+_[a-z0-9]+\.deb$ ]] || fail "package name $(basename "$deb")"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in usr/bin/vesk usr/bin/vesk-cli usr/share/applications/vesk.desktop \
  usr/share/mime/packages/vesk-sheet.xml usr/share/metainfo/org.vesk.Vesk.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/vesk.svg usr/share/man/man1/vesk.1.gz \
  usr/share/man/man1/vesk-cli.1.gz usr/share/bash-completion/completions/vesk-cli; do
  grep -qx "./$path" <<<"$contents" || fail "$path is not in the package"
done
for size in 16 32 48 64 128 256; do
  grep -qx "./usr/share/icons/hicolor/${size}x${size}/apps/vesk.png" <<<"$contents" ||
    fail "no ${size} px icon"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "dependencies not computed from the binaries"

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/vesk.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.vesk.Vesk.metainfo.xml" >/dev/null ||
  fail "AppStream metainfo"
for page in vesk vesk-cli; do
  man -l "$root/usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q "^NAME" || fail "manual page $page"
done
file "$root/usr/share/icons/hicolor/48x48/apps/vesk.png" | grep -q '48 x 48' || fail "48 px icon size"

cli="$root/usr/bin/vesk-cli"
"$cli" --version | grep -qx 'vesk-cli [0-9.]*' || fail "vesk-cli --version"
"$cli" sample "$work/demo.tqb" >/dev/null || fail "vesk-cli sample from the package"
"$cli" info "$work/demo.tqb" | grep -q '^Opened: *yes' || fail "vesk-cli info from the package"
# The completion as bash loads it from the package: the commands after the program's name.
completions=$(bash -c 'source "$0"; COMP_WORDS=(vesk-cli c); COMP_CWORD=1; _vesk_cli; echo "${COMPREPLY[*]}"' \
  "$root/usr/share/bash-completion/completions/vesk-cli")
[ "$completions" = "convert check" ] || fail "bash completion of vesk-cli offers '$completions'"

# The viewer as installed: the package's own CesiumJS, found beside the
# program (no build folder, no VESK_VIEWER_DIR), and its licence.
grep -q 'Files: usr/share/vesk/viewer/cesium' "$root/usr/share/doc/vesk/copyright" ||
  fail "the copyright file does not cover CesiumJS"
if [ -f "$root/usr/share/vesk/viewer/cesium/Cesium.js" ]; then
  "$cli" tiles "$work/demo.tqb" --out "$work/tiles" --quiet >/dev/null || fail "vesk-cli tiles"
  env -u VESK_VIEWER_DIR "$cli" view "$work/tiles" --no-open >"$work/view.txt" 2>&1 &
  viewer=$!
  for _ in $(seq 100); do [ -s "$work/view.txt" ] && break; sleep 0.1; done
  port=$(sed -n 's|^http://127.0.0.1:\([0-9]*\)/$|\1|p' "$work/view.txt")
  answer=""
  if [ -n "$port" ] && exec 3<>"/dev/tcp/127.0.0.1/$port"; then
    printf 'GET /cesium/Cesium.js HTTP/1.0\r\n\r\n' >&3
    answer=$(head -n 1 <&3 | tr -d '\r')
    exec 3<&-
  fi
  kill "$viewer" 2>/dev/null
  wait "$viewer" 2>/dev/null || true
  [ "$answer" = "HTTP/1.1 200 OK" ] || fail "vesk-cli view from the package: $(cat "$work/view.txt") $answer"
else
  echo "the package carries no CesiumJS (not installed in the build folder); viewer not checked"
fi

# The sheet type, by name in any case and by the first chunk's header alone.
export XDG_DATA_HOME="$work/share" XDG_DATA_DIRS="$work/share:/usr/share"
mkdir -p "$XDG_DATA_HOME/mime/packages"
cp "$root/usr/share/mime/packages/vesk-sheet.xml" "$XDG_DATA_HOME/mime/packages/"
update-mime-database "$XDG_DATA_HOME/mime"
cp "$work/demo.tqb" "$work/UPPER.TQB"
cp "$work/demo.tqb" "$work/no-extension"
printf 'not a sheet' >"$work/fake.txt"
for file in demo.tqb UPPER.TQB no-extension; do
  type=$(xdg-mime query filetype "$work/$file")
  [ "$type" = application/x-vesk-sheet ] || fail "$file is typed $type"
done
[ "$(xdg-mime query filetype "$work/fake.txt")" != application/x-vesk-sheet ] || fail "text typed as a sheet"
echo "package $(basename "$deb") checked"
