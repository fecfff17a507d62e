// vesk-cli view as a web server, asked by a plain HTTP client: it serves the
// page, CesiumJS and the tileset with their media types, and answers 404 to
// every way out of its folders (.., its percent-encodings, a symbolic link
// that leads outside, a folder); a folder without a tileset and a port in use
// are told in one line each; SIGTERM ends it within a second, leaving the
// tileset's folder as it was.
//
//   node viewer_server.mjs VESK_CLI WORK_DIR
//
// Skipped (exit 77) only where the viewer's files (CesiumJS) are not there.
// Ends by itself: every wait has a limit, and the servers are killed whatever happened.
import { spawn } from 'node:child_process';
import { mkdirSync, readdirSync, rmSync, symlinkSync, writeFileSync } from 'node:fs';
import net from 'node:net';
import path from 'node:path';

import { report, run, withLimit } from './sheet_facts.mjs';

const kSkipped = 77;
const [cli, workDir] = process.argv.slice(2);
if (!cli || !workDir) {
  console.error('usage: node viewer_server.mjs VESK_CLI WORK_DIR');
  process.exit(2);
}
const started = [];

// The command's first line on standard output, or its end.
function startView(args) {
  const child = spawn(cli, ['view', ...args, '--no-open'], { stdio: ['ignore', 'pipe', 'pipe'] });
  started.push(child);
  let out = '';
  let err = '';
  child.stdout.on('data', (data) => { out += data; });
  child.stderr.on('data', (data) => { err += data; });
  const ended = new Promise((resolve) => child.on('exit', (code) => resolve(code)));
  const url = new Promise((resolve) => {
    child.stdout.on('data', () => { if (out.includes('\n')) resolve(out.split('\n')[0]); });
    ended.then(() => resolve(null));
  });
  return { child, ended, url: withLimit(url, 20_000, 'vesk-cli view to print its address'),
           stderr: () => err };
}

// A request written byte for byte, so that no client tidies its path first.
function rawGet(port, target) {
  return withLimit(new Promise((resolve, reject) => {
    const socket = net.connect(port, '127.0.0.1', () => {
      socket.write(`GET ${target} HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n`);
    });
    let answer = '';
    socket.setEncoding('latin1');
    socket.on('data', (data) => { answer += data; });
    socket.on('end', () => {
      const status = Number(/^HTTP\/1\.1 (\d+)/.exec(answer)?.[1]);
      const type = /\r\ncontent-type: ([^\r]*)/i.exec(answer)?.[1] ?? '';
      resolve({ status, type, body: answer.slice(answer.indexOf('\r\n\r\n') + 4) });
    });
    socket.on('error', reject);
  }), 10_000, `GET ${target}`);
}

function makeTileset() {
  rmSync(workDir, { recursive: true, force: true });
  mkdirSync(path.join(workDir, 'in'), { recursive: true });
  mkdirSync(path.join(workDir, 'empty'));
  writeFileSync(path.join(workDir, 'secret.txt'), 'not to be served\n');
  run([cli, 'sample', path.join(workDir, 'in', 's.tqb'), '--buildings', '5', '--dem', '5x5',
       '--texture', '16']);
  run([cli, 'tiles', path.join(workDir, 'in'), '--out', path.join(workDir, 'city'), '--quiet']);
  symlinkSync(workDir, path.join(workDir, 'city', 'out'));
  const sheet = readdirSync(path.join(workDir, 'city', 'sheets'))[0];
  const block = readdirSync(path.join(workDir, 'city', 'sheets', sheet))
      .find((name) => /^\d\w+\.glb$/.test(name));
  return `sheets/${sheet}/${block}`;
}

