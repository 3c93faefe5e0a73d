#!/usr/bin/env bash
# Builds the .deb, unpacks it into a fresh root as dpkg would install it, and
# runs the installed game from an unrelated folder: it must find its data,
# reach the main menu and write its trace in the folder it was started from.
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.txt") || { cat "$work/cpack.txt"; fail "cpack could not build the .deb"; }
deb=$(ls "$work"/package/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for library in libglfw3 libepoxy0 libfreetype6 libopenal1 libsndfile1; do
  [[ $depends == *"$library ("* ]] || fail "Depends does not name $library: $depends"
done

dpkg -x "$deb" "$work/root"
usr=$work/root/usr
for file in bin/sandrift-level share/applications/sandrift.desktop share/icons/hicolor/128x128/apps/sandrift.png; do
  [ -f "$usr/$file" ] || fail "the package has no $file"
done
zcat "$usr/share/man/man6/sandrift.6.gz" | grep -qF '\-\-frames' || fail "the man page does not list the options"
[ "$("$usr/bin/sandrift" --version)" = "Sandrift $version" ] || fail "--version does not print Sandrift $version"

mkdir "$work/elsewhere"
cd "$work/elsewhere"
echo "0 key SPACE press" > skip.txt
"$usr/bin/sandrift" --window 640x360 --fixed-dt 0.03 --frames 5 --input skip.txt --trace trace.jsonl > out.txt 2>&1 ||
  { cat out.txt; fail "the installed game did not run"; }
grep -q '"event":"state","frame":1,"state":0' trace.jsonl || fail "the installed game did not reach the main menu"

# --data wins over the installed data, and a folder without it is refused.
if "$usr/bin/sandrift" --data "$work/elsewhere" --frames 1 > out.txt 2>&1; then fail "--data was not used"; fi
grep -q "$work/elsewhere" out.txt || fail "the refusal does not name the folder: $(cat out.txt)"
echo "ok: $(basename "$deb") installs and runs"
