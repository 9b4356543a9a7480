// Draws the county map picture (countymap.png) and the label rectangles (countymap.txt) from the
// Census county boundaries in the us-atlas package. Authoring only: the program reads the two
// generated files and never needs this script.
//
//   cd data/tools && npm install && node ../gen_county_map.mjs
//
// The picture is 439 x 446 pixels: every county a pure white area closed by black 1-pixel
// borders drawn as 8-connected lines (so a 4-connected fill cannot leak through a diagonal step),
// no antialiasing, everything else (outside the state, slivers left between crossing borders,
// exclaves too small to carry a label) grey. Each label rectangle is centred on the white pixel
// of its county farthest from any border.
import { readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { createRequire } from 'node:module';
import { deflateSync } from 'node:zlib';

const here = dirname(fileURLToPath(import.meta.url));
const require = createRequire(join(here, 'tools', 'package.json'));
const topojson = require('topojson-client');
const atlasPath = require.resolve('us-atlas/counties-10m.json');

const W = 439, H = 446, MARGIN = 14;
const LABEL_W = 22, LABEL_H = 12;  // even, so the centre falls on a whole pixel
const WHITE = 0xffffff, BLACK = 0x000000, GREY = 0xc0c0c0;
const STATE_FIPS = '27';

// The label codes in the window's index order.
const CODES = ('MRS KIT ROS LKW KOO BEL ITA STL LAK COO POL PEN RDL CLE NOR MAH CLA BEC HUB CAS ' +
  'WIL OTT WAD CRO AIT CRL TRA GRA DOU STV POP BIG TOD MOR MIL KNB PIN STR BEN ISA CHS ANO WSH ' +
  'RAM HEN SHE WRI CRV SCO DAK MCL MEE KND SWI CHP LAC YEL REN LIN LYO RDW SIB NIC BRO LES RIC ' +
  'GOO WAB PIP MUR COT WAT BLU WSC STE DOD OLM WIN ROC NOB JAC MRT FAI FRE MOW FIL HOU').split(' ');

// County names to codes, from the program's own county table ("MN<name>","<code>").
const nameToCode = new Map();
for (const line of readFileSync(join(here, 'county2.txt'), 'latin1').split(/\r?\n/)) {
  const m = /^"MN([^"]*)","([^"]*)"/.exec(line);
  if (m) nameToCode.set(m[1].toLowerCase(), m[2]);
}

const topo = JSON.parse(readFileSync(atlasPath, 'utf8'));
const geoms = topo.objects.counties.geometries.filter((g) => g.id.startsWith(STATE_FIPS));
if (geoms.length !== CODES.length) throw new Error(`expected 87 counties, found ${geoms.length}`);

const counties = geoms.map((g) => {
  const code = nameToCode.get(g.properties.name.toLowerCase());
  if (!code) throw new Error(`no code for county "${g.properties.name}"`);
  const index = CODES.indexOf(code);
  if (index < 0) throw new Error(`code ${code} is not a label`);
  const f = topojson.feature(topo, g);
  const polys = f.geometry.type === 'Polygon' ? [f.geometry.coordinates] : f.geometry.coordinates;
  return { code, index, rings: polys.flat() };
});
if (new Set(counties.map((c) => c.code)).size !== CODES.length) throw new Error('duplicate codes');

// Equirectangular projection at the state's middle latitude, fitted into the picture.
let minLon = Infinity, maxLon = -Infinity, minLat = Infinity, maxLat = -Infinity;
for (const c of counties) for (const r of c.rings) for (const [lon, lat] of r) {
  minLon = Math.min(minLon, lon); maxLon = Math.max(maxLon, lon);
  minLat = Math.min(minLat, lat); maxLat = Math.max(maxLat, lat);
}
const k = Math.cos(((minLat + maxLat) / 2) * Math.PI / 180);
const scale = Math.min((W - 2 * MARGIN) / ((maxLon - minLon) * k), (H - 2 * MARGIN) / (maxLat - minLat));
const offX = (W - (maxLon - minLon) * k * scale) / 2;
const offY = (H - (maxLat - minLat) * scale) / 2;
const project = ([lon, lat]) => [offX + (lon - minLon) * k * scale, offY + (maxLat - lat) * scale];
for (const c of counties) c.rings = c.rings.map((r) => r.map(project));

// Which county each pixel centre lies in (scanline even-odd fill of every county).
const owner = new Int16Array(W * H).fill(-1);
for (const c of counties) {
  for (let y = 0; y < H; ++y) {
    const yc = y + 0.5, xs = [];
    for (const r of c.rings) {
      for (let i = 0; i + 1 < r.length; ++i) {
        const [x1, y1] = r[i], [x2, y2] = r[i + 1];
        if ((y1 <= yc) !== (y2 <= yc)) xs.push(x1 + ((yc - y1) / (y2 - y1)) * (x2 - x1));
      }
    }
    xs.sort((a, b) => a - b);
    for (let i = 0; i + 1 < xs.length; i += 2) {
      for (let x = Math.max(0, Math.ceil(xs[i] - 0.5)); x < W && x + 0.5 <= xs[i + 1]; ++x) {
        owner[y * W + x] = c.index;
      }
    }
  }
}

// The picture: white inside the state, grey outside, borders black.
const px = new Uint32Array(W * H);
for (let i = 0; i < W * H; ++i) px[i] = owner[i] >= 0 ? WHITE : GREY;
const plot = (x, y) => { if (x >= 0 && y >= 0 && x < W && y < H) px[y * W + x] = BLACK; };
const line = (x0, y0, x1, y1) => {  // Bresenham, 8-connected
  const dx = Math.abs(x1 - x0), dy = -Math.abs(y1 - y0);
  const sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  let err = dx + dy;
  for (;;) {
    plot(x0, y0);
    if (x0 === x1 && y0 === y1) return;
    const e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
};
const mesh = topojson.mesh(topo, { type: 'GeometryCollection', geometries: geoms });
for (const l of mesh.coordinates) {
  const pts = l.map(project).map(([x, y]) => [Math.floor(x), Math.floor(y)]);
  for (let i = 0; i + 1 < pts.length; ++i) line(pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1]);
}

// Distance of every white pixel from the nearest pixel that is not white (two-pass chamfer 3-4).
const dist = new Float64Array(W * H);
for (let i = 0; i < W * H; ++i) dist[i] = px[i] === WHITE ? 1e9 : 0;
const relax = (i, j, d) => { if (dist[j] + d < dist[i]) dist[i] = dist[j] + d; };
for (let y = 0; y < H; ++y) for (let x = 0; x < W; ++x) {
  const i = y * W + x;
  if (x === 0 || y === 0 || x === W - 1 || y === H - 1) dist[i] = Math.min(dist[i], 1);
  if (x > 0) relax(i, i - 1, 3);
  if (y > 0) { relax(i, i - W, 3); if (x > 0) relax(i, i - W - 1, 4); if (x < W - 1) relax(i, i - W + 1, 4); }
}
for (let y = H - 1; y >= 0; --y) for (let x = W - 1; x >= 0; --x) {
  const i = y * W + x;
  if (x < W - 1) relax(i, i + 1, 3);
  if (y < H - 1) { relax(i, i + W, 3); if (x < W - 1) relax(i, i + W + 1, 4); if (x > 0) relax(i, i + W - 1, 4); }
}

// Each county's label centre: its white pixel farthest from a border.
const centres = CODES.map(() => null);
for (let i = 0; i < W * H; ++i) {
  const c = owner[i];
  if (c < 0 || px[i] !== WHITE) continue;
  if (!centres[c] || dist[i] > dist[centres[c]]) centres[c] = i;
}

// 4-connected white areas; those without a label centre turn grey.
const area = new Int32Array(W * H).fill(-1);
const fill = (seed, id) => {
  const stack = [seed];
  area[seed] = id;
  const cells = [];
  while (stack.length) {
    const i = stack.pop();
    cells.push(i);
    const x = i % W;
    for (const j of [x > 0 ? i - 1 : -1, x < W - 1 ? i + 1 : -1, i - W, i + W]) {
      if (j >= 0 && j < W * H && area[j] < 0 && px[j] === WHITE) { area[j] = id; stack.push(j); }
    }
  }
  return cells;
};
CODES.forEach((code, c) => {
  if (centres[c] === null) throw new Error(`${code} has no white pixel`);
  if (area[centres[c]] >= 0) throw new Error(`${code} shares its area with ${CODES[area[centres[c]]]}`);
  const cells = fill(centres[c], c);
  const foreign = cells.filter((i) => owner[i] !== c).length;
  if (foreign > cells.length / 10) throw new Error(`${code}'s area is mostly another county`);
});
let greyed = 0;
for (let i = 0; i < W * H; ++i) if (px[i] === WHITE && area[i] < 0) { px[i] = GREY; ++greyed; }

// PNG, 8-bit RGB, no interlace.
const crcTable = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k2 = 0; k2 < 8; ++k2) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
const crc32 = (buf) => {
  let c = 0xffffffff;
  for (const b of buf) c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
};
const chunk = (type, data) => {
  const body = Buffer.concat([Buffer.from(type, 'ascii'), data]);
  const out = Buffer.alloc(body.length + 8);
  out.writeUInt32BE(data.length, 0);
  body.copy(out, 4);
  out.writeUInt32BE(crc32(body), body.length + 4);
  return out;
};
const raw = Buffer.alloc(H * (1 + 3 * W));
for (let y = 0; y < H; ++y) {
  const row = y * (1 + 3 * W);
  for (let x = 0; x < W; ++x) {
    const p = px[y * W + x];
    raw[row + 1 + 3 * x] = (p >> 16) & 0xff;
    raw[row + 2 + 3 * x] = (p >> 8) & 0xff;
    raw[row + 3 + 3 * x] = p & 0xff;
  }
}
const ihdr = Buffer.alloc(13);
ihdr.writeUInt32BE(W, 0);
ihdr.writeUInt32BE(H, 4);
ihdr.set([8, 2, 0, 0, 0], 8);
writeFileSync(join(here, 'countymap.png'), Buffer.concat([
  Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
  chunk('IHDR', ihdr), chunk('IDAT', deflateSync(raw, { level: 9 })), chunk('IEND', Buffer.alloc(0)),
]));

// Label rectangles, one line per label in index order: "code",left,top,width,height (pixels).
const lines = CODES.map((code, c) => {
  const x = centres[c] % W, y = Math.floor(centres[c] / W);
  return `"${code}",${x - LABEL_W / 2},${y - LABEL_H / 2},${LABEL_W},${LABEL_H}\r\n`;
});
writeFileSync(join(here, 'countymap.txt'), lines.join(''), 'latin1');
const minDist = Math.min(...centres.map((i) => dist[i] / 3));
console.log(`wrote countymap.png and countymap.txt; ${greyed} stray white pixels greyed; ` +
  `smallest label clearance ${minDist.toFixed(1)} px`);
