#!/usr/bin/env bash
# Foliavo is built from the map view, the label editor and its own code. Fails when its
# link closure (one target a line, as CMake writes it) holds a library of the exercises,
# the tools beside the label editor, the class exercise or Kartivo's window, or when the
# executable holds a symbol of Kartivo's window, the exercise engine, the mailslot or the
# sliding puzzle.
# Usage: check-foliavo.sh FOLIAVO-EXECUTABLE LINK-CLOSURE-FILE
set -euo pipefail
exe=$1
closure=$2
status=0
[ -s "$closure" ] || { echo "$closure: no link closure" >&2; exit 1; }
if grep -n -x -E 'zl_(exercise|tools|network|mainwindow)(_core)?' "$closure"; then
  echo "Foliavo links a library of the learning program beside the map view and the label editor" >&2
  status=1
fi
grep -q -x 'zl_mapview' "$closure" || { echo "Foliavo does not link the map view" >&2; status=1; }
symbole=$(nm -C "$exe") || { echo "nm cannot read $exe" >&2; exit 1; }
if grep -m 20 -E 'zl::(TForm1|TUebung|TMailSlot2|TSchiebepuzzle|TPuzzleAnsicht|TSchiebImg)\b' <<<"$symbole"; then
  echo "Foliavo holds symbols of Kartivo's window, the exercise engine, the mailslot or the puzzle" >&2
  status=1
fi
exit $status
