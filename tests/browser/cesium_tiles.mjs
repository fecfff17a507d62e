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
import { existsSync, mkdirSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import http from 'node:http';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { centreBlock, ellipsoidal, report, run, targetBuilding, withLimit } from './sheet_facts.mjs';

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

function groundPoints(workDir) {
  const sheet = path.join(workDir, 'bare', 'bare.tqb');
  const { block, groups } = centreBlock(cli, sheet, path.join(workDir, 'obj'));
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
    const { block, groups } = centreBlock(cli, path.join(workDir, 'in', 's11.tqb'),
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
