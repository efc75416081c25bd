// Rasterises the geo page's world map: Natural Earth land polygons (public domain, 1:50m, from the
// world-atlas package) in an equirectangular projection of 1000 x 500 pixels, longitude -180 at the
// left edge and latitude +90 at the top, land and sea in two calm colours.
//
// Run by hand, not by the build:  npm ci && node make_worldmap.mjs ../../astro/resources/worldmap.png
//
// d3-geo projects the spherical polygons (cutting them at the antimeridian and closing Antarctica
// along the bottom edge); the rings are then filled here with the even-odd rule on a 4 x 4 grid of
// samples per pixel, so the coasts are smooth and the output is the same on every machine.
import { writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { geoEquirectangular, geoPath } from "d3-geo";
import { feature } from "topojson-client";
import { PNG } from "pngjs";

const Width = 1000;
const Height = 500;
const Samples = 4; // per pixel and direction
const Sea = [88, 124, 150];
const Land = [160, 178, 136];

const require = createRequire(import.meta.url);
const topology = require("world-atlas/land-50m.json");
const land = feature(topology, topology.objects.land);

// 360 degrees of longitude over the width; the centre of the map is (0, 0).
const projection = geoEquirectangular()
  .scale(Width / (2 * Math.PI))
  .translate([Width / 2, Height / 2])
  .precision(0.1);

// Collects the projected rings as closed lists of points.
const rings = [];
let current = null;
const recorder = {
  moveTo(x, y) {
    current = [[x, y]];
    rings.push(current);
  },
  lineTo(x, y) {
    current.push([x, y]);
  },
  closePath() {},
  arc() {},
  rect() {},
};
geoPath(projection, recorder)(land);

// Edges of all rings, each from a point to the next, the last one back to the first.
const edges = [];
for (const ring of rings)
  for (let i = 0; i < ring.length; ++i) {
    const [x0, y0] = ring[i];
    const [x1, y1] = ring[(i + 1) % ring.length];
    if (y0 !== y1) edges.push([x0, y0, x1, y1]);
  }

// Coverage of each pixel: the share of its samples that lie inside an odd number of rings.
const coverage = new Float64Array(Width * Height);
const columns = Width * Samples;
for (let row = 0; row < Height * Samples; ++row) {
  const y = (row + 0.5) / Samples;
  const crossings = [];
  for (const [x0, y0, x1, y1] of edges)
    if ((y0 <= y && y < y1) || (y1 <= y && y < y0)) crossings.push(x0 + ((y - y0) * (x1 - x0)) / (y1 - y0));
  crossings.sort((a, b) => a - b);
  const line = Math.floor(row / Samples) * Width;
  for (let i = 0; i + 1 < crossings.length; i += 2) {
    // Samples whose centre (column + 0.5) / Samples lies within the span.
    const first = Math.max(0, Math.ceil(crossings[i] * Samples - 0.5));
    const last = Math.min(columns - 1, Math.ceil(crossings[i + 1] * Samples - 0.5) - 1);
    for (let column = first; column <= last; ++column)
      coverage[line + Math.floor(column / Samples)] += 1 / (Samples * Samples);
  }
}

const png = new PNG({ width: Width, height: Height, colorType: 2 });
for (let i = 0; i < Width * Height; ++i) {
  const share = Math.min(1, coverage[i]);
  for (let c = 0; c < 3; ++c) png.data[4 * i + c] = Math.round(Sea[c] + (Land[c] - Sea[c]) * share);
  png.data[4 * i + 3] = 255;
}

const output = process.argv[2] ?? "worldmap.png";
writeFileSync(output, PNG.sync.write(png, { colorType: 2 }));
console.error(`${output}: ${rings.length} rings, ${edges.length} edges`);
