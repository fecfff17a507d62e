// The page of vesk-cli view: the tileset served at /tiles/ on a globe made of
// what ships with CesiumJS (Natural Earth II on a plain ellipsoid), so that it
// works with no network; online maps only when the user asks for them. A
// click on a building shows its properties; its colour can tell its height.
'use strict';

const kTileset = '/tiles/tileset.json';
const kOnlineKey = 'vesk.viewer.online';
const kOnlineMapKey = 'vesk.viewer.onlineMap';
const kHeightBands = [
  { below: 5, colour: '#2b83ba', label: '5 m 未満' },
  { below: 10, colour: '#80bfab', label: '5〜10 m' },
  { below: 20, colour: '#e6e68a', label: '10〜20 m' },
  { below: 40, colour: '#f59053', label: '20〜40 m' },
  { below: Infinity, colour: '#d7191c', label: '40 m 以上' },
];

// What the page has done, for the user's status line and for tests.
const vesk = { ready: false, failed: [], viewer: null, tileset: null, picked: null };
window.vesk = vesk;

function makeViewer() {
  Cesium.Ion.defaultAccessToken = '';
  const naturalEarth = Cesium.ImageryLayer.fromProviderAsync(
    Cesium.TileMapServiceImageryProvider.fromUrl(
      Cesium.buildModuleUrl('Assets/Textures/NaturalEarthII')));
  return new Cesium.Viewer('globe', {
    baseLayer: naturalEarth, terrainProvider: new Cesium.EllipsoidTerrainProvider(),
    geocoder: false, baseLayerPicker: false, homeButton: false, sceneModePicker: false,
    navigationHelpButton: false, animation: false, timeline: false, fullscreenButton: false,
    infoBox: false, selectionIndicator: false,
    contextOptions: { webgl: { preserveDrawingBuffer: true } },
  });
}

// Each map with the attribution its provider requires, shown on the map.
function onlineProvider(which) {
  if (which === 'osm') {
    return new Cesium.UrlTemplateImageryProvider({
      url: 'https://tile.openstreetmap.org/{z}/{x}/{y}.png', maximumLevel: 19,
      credit: new Cesium.Credit(
        '© <a href="https://www.openstreetmap.org/copyright">OpenStreetMap</a> contributors', true),
    });
  }
  return new Cesium.UrlTemplateImageryProvider({
    url: 'https://cyberjapandata.gsi.go.jp/xyz/std/{z}/{x}/{y}.png', maximumLevel: 18,
    credit: new Cesium.Credit(
      '<a href="https://maps.gsi.go.jp/development/ichiran.html">地理院タイル</a>', true),
  });
}

function showStatus() {
  const status = document.getElementById('status');
  status.textContent = '';
  if (vesk.failed.length > 0) {
    const line = document.createElement('div');
    line.className = 'failed';
    line.textContent = `読み込めなかったﾀｲﾙ ${vesk.failed.length}件: ` + vesk.failed.join(', ');
    status.appendChild(line);
  }
}

function blockOf(tile) {
  const metadata = tile?.metadata;
  if (!metadata || !metadata.hasProperty?.('name')) return null;
  return { name: metadata.getProperty('name'), number: metadata.getProperty('number'),
           sheet: metadata.getProperty('sheet') };
}

function metres(value) {
  return typeof value === 'number' ? `${value.toFixed(2)} m` : '';
}

function showBuilding(feature) {
  const panel = document.getElementById('building');
  if (!(feature instanceof Cesium.Cesium3DTileFeature)) {
    panel.hidden = true;
    vesk.picked = null;
    return;
  }
  const property = (name) => feature.getProperty(name);
  const block = blockOf(feature.content?.tile);
  const area = property('area');
  const shown = {
    number: String(property('number') ?? ''), bottom: metres(property('bottom')),
    roof: metres(property('roof')), height: metres(property('height')),
    area: typeof area === 'number' ? `${area.toFixed(1)} m²` : '',
    block: block ? `${block.number} (${block.name})` : '', sheet: block?.sheet ?? '',
  };
  for (const [name, text] of Object.entries(shown)) {
    document.getElementById(`b-${name}`).textContent = text;
  }
  panel.hidden = false;
  vesk.picked = shown;
}

