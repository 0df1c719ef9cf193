#!/usr/bin/env bash
# Core libraries know no widgets: fail on a QtWidgets include outside widget code.
# Arrows run down only: a folder of the learning program includes its own layer and the
# ones below it, the subsystems never name Kartivo's main window, and the worksheet
# program sees the map view and the label editor only.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0

core_files=$(ls platform/*.h platform/*.cpp raster/*.h raster/*.cpp datastore/*.h datastore/*.cpp \
                controls/Dspez.* controls/TextFile.* \
                learning/mapview/*.h learning/mapview/*.cpp learning/mainwindow/*.h learning/mainwindow/*.cpp \
                learning/exercise/*.h learning/exercise/*.cpp learning/tools/*.h learning/tools/*.cpp \
                learning/network/*.h learning/network/*.cpp worksheet/*.h worksheet/*.cpp 2>/dev/null || true)
if [ -n "$core_files" ] &&
   grep -n -E '#include *<(QtWidgets/|QApplication|QWidget|QDialog|QMainWindow|QMessageBox|QLabel|QPushButton)' $core_files; then
  echo "core target includes a widget header" >&2
  status=1
fi

# The layers of learning/, from the bottom.
layers="mapview tools network exercise mainwindow"
rank() {
  local i=1
  for l in $layers; do
    [ "$l" = "$1" ] && { echo $i; return; }
    i=$((i + 1))
  done
  echo 0
}
for own in $layers; do
  [ -d "learning/$own" ] || continue
  r=$(rank "$own")
  while IFS=: read -r file line text; do
    [ -n "$file" ] || continue
    target=$(sed -E 's|.*#include *"learning/([a-z]+)/.*|\1|' <<<"$text")
    t=$(rank "$target")
    if [ "$t" -eq 0 ] || [ "$t" -gt "$r" ]; then
      echo "$file:$line: learning/$own includes learning/$target, a layer above it" >&2
      status=1
    fi
  done < <(grep -rn -E '#include *"learning/' "learning/$own" --include='*.h' --include='*.cpp' || true)
done

# The subsystems reach Kartivo's window only through the host (zl_hauptfensterhost.h).
if grep -rn -w -E 'TForm1|Form1' learning/exercise learning/tools learning/network --include='*.h' --include='*.cpp'; then
  echo "a subsystem names Kartivo's main window" >&2
  status=1
fi

# Foliavo links the map view and the label editor, nothing else of the learning program.
if grep -rn -E '#include *"learning/' worksheet --include='*.h' --include='*.cpp' |
   grep -v -E '#include *"learning/(mapview/|tools/zl_objedit|tools/widgets/zl_objeditneu)'; then
  echo "the worksheet program includes more of the learning program than the map view and the label editor" >&2
  status=1
fi

exit $status
