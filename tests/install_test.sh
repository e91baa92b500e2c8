#!/usr/bin/env bash
# The installed game: installed into a temporary prefix with its data tree read-only and run
# from another folder, it keeps the settings and scores in the user's data folder with the
# bytes a writable tree gets, never touches the installed files, plays on without saving when
# no user folder can be made, and writes one PNG per F12 press. Root passes every permission
# check, so as root the game runs as the user nobody, for whom the tree is truly unwritable.
#   install_test.sh CMAKE BUILD_DIR
set -u
cmake=$1 build=$2 status=0
fail() { echo "FAIL: $*"; status=1; }
work=$(mktemp -d) && chmod 755 "$work" && cd "$work" || exit 1
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -rf "$work"' EXIT
as_player=()
[ "$(id -u)" = 0 ] && as_player=(setpriv --reuid=65534 --regid=65534 --clear-groups)
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }
listing() { (cd prefix && find . -printf '%p %m\n' | sort && find . -type f -exec sha256sum {} + | sort); }

"$cmake" --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
desktop-file-validate prefix/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net prefix/share/metainfo/*.metainfo.xml >/dev/null || fail "metainfo"
grep -q '^\.SH EXIT STATUS' prefix/share/man/man6/quillmoor.6 || fail "manual page"
for s in 48 128 256; do
  [ "$(png_size prefix/share/icons/hicolor/${s}x$s/apps/quillmoor.png)" = "${s}x$s" ] || fail "icon $s"
done
chmod -R a-w prefix/share/games/quillmoor/data
listing > before.txt

Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3> display.txt 2>/dev/null & xvfb=$!
for _ in $(seq 300); do [ -s display.txt ] && break; sleep 0.1; done
# Title, play, continue, start; Escape, quit the course, the score table (then F12 twice).
printf '%s\n' '110 move 130 230' '112 press 1' '113 release 1' '170 move 320 440' '172 press 1' \
  '173 release 1' '230 move 320 440' '232 press 1' '233 release 1' '330 key escape' \
  '350 move 320 225' '352 press 1' '353 release 1' > script.txt
mkdir shots && chmod 777 shots
play() {  # play NAME PROGRAM HOME XDG_DATA_HOME [XDG_PICTURES_DIR]; the game runs in folder NAME
  mkdir -p "$1" && chmod 777 "$1" && cp script.txt "$1.txt" && echo "450 screenshot $work/shots/$1.png" >> "$1.txt"
  [ -n "${5:-}" ] && printf '%s\n' '451 key f12' '452 key f12' >> "$1.txt"
  (cd "$1" && env DISPLAY=":$(cat ../display.txt)" ALSOFT_DRIVERS=null HOME="$3" XDG_DATA_HOME="$4" \
     ${5:+XDG_PICTURES_DIR="$5"} "${as_player[@]}" "$2" --fixed-step 33 --seed 4 --frames 460 \
     --script "../$1.txt" > ../"$1".out 2>&1) || fail "$1 ended with status $?"
}

# A writable copy of the tree beside a copy of the program, started from another folder.
mkdir -p portable/data && chmod 777 portable/data && cp "$build/quillmoor" portable/
for d in "$build"/data/*/; do ln -s "$d" portable/data/; done
play reference "$work/portable/quillmoor" "$work/nohome" "$work/nohome"
[ -s portable/data/tov.pref ] && [ ! -e nohome ] || fail "the writable tree keeps its own files"

mkdir -p home pictures && chmod 777 home pictures
play installed "$work/prefix/games/quillmoor" "$work/home" "$work/home/data" "$work/pictures"
[ "$(ls home/data/quillmoor)" = "$(ls portable/data | grep '^tov')" ] || fail "user folder files differ"
for f in portable/data/tov*; do cmp "$f" "home/data/quillmoor/${f##*/}" || fail "${f##*/} bytes"; done
listing | cmp -s - before.txt || fail "the installed tree changed"
[ -z "$(ls installed)" ] || fail "files written in the working folder"
shots=(pictures/quillmoor-*.png)
[ ${#shots[@]} = 2 ] || fail "F12 twice gave ${#shots[@]} pictures"
for p in "${shots[@]}"; do [ "$(png_size "$p")" = 640x480 ] || fail "$p is not of the window's size"; done

touch blocker
play unsaved "$work/prefix/games/quillmoor" "$work/blocker" "$work/blocker/data"
[ "$(grep -c 'without saving' unsaved.out)" = 1 ] && ! grep -q 'cannot write' unsaved.out ||
  fail "not one diagnostic line: $(cat unsaved.out)"
cmp -s shots/unsaved.png shots/reference.png || fail "the unsaved game did not reach the same score table"
exit $status
