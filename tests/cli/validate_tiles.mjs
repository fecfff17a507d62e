// Runs vesk-cli tiles on sheets made by vesk-cli sample (with and without
// terrain and texture) and every .glb it wrote through the Khronos glTF
// Validator: none may have an error or a warning.
//
//   node validate_tiles.mjs VESK_CLI NODE_TOOLS_DIR WORK_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, readdirSync } from 'node:fs';
import path from 'node:path';

import { startValidation, validateFile } from './gltf_validation.mjs';
import { checkTileset } from './tileset_rules.mjs';

const { cli, workDir, validator } = startValidation('validate_tiles.mjs');

function glbFiles(folder) {
  return readdirSync(folder, { recursive: true })
      .filter((name) => name.endsWith('.glb'))
      .map((name) => path.join(folder, name));
}

mkdirSync(path.join(workDir, 'in'), { recursive: true });
execFileSync(cli, ['sample', path.join(workDir, 'in', 'sample.tqb'), '--buildings', '60'],
             { stdio: 'inherit' });
execFileSync(cli, ['sample', path.join(workDir, 'in', 'kanazawa.tqb'), '--zone', '7',
                   '--origin', '60000,-40000', '--buildings', '10', '--dem', '9x7',
                   '--texture', '32'], { stdio: 'inherit' });
const files = [];
let ruleProblems = 0;
for (const [name, options] of [['full', []], ['untextured', ['--no-texture']],
                               ['buildings-only', ['--no-terrain']],
                               ['plain', ['--no-compress']]]) {
  const out = path.join(workDir, name);
  execFileSync(cli, ['tiles', path.join(workDir, 'in'), '--out', out, '--quiet', ...options],
               { stdio: 'inherit' });
  files.push(...glbFiles(out));
  const rules = checkTileset(path.join(out, 'tileset.json'));
  console.log(`${name}: ${rules.tilesets} tilesets, ${rules.contents} contents walked; ` +
              `${rules.problems.length} problems`);
  rules.problems.forEach((problem) => console.log(`  ${problem}`));
  ruleProblems += rules.problems.length;
}
let failed = 0;
for (const file of files) {
  failed += (await validateFile(validator, file)) ? 0 : 1;
}
console.log(`${files.length - failed} of ${files.length} .glb files passed the validator`);
// 25 + 25 blocks and the two sheets' light models in each of the four tilesets.
process.exit(files.length === 4 * 52 && failed === 0 && ruleProblems === 0 ? 0 : 1);
