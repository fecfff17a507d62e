// The tilesets of vesk-cli tiles in a real client: CesiumJS in headless
// Chromium (SwiftShader WebGL), driven by Playwright, served from a local
// HTTP server this script starts, with every other request refused.
//
//   node cesium_tiles.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR
//
// A collection of 3 x 3 sheets: seen from 8 km it shows the sheets' light
// models and requests no block; from 500 m over one block the blocks replace
// them; a click on a building (found in the block's OBJ export) gives that
// building's number and heights, and a style on ${height} paints it; the
// ground of a sheet without buildings lies within 0.5 m of the ellipsoidal
// heights cs2cs gives for its grid points. Skipped (exit 77) with the reason only where CesiumJS, Playwright,
// Chromium or WebGL cannot be had. The script ends by itself: every wait has
// a limit, and the browser and the server are closed whatever happened.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import http from 'node:http';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const kSkipped = 77;
const kChromium = '/usr/bin/chromium';
const kWatchdogMs = 280_000;
const [cli, toolsDir, workDir] = process.argv.slice(2);
if (!cli || !toolsDir || !workDir) {
  console.error('usage: node cesium_tiles.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR');
  process.exit(2);
}
const cesiumBuild = path.join(toolsDir, 'node_modules', 'cesium', 'Build', 'Cesium');
for (const [what, where] of [['CesiumJS', cesiumBuild],
                             ['Playwright', path.join(toolsDir, 'node_modules', 'playwright-core')],
                             ['Chromium', kChromium]]) {
  if (!existsSync(where)) {
    console.log(`SKIPPED: ${what} is not installed (${where}); scripts/deps.sh installs it ` +
                '(vesk_install_browser_tools, Debian chromium)');
    process.exit(kSkipped);
  }
}
const { chromium } = createRequire(path.resolve(toolsDir, 'package.json'))('playwright-core');

const run = (args, input) => execFileSync(args[0], args.slice(1), { input }).toString();

// 3 x 3 sheets of zone 9 around (-6000, -34500), and the middle one again
// without buildings for the ground's heights.
function makeTilesets() {
  rmSync(workDir, { recursive: true, force: true });
  mkdirSync(path.join(workDir, 'in'), { recursive: true });
  mkdirSync(path.join(workDir, 'bare'), { recursive: true });
  mkdirSync(path.join(workDir, 'obj'), { recursive: true });
  for (let i = 0; i < 3; ++i) {
    for (let j = 0; j < 3; ++j) {
      run([cli, 'sample', path.join(workDir, 'in', `s${i}${j}.tqb`), '--origin',
           `${-8000 + 2000 * i},${-36000 + 1500 * j}`, '--seed', `${3 * i + j}`,
           '--buildings', '30', '--dem', '21x16', '--texture', '64']);
    }
  }
  run([cli, 'sample', path.join(workDir, 'bare', 'bare.tqb'), '--origin', '-6000,-34500',
       '--without', 'buildings', '--dem', '21x16', '--texture', '64']);
  run([cli, 'tiles', path.join(workDir, 'in'), '--out', path.join(workDir, 'city'), '--quiet']);
  run([cli, 'tiles', path.join(workDir, 'bare'), '--out', path.join(workDir, 'ground'), '--quiet']);
}

// The middle sheet's middle block, as `info` gives it, and its OBJ export.
function centreBlock(sheet, objFolder) {
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
function targetBuilding(block, groups) {
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
function ellipsoidal(points) {
  const input = points.map((p) => `${p.northing} ${p.easting} ${p.height}`).join('\n') + '\n';
  return run(['cs2cs', '-f', '%.9f', 'EPSG:2451+5773', 'EPSG:4979'], input).trim().split('\n')
      .map((line) => {
        const [latitude, longitude, height] = line.trim().split(/\s+/).map(Number);
        return { longitude, latitude, height };
      });
}

function groundPoints(workDir) {
  const sheet = path.join(workDir, 'bare', 'bare.tqb');
  const { block, groups } = centreBlock(sheet, path.join(workDir, 'obj'));
  const terrain = groups.get('terrain');
  const picked = [0, 37, 101, 205, 300].map((k) => terrain[k % terrain.length]);
  return ellipsoidal(picked.map((p) => ({ easting: block.x + p[0], northing: block.y - p[2],
                                          height: p[1] })));
}

const kTypes = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
                 '.json': 'application/json', '.glb': 'model/gltf-binary',
                 '.wasm': 'application/wasm', '.png': 'image/png', '.jpg': 'image/jpeg' };

function serve() {
  const page = path.join(path.dirname(fileURLToPath(import.meta.url)), 'cesium_tiles.html');
  const roots = [['/cesium/', cesiumBuild], ['/tiles/', workDir]];
  const server = http.createServer((request, response) => {
    const url = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    let file = url === '/' ? page : null;
    for (const [prefix, root] of roots) {
      if (url.startsWith(prefix)) {
        file = path.join(root, path.normalize(url.slice(prefix.length)));
      }
    }
    if (!file || !existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': kTypes[path.extname(file)] ?? 'application/octet-stream' });
    response.end(readFileSync(file));
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

function withLimit(promise, ms, what) {
  let timer;
  const limit = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`${what} took longer than ${ms / 1000} s`)), ms);
  });
  return Promise.race([promise, limit]).finally(() => clearTimeout(timer));
}