function heightStyle() {
  const conditions = kHeightBands.map((band) => [
    Number.isFinite(band.below) ? `\${height} < ${band.below}` : 'true',
    `color('${band.colour}')`]);
  return new Cesium.Cesium3DTileStyle({ color: { conditions } });
}

function showLegend(shown) {
  const legend = document.getElementById('legend');
  legend.hidden = !shown;
  legend.textContent = '';
  for (const band of kHeightBands) {
    const row = document.createElement('div');
    const swatch = document.createElement('span');
    swatch.className = 'swatch';
    swatch.style.background = band.colour;
    row.append(swatch, band.label);
    legend.appendChild(row);
  }
}

function findBlockTile(tile, name) {
  if (blockOf(tile)?.name === name) return tile;
  for (const child of tile.children) {
    const found = findBlockTile(child, name);
    if (found) return found;
  }
  return null;
}

// The block asked for in the address (?block=NAME) lies in a sheet's own
// tileset, which comes once the sheet is in view: look for it after each
// load, and fly there once found.
function flyToBlockWhenLoaded(viewer, tileset, name) {
  const remove = tileset.tileLoad.addEventListener(() => {
    const tile = findBlockTile(tileset.root, name);
    if (tile) {
      remove();
      viewer.camera.flyToBoundingSphere(tile.boundingSphere, { duration: 1.5 });
    }
  });
}

function wireControls(viewer, tileset) {
  const byHeight = document.getElementById('by-height');
  byHeight.addEventListener('change', () => {
    tileset.style = byHeight.checked ? heightStyle() : undefined;
    showLegend(byHeight.checked);
  });
  const ground = document.getElementById('ground');
  ground.addEventListener('change', () => { viewer.scene.globe.show = ground.checked; });
  document.getElementById('reset').addEventListener('click', () => {
    viewer.flyTo(tileset, { duration: 1.0 });
  });
  wireOnlineMaps(viewer);
}

// Off unless the user turned it on, here or before (the browser keeps it).
function wireOnlineMaps(viewer) {
  const online = document.getElementById('online');
  const choice = document.getElementById('online-map');
  let layer = null;
  const apply = () => {
    if (layer) viewer.imageryLayers.remove(layer);
    layer = online.checked ? viewer.imageryLayers.addImageryProvider(onlineProvider(choice.value))
                           : null;
    choice.disabled = !online.checked;
    localStorage.setItem(kOnlineKey, online.checked ? 'on' : 'off');
    localStorage.setItem(kOnlineMapKey, choice.value);
  };
  online.checked = localStorage.getItem(kOnlineKey) === 'on';
  choice.value = localStorage.getItem(kOnlineMapKey) === 'osm' ? 'osm' : 'gsi';
  online.addEventListener('change', apply);
  choice.addEventListener('change', apply);
  if (online.checked) apply();
}

async function start() {
  const viewer = makeViewer();
  vesk.viewer = viewer;
  const tileset = await Cesium.Cesium3DTileset.fromUrl(kTileset);
  tileset.tileFailed.addEventListener((error) => {
    vesk.failed.push(String(error.url));
    showStatus();
  });
  viewer.scene.primitives.add(tileset);
  vesk.tileset = tileset;
  wireControls(viewer, tileset);
  const handler = new Cesium.ScreenSpaceEventHandler(viewer.scene.canvas);
  handler.setInputAction((click) => showBuilding(viewer.scene.pick(click.position)),
                         Cesium.ScreenSpaceEventType.LEFT_CLICK);
  const block = new URLSearchParams(window.location.search).get('block');
  await viewer.zoomTo(tileset);
  if (block) flyToBlockWhenLoaded(viewer, tileset, block);
  vesk.ready = true;
}

start().catch((error) => {
  document.getElementById('status').textContent = `3D表示を開始できません: ${error.message ?? error}`;
  vesk.error = String(error);
});
