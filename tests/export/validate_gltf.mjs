// Runs the Khronos glTF Validator on each file named on the command line and
// fails unless every file has no errors and no warnings. Resources next to a
// .gltf file (its .bin and .png) are validated with it.
//
//   node validate_gltf.mjs NODE_TOOLS_DIR FILE...
//
// NODE_TOOLS_DIR is the npm prefix that gltf-validator was installed into.
import { readFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import path from 'node:path';

const [toolsDir, ...files] = process.argv.slice(2);
if (!toolsDir || files.length === 0) {
  console.error('usage: node validate_gltf.mjs NODE_TOOLS_DIR FILE...');
  process.exit(2);
}
const validator = createRequire(path.resolve(toolsDir, 'package.json'))('gltf-validator');

async function validate(file) {
  const bytes = new Uint8Array(await readFile(file));
  const report = await validator.validateBytes(bytes, {
    uri: path.basename(file),
    maxIssues: 0,
    externalResourceFunction: (uri) =>
      readFile(path.join(path.dirname(file), decodeURIComponent(uri))).then(
        (data) => new Uint8Array(data)),
  });
  const { numErrors, numWarnings, numInfos, numHints } = report.issues;
  console.log(`${file}: ${numErrors} errors, ${numWarnings} warnings, ` +
              `${numInfos} infos, ${numHints} hints (validator ${report.validatorVersion})`);
  for (const message of report.issues.messages) {
    if (message.severity <= 1) {
      console.log(`  ${message.code} at ${message.pointer}: ${message.message}`);
    }
  }
  return numErrors === 0 && numWarnings === 0;
}

let passed = 0;
for (const file of files) {
  if (await validate(file)) {
    passed += 1;
  }
}
console.log(`${passed} passed, ${files.length - passed} failed`);
process.exit(passed === files.length ? 0 : 1);