function report(checks) {
  for (const [ok, text] of checks) {
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${text}`);
  }
  return checks.every(([ok]) => ok) ? 0 : 1;
}

function judge(result, expected, outside, errors) {
  const near = (a, b, d) => Math.abs(a - b) <= d;
  const picked = result.picked ?? {};
  const target = expected.building;
  const groundOff = result.ground.map((h, k) => Math.abs(h - expected.ground[k].height));
  const styled = result.near.styled;
  return [
    [result.far.sheets === 9, `from 8 km: ${result.far.sheets} of 9 sheets' light models loaded`],
    [result.far.blocksRequested === 0,
     `from 8 km: block contents requested: ${result.far.blocksRequested}`],
    [result.far.share > 0.02,
     `from 8 km: the light models change ${(100 * result.far.share).toFixed(1)} % of the view`],
    [result.near.blockShown && !result.near.sheetShown,
     `from 500 m: the block is drawn (${result.near.blockShown}), its sheet's light model ` +
     `is not (${result.near.sheetShown})`],
    [picked.number === target.number && near(picked.bottom, target.bottom, 0.01) &&
     near(picked.roof, target.roof, 0.01) && near(picked.height, target.roof - target.bottom, 0.01),
     `picked building ${picked.number} (bottom ${picked.bottom}, roof ${picked.roof}, height ` +
     `${picked.height}, area ${picked.area}); expected ${target.number} ` +
     `(${target.bottom.toFixed(2)}, ${target.roof.toFixed(2)})`],
    [picked.area > 0, `the picked building's footprint area: ${picked.area}`],
    [styled && styled[0] > 60 && styled[0] > 2 * styled[1] && styled[0] > 2 * styled[2],
     `a style on \${height} paints the building red: rgb ${styled}`],
    [groundOff.length === 5 && groundOff.every((d) => d < 0.5),
     `ground heights off cs2cs's ellipsoidal heights by ${groundOff.map((d) => d.toFixed(3)).join(', ')} m`],
    [result.failed.length === 0, `failed tiles: ${result.failed.join('; ') || 'none'}`],
    [outside.length === 0, `requests off the local server: ${outside.join(', ') || 'none'}`],
    [errors.length === 0, `page errors: ${errors.join('; ') || 'none'}`],
  ];
}

async function check(browser, origin, expected) {
  const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
  const outside = [];
  const blockRequests = [];
  await page.route('**/*', (route) => {
    const url = route.request().url();
    if (!url.startsWith(origin)) {
      outside.push(url);
      return route.abort();
    }
    if (/\/city\/sheets\/[^/]+\/(?!sheet\.glb)[^/]+\.glb$/.test(url)) {
      blockRequests.push(url);
    }
    return route.continue();
  });
  await page.exposeFunction('blockRequestCount', () => blockRequests.length);
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(`${origin}/`);
  const result = await page.evaluate((e) => window.runChecks(e), expected);
  if (result.webgl) {
    await page.screenshot({ path: path.join(workDir, 'near.png') });
  }
  return { result, outside, errors };
}

let browser = null;
let server = null;
const watchdog = setTimeout(() => {
  console.log(`FAIL the check did not end within ${kWatchdogMs / 1000} s`);
  process.exit(1);
}, kWatchdogMs);
let status = 1;
try {
  makeTilesets();
  const building = (() => {
    const { block, groups } = centreBlock(path.join(workDir, 'in', 's11.tqb'),
                                          path.join(workDir, 'obj'));
    const target = targetBuilding(block, groups);
    const [roofCentre] = ellipsoidal([{ ...target, height: target.roof }]);
    return { ...target, ...roofCentre };
  })();
  const [far] = ellipsoidal([{ easting: -6000, northing: -34500 + 750, height: 0 }]);
  const expected = { far, building, ground: groundPoints(workDir) };
  server = await serve();
  browser = await chromium.launch({
    executablePath: kChromium, args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader'] });
  const origin = `http://127.0.0.1:${server.address().port}`;
  const { result, outside, errors } =
      await withLimit(check(browser, origin, expected), 250_000, 'the browser checks');
  if (!result.webgl) {
    console.log('SKIPPED: Chromium offers no WebGL here (SwiftShader missing?)');
    status = kSkipped;
  } else {
    console.log(`seconds from afar, near and on the ground: ${result.seconds.join(', ')}`);
    status = report(judge(result, expected, outside, errors));
  }
} catch (error) {
  console.log(`FAIL ${error.stack ?? error}`);
  status = 1;
} finally {
  await Promise.race([browser?.close(), new Promise((r) => setTimeout(r, 10_000))]);
  server?.closeAllConnections();
  server?.close();
  clearTimeout(watchdog);
  // Whatever a library left running, the test ends here.
  process.exit(status);
}
