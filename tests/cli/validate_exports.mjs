// Exports blocks of a sheet made by vesk-cli sample as .glb, as .gltf (with
// .bin and .png) and as .glb without texture, each plain and compressed
// (Draco meshes, JPEG texture), and runs the Khronos glTF Validator on each:
// every file must have no errors and no warnings.
//
//   node validate_exports.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, readdirSync } from 'node:fs';
import path from 'node:path';

import { startValidation, validateFile } from './gltf_validation.mjs';

const { cli, workDir, validator } = startValidation('validate_exports.mjs');

function exportBlock(sheet, block, format, folder, ...options) {
  mkdirSync(folder, { recursive: true });
  execFileSync(cli, ['export', sheet, '--block', String(block), '--format', format,
                     '--out', folder, ...options], { stdio: 'inherit' });
  return readdirSync(folder).filter((name) => /\.(glb|gltf)$/.test(name))
      .map((name) => path.join(folder, name));
}

const sheet = path.join(workDir, 'sample.tqb');
execFileSync(cli, ['sample', sheet, '--buildings', '300'], { stdio: 'inherit' });
const files = [
  ...exportBlock(sheet, 1, 'glb', path.join(workDir, 'glb')),
  ...exportBlock(sheet, 13, 'gltf', path.join(workDir, 'gltf')),
  ...exportBlock(sheet, 25, 'glb', path.join(workDir, 'untextured'), '--no-texture'),
  ...exportBlock(sheet, 7, 'gltf', path.join(workDir, 'buildings-only'), '--no-terrain'),
  ...exportBlock(sheet, 2, 'glb', path.join(workDir, 'compressed-glb'), '--compress'),
  ...exportBlock(sheet, 14, 'gltf', path.join(workDir, 'compressed-gltf'), '--compress',
                 '--texture-quality', '60'),
  ...exportBlock(sheet, 24, 'glb', path.join(workDir, 'compressed-untextured'), '--compress',
                 '--no-texture'),
  ...exportBlock(sheet, 8, 'glb', path.join(workDir, 'compressed-terrain-only'), '--compress',
                 '--no-buildings'),
];
let passed = 0;
for (const file of files) {
  passed += (await validateFile(validator, file)) ? 1 : 0;
}
console.log(`${passed} passed, ${files.length - passed} failed`);
process.exit(files.length === 8 && passed === files.length ? 0 : 1);
