// The rules of 3D Tiles 1.1 that a reader relies on, checked over a whole
// tileset from its root through every external tileset and every .glb:
// every uri resolves, children's regions lie inside their parent's,
// geometric errors decrease downwards, and the metadata agrees with its
// schema (tiles' metadata with the tileset's classes; the buildings'
// property tables with their glTF's classes and feature counts).
import { existsSync, readFileSync } from 'node:fs';
import path from 'node:path';

const kSlack = 1e-12;

function inside(child, parent) {
  return child[0] >= parent[0] - kSlack && child[1] >= parent[1] - kSlack &&
         child[2] <= parent[2] + kSlack && child[3] <= parent[3] + kSlack &&
         child[4] >= parent[4] - kSlack && child[5] <= parent[5] + kSlack;
}

function validRegion(r) {
  return Array.isArray(r) && r.length === 6 && r.every(Number.isFinite) && r[0] <= r[2] &&
         r[1] <= r[3] && r[4] <= r[5] && r[0] >= -Math.PI && r[2] <= Math.PI &&
         r[1] >= -Math.PI / 2 && r[3] <= Math.PI / 2;
}

const kScalarRanges = { UINT8: [0, 255], UINT16: [0, 65535], UINT32: [0, 4294967295] };

function checkTileMetadata(metadata, schema, where, problems) {
  const klass = schema?.classes?.[metadata.class];
  if (!klass) {
    problems.push(`${where}: metadata class ${metadata.class} is not in the schema`);
    return;
  }
  for (const [name, value] of Object.entries(metadata.properties ?? {})) {
    const property = klass.properties?.[name];
    const range = kScalarRanges[property?.componentType];
    if (!property) {
      problems.push(`${where}: property ${name} is not in class ${metadata.class}`);
    } else if (property.type === 'STRING' && typeof value !== 'string') {
      problems.push(`${where}: ${name} is no string`);
    } else if (property.type === 'SCALAR' && range &&
               !(Number.isInteger(value) && value >= range[0] && value <= range[1])) {
      problems.push(`${where}: ${name} = ${value} is no ${property.componentType}`);
    }
  }
}

// The JSON chunk of a .glb.
function glbJson(file) {
  const bytes = readFileSync(file);
  if (bytes.readUInt32LE(0) !== 0x46546c67) {
    throw new Error(`${file} is no .glb`);
  }
  const length = bytes.readUInt32LE(12);
  return JSON.parse(bytes.subarray(20, 20 + length).toString('utf8'));
}

function checkGlb(file, problems) {
  const gltf = glbJson(file);
  const metadata = gltf.extensions?.EXT_structural_metadata;
  for (const mesh of gltf.meshes ?? []) {
    for (const primitive of mesh.primitives) {
      for (const ids of primitive.extensions?.EXT_mesh_features?.featureIds ?? []) {
        const table = metadata?.propertyTables?.[ids.propertyTable];
        const klass = table && metadata.schema?.classes?.[table.class];
        if (!table || !klass) {
          problems.push(`${file}: feature ids refer to no property table of a known class`);
          continue;
        }
        if (table.count !== ids.featureCount) {
          problems.push(`${file}: ${ids.featureCount} features, ${table.count} rows`);
        }
        for (const [name, property] of Object.entries(table.properties ?? {})) {
          if (!klass.properties?.[name]) {
            problems.push(`${file}: property ${name} is not in class ${table.class}`);
          }
          const view = gltf.bufferViews?.[property.values];
          if (!view) {
            problems.push(`${file}: property ${name} has no values`);
          }
        }
      }
    }
  }
}

// Walks one tileset file; `parent` is the tile that refers to it (or none).
function checkFile(file, parent, rootSchema, counts, problems) {
  const tileset = JSON.parse(readFileSync(file, 'utf8'));
  counts.tilesets += 1;
  if (tileset.asset?.version !== '1.1') {
    problems.push(`${file}: asset.version is not 1.1`);
  }
  const schema = tileset.schema ?? rootSchema;
  const walk = (tile, above, where) => {
    const region = tile.boundingVolume?.region;
    if (!validRegion(region)) {
      problems.push(`${where}: no valid region`);
      return;
    }
    if (above && !inside(region, above.region)) {
      problems.push(`${where}: region not inside its parent's`);
    }
    if (!(tile.geometricError >= 0) || (above && !(tile.geometricError <= above.error))) {
      problems.push(`${where}: geometric error ${tile.geometricError} not below ${above?.error}`);
    }
    if (tile.refine !== undefined && !['ADD', 'REPLACE'].includes(tile.refine)) {
      problems.push(`${where}: refine ${tile.refine}`);
    }
    if (tile.transform !== undefined &&
        !(tile.transform.length === 16 && tile.transform.every(Number.isFinite))) {
      problems.push(`${where}: transform is not 16 numbers`);
    }
    if (tile.metadata) {
      checkTileMetadata(tile.metadata, rootSchema, where, problems);
      checkTileMetadata(tile.metadata, schema, where, problems);
    }
    if (tile.content) {
      const target = path.join(path.dirname(file), decodeURIComponent(tile.content.uri));
      if (!existsSync(target)) {
        problems.push(`${where}: ${tile.content.uri} does not resolve`);
      } else if (target.endsWith('.json')) {
        checkFile(target, { region, error: tile.geometricError }, rootSchema, counts, problems);
      } else {
        counts.contents += 1;
        checkGlb(target, problems);
      }
    }
    (tile.children ?? []).forEach((child, k) => {
      if (!(child.geometricError < tile.geometricError)) {
        problems.push(`${where}/${k}: geometric error ${child.geometricError} does not decrease`);
      }
      walk(child, { region, error: tile.geometricError }, `${where}/${k}`);
    });
  };
  walk(tileset.root, parent, path.basename(path.dirname(file)) + '/' + path.basename(file));
}

// Problems found (none when every rule holds) and how much was walked.
export function checkTileset(rootFile) {
  const problems = [];
  const counts = { tilesets: 0, contents: 0 };
  const root = JSON.parse(readFileSync(rootFile, 'utf8'));
  if (!root.schema) {
    problems.push(`${rootFile}: the root declares no schema for the tiles' metadata`);
  }
  checkFile(rootFile, null, root.schema, counts, problems);
  return { problems, ...counts };
}
