#!/usr/bin/env bash
# Drives the real zelto-build: the examples build and carry the right
# resources (as wrestool, an independent reader, lists them), extraction
# round-trips byte for byte, a failed build writes nothing, pictures are
# fitted to the player's size, and the Windows build (under Wine) writes the
# same executable as the native one.
# Arguments: zelto-build, candidate players separated by '|', zelto-build.exe, examples folder.
set -uo pipefail
builder=$1
IFS='|' read -r -a candidates <<< "$2"
windows_builder=$3
examples=$4

player=""
for c in "${candidates[@]}"; do
  if [ -f "$c" ]; then player=$c; break; fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; "$@" || fail "$what"; }

# Resource lines without their offsets, for comparing listings.
resources() { wrestool -l "$1" 2> /dev/null | sed 's/ \[.*//' | sort; }

# --- The command line itself, needs no player.
"$builder" --help > "$work/help" || fail "--help exits 0"
check "--help is in French" grep -q "Utilisation" "$work/help"
"$builder" --version | grep -q "^zelto-build [0-9]" || fail "--version"
"$builder" > /dev/null 2>&1; [ $? -ne 0 ] || fail "no argument is an error"
"$builder" --nimporte > /dev/null 2>&1; [ $? -ne 0 ] || fail "unknown option is an error"
[ "$("$builder" --try "$examples/texte/quiz.toml" 1 "pari")" = "Quasiment" ] || fail "--try near miss"
[ "$("$builder" --try "$examples/texte/quiz.toml" 1 "  Paris ")" = "BRAVO" ] || fail "--try right answer"

# --- Several errors, all reported, nothing written, an older file untouched.
mkdir "$work/broken"
cat > "$work/broken/quiz.toml" <<'TOML'
genre = "image"
titre = "A|B"
codes = ["un", "deux"]

[[question]]
image = "absente.jpg"
reponse = "R"
TOML
echo OLD > "$work/broken/out.exe"
"$builder" "$work/broken/quiz.toml" -o "$work/broken/out.exe" --player "${player:-/nonexistent}" 2> "$work/errors"
[ $? -ne 0 ] || fail "a broken quiz fails"
check "the old output is untouched" grep -qx OLD "$work/broken/out.exe"
[ "$(ls "$work/broken" | wc -l)" -eq 2 ] || fail "no temporary file left: $(ls "$work/broken")"
check "error on the title" grep -q "quiz.toml:2: erreur : titre" "$work/errors"
check "error on the codes" grep -q "quiz.toml:3: erreur : codes" "$work/errors"
check "error on the picture" grep -q "quiz.toml:6: erreur : question 1, image : fichier introuvable" "$work/errors"
check "error count" grep -q "3 erreurs : rien n'a été écrit." "$work/errors"

if [ -z "$player" ]; then
  echo "SKIP: no player executable found (${candidates[*]}); run scripts/build.sh"
  [ $failures -eq 0 ] && exit 77 || exit 1
fi
echo "player: $player"
resources "$player" | grep -v -e "--type='PATCH'" -e "--type='IMG'" > "$work/player-resources"

