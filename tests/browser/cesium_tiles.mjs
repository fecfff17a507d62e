// The tilesets of vesk-cli tiles in a real client: CesiumJS in headless
// Chromium (SwiftShader WebGL), driven by Playwright, served from a local
// HTTP server this script starts, with every other request refused.
//
//   node cesium_tiles.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR
//
// Checks that every block's content loads without an error, that the
// tileset's bounding sphere centre lies within 50 m of the point PROJ's
// cs2cs gives, and that a view looking down on a sheet shows the buildings.
// Skipped (exit 77) with the reason only where CesiumJS, Playwright, Chromium
// or WebGL cannot be had.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, readFileSync, rmSync } from 'node:fs';
import http from 'node:http';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const kSkipped = 77;
const kChromium = '/usr/bin/chromium';
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

// Two sheets side by side in zone 9: (-8000, -36000) and (-6000, -36000).
function makeTilesets() {
  rmSync(workDir, { recursive: true, force: true });
  mkdirSync(path.join(workDir, 'in'), { recursive: true });
  for (const [name, origin] of [['west', '-8000,-36000'], ['east', '-6000,-36000']]) {
    execFileSync(cli, ['sample', path.join(workDir, 'in', `${name}.tqb`), '--origin', origin,
                       '--buildings', '30', '--dem', '21x16', '--texture', '64']);
  }
  for (const [name, options] of [['full', []], ['buildings', ['--no-terrain']]]) {
    execFileSync(cli, ['tiles', path.join(workDir, 'in'), '--out', path.join(workDir, name),
                       '--quiet', ...options]);
  }
}

// Where the centre should be: the middle of the two sheets at the middle of
// the heights, from cs2cs (northing first); in degrees, that middle and the
// west sheet's centre.
function expectedPoints() {
  const root = JSON.parse(readFileSync(path.join(workDir, 'full', 'tileset.json'), 'utf8'));
  const region = root.root.boundingVolume.region;
  const height = (region[4] + region[5]) / 2;
  const run = (target, input) => execFileSync('cs2cs', ['-f', '%.6f', 'EPSG:2451', target],
                                              { input }).toString().trim().split(/\s+/).map(Number);
  const centre = run('EPSG:4978', `-35250 -6000 ${height}\n`);
  const degrees = (input) => {
    const [latitude, longitude] = run('EPSG:4326', input);
    return { longitude, latitude };
  };
  return { centre, overview: degrees('-35250 -6000\n'), lookAt: degrees('-35250 -7000\n') };
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

function distance(a, b) {
  return Math.hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

makeTilesets();
const expected = expectedPoints();
const server = await serve();
const origin = `http://127.0.0.1:${server.address().port}`;
const browser = await chromium.launch({
  executablePath: kChromium, args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader'] });
let status = 1;
try {
  const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
  const outside = [];
  await page.route('**/*', (route) => {
    if (route.request().url().startsWith(origin)) {
      return route.continue();
    }
    outside.push(route.request().url());
    return route.abort();
  });
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(`${origin}/`);
  const result = await page.evaluate(([overview, lookAt]) => window.runChecks(overview, lookAt),
                                     [expected.overview, expected.lookAt]);
  if (!result.webgl) {
    console.log('SKIPPED: Chromium offers no WebGL here (SwiftShader missing?)');
    process.exitCode = kSkipped;
  } else {
    await page.screenshot({ path: path.join(workDir, 'buildings.png') });
    const off = distance(result.centre, expected.centre);
    const checks = [
      [result.loaded.length === 50, `${result.loaded.length} of 50 blocks loaded`],
      [result.failed.length === 0, `failed tiles: ${result.failed.join('; ') || 'none'}`],
      [off < 50, `bounding sphere centre ${off.toFixed(1)} m from PROJ's point`],
      [result.buildingShare > 0.02,
       `the buildings change ${(100 * result.buildingShare).toFixed(1)} % of the view ` +
       `(screenshot ${path.join(workDir, 'buildings.png')})`],
      [outside.length === 0, `requests off the local server: ${outside.join(', ') || 'none'}`],
      [errors.length === 0, `page errors: ${errors.join('; ') || 'none'}`],
    ];
    for (const [ok, text] of checks) {
      console.log(`${ok ? 'ok  ' : 'FAIL'} ${text}`);
    }
    status = checks.every(([ok]) => ok) ? 0 : 1;
    process.exitCode = status;
  }
} finally {
  await browser.close();
  server.close();
}
