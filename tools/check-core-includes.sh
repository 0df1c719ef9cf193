#!/usr/bin/env bash
# Core libraries know no widgets: fail on a QtWidgets include outside widget code.
set -euo pipefail
cd "$(dirname "$0")/.."
core_files=$(ls platform/*.h platform/*.cpp raster/*.h raster/*.cpp datastore/*.h datastore/*.cpp \
                controls/Dspez.* controls/TextFile.* \
                learning/exercise/*.h learning/exercise/*.cpp learning/tools/*.h learning/tools/*.cpp \
                learning/network/*.h learning/network/*.cpp worksheet/*.h worksheet/*.cpp 2>/dev/null || true)
[ -z "$core_files" ] && exit 0
if grep -n -E '#include *<(QtWidgets/|QApplication|QWidget|QDialog|QMainWindow|QMessageBox|QLabel|QPushButton)' $core_files; then
  echo "core target includes a widget header" >&2
  exit 1
fi
