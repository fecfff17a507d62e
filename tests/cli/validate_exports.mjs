// Exports blocks of a sheet made by vesk-cli sample as .glb, as .gltf (with
// .bin and .png) and as .glb without texture, and runs the Khronos glTF
// Validator on each: every file must have no errors and no warnings.
//
//   node validate_exports.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR
//
// NODE_TOOLS_DIR is the npm prefix that scripts/deps.sh installed
// gltf-validator into; without it the test is skipped (exit 77).
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, readdirSync, rmSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import path from 'node:path';

const kSkipped = 77;
const [cli, toolsDir, workDir] = process.argv.slice(2);
if (!cli || !toolsDir || !workDir) {
  console.error('usage: node validate_exports.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR');
  process.exit(2);
}
if (!existsSync(path.join(toolsDir, 'node_modules', 'gltf-validator'))) {
  console.log(`gltf-validator is not installed under ${toolsDir}; ` +
              'scripts/test installs it (vesk_install_gltf_validator in scripts/deps.sh)');
  process.exit(kSkipped);
}
const validator = createRequire(path.resolve(toolsDir, 'package.json'))('gltf-validator');

function exportBlock(sheet, block, format, folder, ...options) {
  mkdirSync(folder, { recursive: true });
  execFileSync(cli, ['export', sheet, '--block', String(block), '--format', format,
                     '--out', folder, ...options], { stdio: 'inherit' });
  return readdirSync(folder).filter((name) => /\.(glb|gltf)$/.test(name))
      .map((name) => path.join(folder, name));
}

async function validate(file) {
  const report = await validator.validateBytes(new Uint8Array(await readFile(file)), {
    uri: path.basename(file),
    maxIssues: 0,
    externalResourceFunction: (uri) =>
      readFile(path.join(path.dirname(file), decodeURIComponent(uri)))
          .then((data) => new Uint8Array(data)),
  });
  const { numErrors, numWarnings, numInfos, numHints } = report.issues;
  console.log(`${file}: ${numErrors} errors, ${numWarnings} warnings, ${numInfos} infos, ` +
              `${numHints} hints (validator ${report.validatorVersion})`);
  for (const message of report.issues.messages.filter((m) => m.severity <= 1)) {
    console.log(`  ${message.code} at ${message.pointer}: ${message.message}`);
  }
  return numErrors === 0 && numWarnings === 0;
}

rmSync(workDir, { recursive: true, force: true });
mkdirSync(workDir, { recursive: true });
const sheet = path.join(workDir, 'sample.tqb');
execFileSync(cli, ['sample', sheet, '--buildings', '300'], { stdio: 'inherit' });
const files = [
  ...exportBlock(sheet, 1, 'glb', path.join(workDir, 'glb')),
  ...exportBlock(sheet, 13, 'gltf', path.join(workDir, 'gltf')),
  ...exportBlock(sheet, 25, 'glb', path.join(workDir, 'untextured'), '--no-texture'),
  ...exportBlock(sheet, 7, 'gltf', path.join(workDir, 'buildings-only'), '--no-terrain'),
];
let passed = 0;
for (const file of files) {
  passed += (await validate(file)) ? 1 : 0;
}
console.log(`${passed} passed, ${files.length - passed} failed`);
process.exit(files.length === 4 && passed === files.length ? 0 : 1);