# --- Every example builds, carries its quiz and keeps the player's resources.
for kind in texte image son video; do
  out="$work/$kind.exe"
  "$builder" "$examples/$kind/quiz.toml" -o "$out" --player "$player" > /dev/null || { fail "$kind builds"; continue; }
  resources "$out" > "$work/$kind.list"
  check "$kind: PATCH 104" grep -qx -- "--type='PATCH' --name=104 --language=0" "$work/$kind.list"
  check "$kind: PATCH 105" grep -qx -- "--type='PATCH' --name=105 --language=0" "$work/$kind.list"
  if [ "$kind" != texte ]; then
    for q in 401 402 403 404; do
      check "$kind: IMG $q" grep -qx -- "--type='IMG' --name=$q --language=0" "$work/$kind.list"
    done
  fi
  missing=$(comm -23 "$work/player-resources" "$work/$kind.list")
  [ -z "$missing" ] || fail "$kind: player resources lost: $missing"

  # Extract, rebuild with the originals kept: the same executable, byte for byte.
  "$builder" --extract "$out" -o "$work/$kind-extracted" > /dev/null || { fail "$kind extracts"; continue; }
  "$builder" "$work/$kind-extracted/quiz.toml" -o "$work/$kind-again.exe" --player "$player" --keep-originals \
    > /dev/null 2>&1 || { fail "$kind rebuilds from its extraction"; continue; }
  cmp -s "$out" "$work/$kind-again.exe" || fail "$kind: extract then build differs"
  # Building over the built quiz itself: no growth.
  "$builder" "$examples/$kind/quiz.toml" -o "$work/$kind-over.exe" --player "$out" > /dev/null 2>&1
  cmp -s "$out" "$work/$kind-over.exe" || fail "$kind: building over a built quiz differs"
done
check "answer pictures" grep -qx -- "--type='IMG' --name=10404 --language=0" "$work/image.list"

# --- Pictures are fitted to exactly the size the player shows them at.
mkdir "$work/fit"
convert -size 301x300 gradient:red-blue "$work/fit/large.jpg"
convert -size 120x80 gradient:green-white "$work/fit/small.jpg"
cat > "$work/fit/quiz.toml" <<'TOML'
genre = "image"
titre = "Taille"
codes = ["1", "2"]
[[question]]
image = "large.jpg"
reponse = "A"
[[question]]
image = "small.jpg"
reponse = "B"
TOML
size_of() { identify -format '%wx%h' "$1"; }
for mode in fitted kept; do
  flag=""; [ $mode = kept ] && flag=--keep-originals
  "$builder" "$work/fit/quiz.toml" -o "$work/fit/$mode.exe" --player "$player" $flag > /dev/null || fail "fit quiz builds"
  wrestool -x --raw --type=IMG --name=401 "$work/fit/$mode.exe" > "$work/fit/$mode-401.jpg"
  wrestool -x --raw --type=IMG --name=402 "$work/fit/$mode.exe" > "$work/fit/$mode-402.jpg"
  cmp -s "$work/fit/small.jpg" "$work/fit/$mode-402.jpg" || fail "$mode: a picture that fits is stored unchanged"
done
[ "$(size_of "$work/fit/fitted-401.jpg")" = 260x259 ] || fail "301x300 fitted to 260x259, got $(size_of "$work/fit/fitted-401.jpg")"
cmp -s "$work/fit/large.jpg" "$work/fit/kept-401.jpg" || fail "--keep-originals stores the picture as given"

# --- The Windows builder writes the same executable (under Wine). Pictures
# are kept as given: resampling in floating point may round differently
# between compilers, everything else must match byte for byte.
if [ -f "$windows_builder" ] && command -v wine > /dev/null; then
  export WINEPREFIX="$work/wine" WINEDEBUG=-all
  wineboot -i > /dev/null 2>&1; wineserver -w
  for kind in son image; do
    "$builder" "$examples/$kind/quiz.toml" -o "$work/$kind-native.exe" --player "$player" --keep-originals > /dev/null
    timeout 120 wine "$windows_builder" "$examples/$kind/quiz.toml" -o "$work/$kind-win.exe" --player "$player" \
      --keep-originals > "$work/win-out" 2>&1 || fail "zelto-build.exe builds $kind: $(cat "$work/win-out")"
    cmp -s "$work/$kind-native.exe" "$work/$kind-win.exe" || fail "zelto-build.exe and zelto-build differ on $kind"
  done
  wine "$windows_builder" --try "$examples/texte/quiz.toml" 2 "rme" 2> /dev/null | grep -q "^Quasiment" \
    || fail "zelto-build.exe --try"
  wineserver -k 2> /dev/null
else
  echo "note: $windows_builder or wine missing, Windows builder not compared"
fi

if [ $failures -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "all builder command-line checks passed"
