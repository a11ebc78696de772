#!/usr/bin/env bash
# Checks the Debian package that scripts/package built: unpacks it into a temporary root,
# checks the files it holds and what it declares, validates its desktop entry and AppStream
# metainfo, and starts the unpacked game under Xvfb for a new user: it shows its window,
# opens the shipped demo playlist from the folder its dialog starts in, and on SIGTERM
# writes its settings into the user's configuration folder and nothing into its own.
#
#   tests/package_test.sh PACKAGE_FOLDER SHOTS_FOLDER
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Inside the X server, as the new user.
if [ "${1:-}" = --inside ]; then
    root="$2" shots="$3"
    cd "$HOME"
    "$root/usr/bin/harvoline" >"$HOME/harvoline.log" 2>&1 &
    game=$!
    trap 'kill "$game" 2>/dev/null || true' EXIT
    timeout 60 xdotool search --sync --onlyvisible --class harvoline >/dev/null ||
        fail "no window"
    sleep 1
    import -window root "$shots/start.png"
    # Start opens the playlist dialog; a bare file name finds the demo only in the folder
    # the dialog starts in.
    xdotool mousemove 64 221 click 1
    dialog="$(timeout 30 xdotool search --sync --onlyvisible --name '^Playlist' | head -n 1)" ||
        fail "no playlist dialog"
    import -window root "$shots/playlist-dialog.png"
    xdotool windowfocus --sync "$dialog" key ctrl+a type --delay 15 Demo.m3u
    xdotool key Return
    for _ in $(seq 60); do
        xdotool search --onlyvisible --name '^Playlist' >/dev/null || break
        sleep 0.5
    done
    sleep 3
    import -window root "$shots/first-round.png"
    kill -TERM "$game"
    timeout 30 tail --pid="$game" -f /dev/null || fail "still running after SIGTERM"
    trap - EXIT
    exit 0
fi

folder="$(realpath "$1")"
shots="$(realpath -m "$2")"
mkdir -p "$shots"
packages=("$folder"/harvoline_*_amd64.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "not one package in $folder"
deb="${packages[0]}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/root"
dpkg-deb -x "$deb" "$root"

id=org.harvoline.Harvoline
expected=(
    usr/bin/harvoline
    usr/bin/harvoline-check
    usr/share/harvoline/demo/Demo.m3u
    usr/share/harvoline/languages/{English,French,Spanish,Italian,Dutch}.{ini,texts}
    "usr/share/applications/$id.desktop"
    usr/share/icons/hicolor/{48x48,128x128,256x256}/apps/"$id.png"
    "usr/share/icons/hicolor/scalable/apps/$id.svg"
    "usr/share/metainfo/$id.metainfo.xml"
    usr/lib/udev/rules.d/70-harvoline-buzzers.rules
    usr/share/man/man1/harvoline-check.1.gz
)
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || fail "the package lacks $file"
done
[ "$(ls "$root/usr/bin" | tr '\n' ' ')" = "harvoline harvoline-check " ] ||
    fail "usr/bin holds $(ls "$root/usr/bin")"
[ "$(ls "$root/usr/share/harvoline/cover" | wc -l)" -ge 6 ] || fail "fewer than six covers"
[ "$(ls "$root/usr/share/harvoline/video" | wc -l)" -ge 1 ] || fail "no video"
for size in 48 128 256; do
    icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ "$(identify -format %wx%h "$icon")" = "${size}x${size}" ] || fail "icon $icon"
done
zcat "$root/usr/share/man/man1/harvoline-check.1.gz" | grep -q '^\.TH HARVOLINE-CHECK 1' ||
    fail "no man page"

desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"

# The libraries it links, the libvlc plugins it loads, and one maintainer script.
depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6widgets6 libvlc5 libtag1v5 libhidapi-hidraw0 libudev1 libjpeg62-turbo \
    libsdl2-2.0-0 libqt6websockets6 libqrencode4 \
    libvlc-bin vlc-plugin-base vlc-plugin-video-output; do
    grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
dpkg-deb -e "$deb" "$work/control"
[ -x "$work/control/postinst" ] || fail "no postinst"
grep -q 'udevadm control --reload-rules' "$work/control/postinst" || fail "postinst reloads no rules"
for script in preinst prerm postrm config; do
    [ ! -e "$work/control/$script" ] || fail "$script would run as root"
done

"$root/usr/bin/harvoline-check" --help >/dev/null

# A new user starts the game.
home="$work/home"
mkdir -p "$home" "$work/bin"
# errors.txt would be shown with the desktop's opener; here it is only noted.
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$work/opened.txt" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
touch "$work/before"
env -i PATH="$work/bin:/usr/bin:/bin" HOME="$home" LANG=C.UTF-8 \
    xvfb-run -a -s "-screen 0 800x566x24" "$0" --inside "$root" "$shots"

settings="$home/.config/harvoline/Harvoline.ini"
[ -f "$settings" ] || fail "no settings in $home/.config/harvoline: $(cat "$home/harvoline.log")"
playlist="$(head -n 1 "$settings" | tr -d '\r')"
[ "$playlist" = "Playlist: $root/usr/share/harvoline/demo/Demo.m3u" ] ||
    fail "the demo playlist was not opened: $playlist"
written="$(find "$root" -newer "$work/before")"
[ -z "$written" ] || fail "the game wrote into its own folders: $written"
echo "The package holds, declares and starts what it should."