async function served(port, block) {
  const wanted = [
    ['/', 'text/html'], ['/viewer.js', 'text/javascript'], ['/viewer.css', 'text/css'],
    ['/tiles/tileset.json', 'application/json'], [`/tiles/${block}`, 'model/gltf-binary'],
    ['/cesium/Cesium.js', 'text/javascript'], ['/cesium/ThirdParty/draco_decoder.wasm', 'application/wasm'],
    ['/cesium/Assets/Textures/NaturalEarthII/0/0/0.jpg', 'image/jpeg'],
    ['/cesium/Widgets/Images/ImageryProviders/openStreetMap.png', 'image/png'],
  ];
  const checks = [];
  for (const [target, type] of wanted) {
    const answer = await rawGet(port, target);
    checks.push([answer.status === 200 && answer.type.startsWith(type),
                 `${target}: ${answer.status} ${answer.type} (wanted 200 ${type})`]);
  }
  return checks;
}

async function refused(port) {
  const tricks = ['/tiles/../secret.txt', '/tiles/%2e%2e/secret.txt', '/tiles/%2E%2E%2Fsecret.txt',
                  '/tiles/..%2fsecret.txt', '/tiles/out/secret.txt', '/tiles/', '/tiles/sheets',
                  '/tiles//tileset.json', '/cesium/../index.html', '//etc/passwd',
                  '/%2e%2e/%2e%2e/%2e%2e/etc/passwd', '/tiles/./tileset.json'];
  const checks = [];
  for (const target of tricks) {
    const answer = await rawGet(port, target);
    checks.push([answer.status === 404 && !answer.body.includes('not to be served'),
                 `${target}: ${answer.status} (wanted 404)`]);
  }
  return checks;
}

async function mistakes(port) {
  const noTileset = startView([path.join(workDir, 'empty')]);
  const portTaken = startView([path.join(workDir, 'city'), '--port', String(port)]);
  const [noCode, takenCode] = await withLimit(Promise.all([noTileset.ended, portTaken.ended]),
                                              20_000, 'the refused starts to end');
  const shared = startView([path.join(workDir, 'city'), '--host', '0.0.0.0']);
  await shared.url;
  shared.child.kill('SIGTERM');
  await withLimit(shared.ended, 10_000, 'the shared server to stop');
  return [
    [noCode === 1 && /holds no tileset\.json/.test(noTileset.stderr()),
     `a folder without a tileset: exit ${noCode}, "${noTileset.stderr().trim()}"`],
    [takenCode === 1 && portTaken.stderr().includes(`port ${port} is in use`),
     `a port in use: exit ${takenCode}, "${portTaken.stderr().trim()}"`],
    [/anyone who reaches this port can read the tileset/.test(shared.stderr()),
     `--host 0.0.0.0 warns: "${shared.stderr().trim()}"`],
  ];
}

async function stops(view, before) {
  const start = performance.now();
  view.child.kill('SIGTERM');
  const code = await withLimit(view.ended, 10_000, 'the server to stop');
  const ms = performance.now() - start;
  const after = readdirSync(path.join(workDir, 'city')).sort().join(',');
  return [[code === 0 && ms < 1000, `SIGTERM: exit ${code} after ${ms.toFixed(0)} ms`],
          [after === before, `the tileset's folder after: ${after}`]];
}

let status = 1;
try {
  const block = makeTileset();
  const before = readdirSync(path.join(workDir, 'city')).sort().join(',');
  const view = startView([path.join(workDir, 'city')]);
  const url = await view.url;
  if (url === null && /viewer's files are not installed/.test(view.stderr())) {
    console.log(`SKIPPED: ${view.stderr().trim()}`);
    status = kSkipped;
  } else {
    const port = Number(new URL(url).port);
    const checks = [[/^http:\/\/127\.0\.0\.1:\d+\/$/.test(url), `the address printed: ${url}`],
                    ...await served(port, block), ...await refused(port),
                    ...await mistakes(port), ...await stops(view, before)];
    status = report(checks);
  }
} catch (error) {
  console.log(`FAIL ${error.stack ?? error}`);
  status = 1;
} finally {
  for (const child of started) {
    if (child.exitCode === null && child.signalCode === null) child.kill('SIGKILL');
  }
  process.exit(status);
}
