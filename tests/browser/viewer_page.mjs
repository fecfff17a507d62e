// The page of vesk-cli view in a real browser: CesiumJS in headless Chromium
// (SwiftShader WebGL) driven by Playwright, on the address the command
// prints. It loads every tile with none failed and nothing asked of any host
// but 127.0.0.1; a click on a building (found in the block's OBJ export, placed
// by cs2cs) shows its number, heights and block in the panel; colouring by
// height changes the building's pixels and shows the legend.
//
//   node viewer_page.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR
//
// Skipped (exit 77) with the reason only where CesiumJS, Playwright, Chromium
// or WebGL cannot be had. Ends by itself: every wait has a limit, and the
// browser and the server are closed whatever happened.
import { spawn } from 'node:child_process';
import { existsSync, mkdirSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

import { centreBlock, ellipsoidal, report, run, targetBuilding, withLimit } from './sheet_facts.mjs';

const kSkipped = 77;
const kChromium = '/usr/bin/chromium';
const kWatchdogMs = 280_000;
const [cli, toolsDir, workDir] = process.argv.slice(2);
if (!cli || !toolsDir || !workDir) {
  console.error('usage: node viewer_page.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR');
  process.exit(2);
}
const playwright = path.join(toolsDir, 'node_modules', 'playwright-core');
for (const [what, where] of [['Playwright', playwright], ['Chromium', kChromium]]) {
  if (!existsSync(where)) {
    console.log(`SKIPPED: ${what} is not installed (${where}); scripts/deps.sh installs it`);
    process.exit(kSkipped);
  }
}
const { chromium } = createRequire(path.resolve(toolsDir, 'package.json'))('playwright-core');

function makeTileset() {
  rmSync(workDir, { recursive: true, force: true });
  mkdirSync(path.join(workDir, 'in'), { recursive: true });
  const sheet = path.join(workDir, 'in', 'town.tqb');
  run([cli, 'sample', sheet, '--origin', '-6000,-34500', '--buildings', '30', '--dem', '21x16',
       '--texture', '64']);
  run([cli, 'tiles', path.join(workDir, 'in'), '--out', path.join(workDir, 'city'), '--quiet']);
  const { block, groups } = centreBlock(cli, sheet, path.join(workDir, 'obj'));
  const target = targetBuilding(block, groups);
  const [roof] = ellipsoidal([{ ...target, height: target.roof }]);
  return { block, building: { ...target, ...roof } };
}

function startView(folder) {
  const child = spawn(cli, ['view', folder, '--no-open'], { stdio: ['ignore', 'pipe', 'inherit'] });
  const url = new Promise((resolve) => {
    let out = '';
    child.stdout.on('data', (data) => {
      out += data;
      if (out.includes('\n')) resolve(out.split('\n')[0]);
    });
    child.on('exit', () => resolve(null));
  });
  return { child, url: withLimit(url, 20_000, 'vesk-cli view to print its address') };
}

// In the page: once every tile the view asks for has loaded and stayed so
// for 10 frames.
async function settle(page) {
  await page.evaluate(() => new Promise((resolve, reject) => {
    const { viewer, tileset } = window.vesk;
    let calm = 0;
    const timer = setTimeout(() => { remove(); reject(new Error('the tiles did not settle')); }, 150_000);
    const remove = viewer.scene.postRender.addEventListener(() => {
      calm = tileset.tilesLoaded ? calm + 1 : 0;
      if (calm === 10) { clearTimeout(timer); remove(); resolve(); }
    });
  }));
}

// Looks down at the building from 300 m above its roof; its roof's middle on the screen.
async function lookAtBuilding(page, building) {
  await page.evaluate((b) => {
    window.vesk.viewer.camera.setView({
      destination: Cesium.Cartesian3.fromDegrees(b.longitude, b.latitude, b.height + 300),
      orientation: { heading: 0, pitch: -Cesium.Math.PI_OVER_TWO, roll: 0 } });
  }, building);
  await settle(page);
  return page.evaluate((b) => {
    const at = Cesium.SceneTransforms.worldToWindowCoordinates(window.vesk.viewer.scene,
      Cesium.Cartesian3.fromDegrees(b.longitude, b.latitude, b.height));
    return { x: Math.round(at.x), y: Math.round(at.y) };
  }, building);
}

function pixelAt(page, at) {
  return page.evaluate(async ({ x, y }) => {
    const { viewer } = window.vesk;
    await new Promise((resolve) => {
      let left = 5;
      const remove = viewer.scene.postRender.addEventListener(() => {
        if (--left === 0) { remove(); resolve(); }
      });
    });
    const canvas = viewer.scene.canvas;
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    copy.getContext('2d').drawImage(canvas, 0, 0);
    return [...copy.getContext('2d').getImageData(x, y, 1, 1).data.slice(0, 3)];
  }, at);
}

async function panelText(page) {
  await page.waitForSelector('#building:not([hidden])', { timeout: 10_000 });
  return page.evaluate(() => Object.fromEntries(
    ['number', 'bottom', 'roof', 'height', 'area', 'block', 'sheet']
      .map((name) => [name, document.getElementById(`b-${name}`).textContent])));
}

async function check(browser, url, expected) {
  const page = await browser.newPage({ viewport: { width: 640, height: 480 } });
  const origin = new URL(url).origin;
  const outside = [];
  await page.route('**/*', (route) => {
    const asked = route.request().url();
    if (!asked.startsWith(origin)) {
      outside.push(asked);
      return route.abort();
    }
    return route.continue();
  });
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  // CesiumJS is 5 MB of script: on a busy machine it takes more than the default 30 s.
  await page.goto(url, { waitUntil: 'domcontentloaded', timeout: 120_000 });
  const webgl = await page.evaluate(() => !!document.createElement('canvas').getContext('webgl2'));
  if (!webgl) return { webgl };
  await page.waitForFunction(() => window.vesk.ready || window.vesk.error, null, { timeout: 120_000 });
  await settle(page);
  const at = await lookAtBuilding(page, expected.building);
  await page.mouse.click(at.x, at.y);
  const panel = await panelText(page);
  const plain = await pixelAt(page, at);
  await page.click('#by-height');
  const coloured = await pixelAt(page, at);
  const legendRows = await page.locator('#legend div').count();
  const failed = await page.evaluate(() => window.vesk.failed);
  return { webgl, panel, plain, coloured, legendRows, failed, outside, errors,
           error: await page.evaluate(() => window.vesk.error ?? null) };
}

function judge(result, expected) {
  const { building, block } = expected;
  const metres = (value) => `${value.toFixed(2)} m`;
  const p = result.panel;
  const change = result.plain.reduce((sum, v, k) => sum + Math.abs(v - result.coloured[k]), 0);
  return [
    [result.error === null, `the page started: ${result.error ?? 'yes'}`],
    [p.number === String(building.number), `the panel's number ${p.number}, expected ${building.number}`],
    [p.bottom === metres(building.bottom) && p.roof === metres(building.roof) &&
     p.height === metres(building.roof - building.bottom),
     `the panel's heights ${p.bottom}, ${p.roof}, ${p.height}; expected ` +
     `${metres(building.bottom)}, ${metres(building.roof)}, ${metres(building.roof - building.bottom)}`],
    [/^\d+(\.\d)? m²$/.test(p.area) && parseFloat(p.area) > 0, `the panel's area: ${p.area}`],
    [p.block === `13 (${block.output_name})` && p.sheet === 'town.tqb',
     `the panel's block "${p.block}" and sheet "${p.sheet}"`],
    [change > 60, `colouring by height changes the building's pixel: ${result.plain} to ${result.coloured}`],
    [result.legendRows === 5, `the legend's rows: ${result.legendRows}`],
    [result.failed.length === 0, `failed tiles: ${result.failed.join('; ') || 'none'}`],
    [result.outside.length === 0, `requests off 127.0.0.1: ${result.outside.join(', ') || 'none'}`],
    [result.errors.length === 0, `page errors: ${result.errors.join('; ') || 'none'}`],
  ];
}

let browser = null;
let view = null;
const watchdog = setTimeout(() => {
  console.log(`FAIL the check did not end within ${kWatchdogMs / 1000} s`);
  view?.child.kill('SIGKILL');
  process.exit(1);
}, kWatchdogMs);
let status = 1;
try {
  const expected = makeTileset();
  view = startView(path.join(workDir, 'city'));
  const url = await view.url;
  if (url === null) {
    console.log('SKIPPED: vesk-cli view did not start (are the viewer\'s files installed?)');
    status = kSkipped;
  } else {
    browser = await chromium.launch({
      executablePath: kChromium, args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader'] });
    const result = await withLimit(check(browser, url, expected), 250_000, 'the browser checks');
    if (!result.webgl) {
      console.log('SKIPPED: Chromium offers no WebGL here (SwiftShader missing?)');
      status = kSkipped;
    } else {
      status = report(judge(result, expected));
    }
  }
} catch (error) {
  console.log(`FAIL ${error.stack ?? error}`);
  status = 1;
} finally {
  await Promise.race([browser?.close(), new Promise((r) => setTimeout(r, 10_000))]);
  view?.child.kill('SIGTERM');
  clearTimeout(watchdog);
  process.exit(status);
}
