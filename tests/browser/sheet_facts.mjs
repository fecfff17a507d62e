// Facts about sample sheets that the browser tests check what they see
// against: a block's buildings from its OBJ export, and positions from
// cs2cs, both outside the code under test; and the tests' shared ways to end.
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import path from 'node:path';

export const run = (args, input) => execFileSync(args[0], args.slice(1), { input }).toString();

// The middle sheet's middle block, as `info` gives it, and its OBJ export.
export function centreBlock(cli, sheet, objFolder) {
  const info = JSON.parse(run([cli, 'info', sheet, '--json']));
  const block = info.subsheets.find((b) => b.number === 12);
  run([cli, 'export', sheet, '--block', '13', '--format', 'obj', '--out', objFolder]);
  const obj = readFileSync(path.join(objFolder, `${block.output_name}.obj`), 'utf8');
  return { block, groups: objGroups(obj) };
}

// Each group's vertices (x east, y height, z south of the block's origin),
// read through the faces that follow its name.
function objGroups(obj) {
  const vertices = [];
  const groups = new Map();
  let group = null;
  for (const line of obj.split('\n')) {
    const fields = line.trim().split(/\s+/);
    if (fields[0] === 'v') {
      vertices.push(fields.slice(1, 4).map(Number));
    } else if (fields[0] === 'g') {
      group = fields[1];
      groups.set(group, new Set());
    } else if (fields[0] === 'f' && group !== null) {
      for (const corner of fields.slice(1)) {
        groups.get(group).add(Number(corner.split('/')[0]) - 1);
      }
    }
  }
  return new Map([...groups].map(([name, indices]) => [name, [...indices].map((k) => vertices[k])]));
}

// The building with the widest footprint, its roof's middle and its heights.
export function targetBuilding(block, groups) {
  let best = null;
  for (const [name, points] of groups) {
    const match = /^building(\d+)$/.exec(name);
    if (!match) continue;
    const xs = points.map((p) => p[0]);
    const zs = points.map((p) => p[2]);
    const ys = points.map((p) => p[1]);
    const width = Math.min(Math.max(...xs) - Math.min(...xs), Math.max(...zs) - Math.min(...zs));
    if (!best || width > best.width) {
      best = { number: Number(match[1]), width, bottom: Math.min(...ys), roof: Math.max(...ys),
               easting: block.x + (Math.max(...xs) + Math.min(...xs)) / 2,
               northing: block.y - (Math.max(...zs) + Math.min(...zs)) / 2 };
    }
  }
  return best;
}

// cs2cs: zone 9 with sea-level heights (EGM96) to WGS 84 with heights above the ellipsoid.
export function ellipsoidal(points) {
  const input = points.map((p) => `${p.northing} ${p.easting} ${p.height}`).join('\n') + '\n';
  return run(['cs2cs', '-f', '%.9f', 'EPSG:2451+5773', 'EPSG:4979'], input).trim().split('\n')
      .map((line) => {
        const [latitude, longitude, height] = line.trim().split(/\s+/).map(Number);
        return { longitude, latitude, height };
      });
}

export function withLimit(promise, ms, what) {
  let timer;
  const limit = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`${what} took longer than ${ms / 1000} s`)), ms);
  });
  return Promise.race([promise, limit]).finally(() => clearTimeout(timer));
}

export function report(checks) {
  for (const [ok, text] of checks) {
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${text}`);
  }
  return checks.every(([ok]) => ok) ? 0 : 1;
}
