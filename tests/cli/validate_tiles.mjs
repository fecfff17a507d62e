// Runs vesk-cli tiles on sheets made by vesk-cli sample (with and without
// terrain and texture) and every .glb it wrote through the Khronos glTF
// Validator: none may have an error or a warning.
//
//   node validate_tiles.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR
//
// Without gltf-validator under NODE_TOOLS_DIR the test is skipped (exit 77).
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, readdirSync, rmSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import path from 'node:path';

const kSkipped = 77;
const [cli, toolsDir, workDir] = process.argv.slice(2);
if (!cli || !toolsDir || !workDir) {
  console.error('usage: node validate_tiles.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR');
  process.exit(2);
}
if (!existsSync(path.join(toolsDir, 'node_modules', 'gltf-validator'))) {
  console.log(`gltf-validator is not installed under ${toolsDir}; ` +
              'scripts/test installs it (vesk_install_gltf_validator in scripts/deps.sh)');
  process.exit(kSkipped);
}
const validator = createRequire(path.resolve(toolsDir, 'package.json'))('gltf-validator');

function glbFiles(folder) {
  return readdirSync(folder, { recursive: true })
      .filter((name) => name.endsWith('.glb'))
      .map((name) => path.join(folder, name));
}

rmSync(workDir, { recursive: true, force: true });
mkdirSync(path.join(workDir, 'in'), { recursive: true });
execFileSync(cli, ['sample', path.join(workDir, 'in', 'sample.tqb'), '--buildings', '60'],
             { stdio: 'inherit' });
const files = [];
for (const [name, options] of [['full', []], ['untextured', ['--no-texture']],
                               ['buildings-only', ['--no-terrain']]]) {
  const out = path.join(workDir, name);
  execFileSync(cli, ['tiles', path.join(workDir, 'in'), '--out', out, '--quiet', ...options],
               { stdio: 'inherit' });
  files.push(...glbFiles(out));
}
let failed = 0;
for (const file of files) {
  const report = await validator.validateBytes(new Uint8Array(await readFile(file)),
                                               { uri: path.basename(file), maxIssues: 0 });
  const { numErrors, numWarnings } = report.issues;
  if (numErrors > 0 || numWarnings > 0) {
    failed += 1;
    console.log(`${file}: ${numErrors} errors, ${numWarnings} warnings`);
    for (const message of report.issues.messages.filter((m) => m.severity <= 1)) {
      console.log(`  ${message.code} at ${message.pointer}: ${message.message}`);
    }
  }
}
console.log(`${files.length - failed} of ${files.length} .glb files passed the validator`);
process.exit(files.length === 75 && failed === 0 ? 0 : 1);
