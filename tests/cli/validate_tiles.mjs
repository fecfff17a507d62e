// Runs vesk-cli tiles on sheets made by vesk-cli sample (with and without
// terrain and texture) and every .glb it wrote through the Khronos glTF
// Validator: none may have an error or a warning.
//
//   node validate_tiles.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, readdirSync } from 'node:fs';
import path from 'node:path';

import { startValidation, validateFile } from './gltf_validation.mjs';

const { cli, workDir, validator } = startValidation('validate_tiles.mjs');

function glbFiles(folder) {
  return readdirSync(folder, { recursive: true })
      .filter((name) => name.endsWith('.glb'))
      .map((name) => path.join(folder, name));
}

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
  failed += (await validateFile(validator, file)) ? 0 : 1;
}
console.log(`${files.length - failed} of ${files.length} .glb files passed the validator`);
// 25 blocks and the sheet's own light model in each of the three tilesets.
process.exit(files.length === 78 && failed === 0 ? 0 : 1);
