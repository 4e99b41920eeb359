#!/usr/bin/env bash
# Builds a demo program directory under BUILD/demo and runs the program's unattended start there:
#   BUILD/demo/  DateVdb/ startdb/ help/  wawi-demo.sqlite  registry.ini  QemDatev.ini  DATEV/
# The executable stays in BUILD/bin and runs with QEM_PROGRAM_DIR and QEM_REGISTRY pointing at
# the demo directory, without a display.
set -uo pipefail
build=${1:-build}

fail() { echo "Demo: $*" >&2; exit 1; }

bin=$(cd "$build/bin" 2>/dev/null && pwd) || fail "$build/bin fehlt - zuerst 'make build'"
for exe in fibu fibu-demodb; do
  [ -x "$bin/$exe" ] || fail "$bin/$exe fehlt - zuerst 'make build'"
done

demo=$(mkdir -p "$build/demo" && cd "$build/demo" && pwd) || fail "kann $build/demo nicht anlegen"
# A fresh directory each time: old journals and exports would hide what this run did.
rm -rf "${demo:?}"/* || fail "kann $demo nicht leeren"
for d in DateVdb startdb help; do
  if [ -d "$bin/$d" ]; then
    cp -r "$bin/$d" "$demo/" || fail "kann $d nicht kopieren"
  elif [ "$d" != help ]; then
    fail "$bin/$d fehlt"
  fi
done
mkdir -p "$demo/DATEV"

export QEM_PROGRAM_DIR=$demo QEM_REGISTRY=$demo/registry.ini
echo "== Demodatenbank (SQLite) und Programmverzeichnis"
"$bin/fibu-demodb" --sqlite "$demo/wawi-demo.sqlite" --demo --programmdir "$demo" \
  || fail "fibu-demodb ist fehlgeschlagen"
echo
echo "== Demobelege"
"$bin/fibu-demodb" --list

echo
echo "== fibu -INAUS (unbeaufsichtigt, ohne Anzeige)"
log=$demo/fibu-INAUS.log
(
  unset DISPLAY WAYLAND_DISPLAY
  export QT_QPA_PLATFORM=offscreen
  cd "$demo" && timeout 600 "$bin/fibu" -INAUS
) >"$log" 2>&1
rc=$?
cat "$log"
echo "Rückgabewert: $rc"

# What the run left behind.
echo
echo "== Ergebnis"
journal=$demo/DateVDaten/DateV.sqlite
count() { # file, SQL
  if command -v sqlite3 >/dev/null; then sqlite3 "$1" "$2" 2>/dev/null
  else python3 -c 'import sqlite3,sys; print(sqlite3.connect(sys.argv[1]).execute(sys.argv[2]).fetchone()[0])' "$1" "$2" 2>/dev/null
  fi
}
if [ -f "$journal" ]; then
  echo "Lokale Tabellen: $(count "$journal" "SELECT group_concat(name, ', ') FROM sqlite_master WHERE type='table'")"
  echo "Journalzeilen (Buchungen): $(count "$journal" "SELECT COUNT(*) FROM Buchungen")"
else
  echo "Lokale Datenbank fehlt: $journal"
fi
echo "Übernommene Vorgänge (Fibu_Forderung): $(count "$demo/wawi-demo.sqlite" "SELECT COUNT(*) FROM Auftrag WHERE Fibu_Forderung=1")"
echo "Dateien in $demo/DATEV/:"
ls -l "$demo/DATEV/" | sed -n '2,$p'
[ -n "$(ls -A "$demo/DATEV/")" ] || echo "  (keine)"

if [ $rc -ne 0 ]; then
  # Until import and export are built, the unattended run says so and ends with an error;
  # that is expected and reported, every other failure is passed on.
  if grep -q "noch nicht verfügbar\|not available" "$log"; then
    echo
    echo "Demo: Import oder Export noch nicht verfügbar (siehe oben); Demoverzeichnis: $demo"
    exit 0
  fi
  fail "fibu -INAUS endete mit $rc (Protokoll: $log)"
fi
echo
echo "Demo fertig: $demo"
