// What the glTF validation tests share: their arguments, the Khronos glTF
// Validator that scripts/deps.sh installs under the build folder, a fresh
// work folder, and the verdict on one file.
//
//   node SCRIPT VESK_CLI NODE_TOOLS_DIR WORK_DIR
//
// Without gltf-validator under NODE_TOOLS_DIR the test is skipped (exit 77).
import { existsSync, mkdirSync, rmSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import path from 'node:path';

const kSkipped = 77;

export function startValidation(script) {
  const [cli, toolsDir, workDir] = process.argv.slice(2);
  if (!cli || !toolsDir || !workDir) {
    console.error(`usage: node ${script} VESK_CLI NODE_TOOLS_DIR WORK_DIR`);
    process.exit(2);
  }
  if (!existsSync(path.join(toolsDir, 'node_modules', 'gltf-validator'))) {
    console.log(`gltf-validator is not installed under ${toolsDir}; ` +
                'scripts/test installs it (vesk_install_gltf_validator in scripts/deps.sh)');
    process.exit(kSkipped);
  }
  rmSync(workDir, { recursive: true, force: true });
  mkdirSync(workDir, { recursive: true });
  const validator = createRequire(path.resolve(toolsDir, 'package.json'))('gltf-validator');
  return { cli, workDir, validator };
}

// True when the file has no error and no warning; its issues are printed
// either way, resources beside it (.bin, .png) read from its folder.
export async function validateFile(validator, file) {
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
