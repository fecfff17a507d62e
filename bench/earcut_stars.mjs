// npm's earcut on the corners that vesk_export_benchmark's BM_EarClipFootprints
// writes (the same footprints its ear clipper is timed on), one thread, the
// median of 50 rounds after 20 that let the JIT compile.
//
//   node bench/earcut_stars.mjs BUILD_DIR/node_tools [FOOTPRINTS_JSON]
//
// The file is by default the stars block's, footprints-0.json in the
// benchmark's folder of the temporary directory.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const [tools, file = join(tmpdir(), 'vesk-bench-export', 'footprints-0.json')] =
    process.argv.slice(2);
if (!tools) {
    console.error('usage: node bench/earcut_stars.mjs BUILD_DIR/node_tools [FOOTPRINTS_JSON]');
    process.exit(2);
}
const earcutPath = createRequire(join(resolve(tools), 'package.json')).resolve('earcut');
const { default: earcut } = await import(pathToFileURL(earcutPath));
const footprints = JSON.parse(readFileSync(file, 'utf8'));

function triangulateAll() {
    let triangles = 0;
    for (const corners of footprints) {
        triangles += earcut(corners).length / 3;
    }
    return triangles;
}

for (let round = 0; round < 20; ++round) {
    triangulateAll();
}
const times = [];
let triangles = 0;
for (let round = 0; round < 50; ++round) {
    const start = process.hrtime.bigint();
    triangles = triangulateAll();
    times.push(Number(process.hrtime.bigint() - start) / 1e6);
}
times.sort((a, b) => a - b);
const ms = (t) => `${t.toFixed(2)} ms`;
console.log(`earcut ${JSON.parse(readFileSync(join(tools, 'node_modules', 'earcut', 'package.json'), 'utf8')).version}: ` +
    `${footprints.length} footprints, ${triangles} triangles, ` +
    `median ${ms(times[25])} (fastest ${ms(times[0])}, slowest ${ms(times[49])})`);
