#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Vesk need,
# and only those that are not installed yet. Sourced by scripts/run, scripts/package
# and scripts/test.

# What building and running the program and vesk-cli need (scripts/run).
vesk_run_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libx11-dev qt6-translations-l10n fonts-ipafont-gothic
  libqt6opengl6-dev libgl1-mesa-dri
  libproj-dev libgeos-dev libtinygltf-dev nlohmann-json3-dev libpng-dev libcli11-dev
  libdraco-dev libturbojpeg0-dev proj-data libcpp-httplib-dev
)

# What the package (icons and manual pages made at build time, the .deb) needs
# on top of that (scripts/package).
vesk_package_packages=(
  librsvg2-bin go-md2man dpkg-dev file
)

# What the tests, the benchmarks and the fuzzing need on top of both (scripts/test).
vesk_test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  locales python3
  xvfb xauth xdotool imagemagick openbox x11-utils
  proj-bin gdal-bin
  man-db desktop-file-utils appstream xdg-utils shared-mime-info libfile-mimeinfo-perl
  nodejs
  parallel openssh-server chromium
  clang libclang-rt-14-dev llvm-14
)

# Installs those of the named packages that are not installed yet.
vesk_install_missing() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# npm comes with some builds of nodejs, which then conflict with Debian's own
# npm package: install that only when there is no npm at all.
vesk_install_npm() {
  if command -v npm >/dev/null 2>&1; then
    return 0
  fi
  vesk_install_missing npm
}

# The Khronos glTF Validator, which the tests run on exported files, into
# BUILD_DIR/node_tools (not into the source tree, not globally).
vesk_gltf_validator_version=2.0.0-dev.3.10
vesk_install_gltf_validator() {
  local tools="$1/node_tools"
  if [ -f "$tools/node_modules/gltf-validator/package.json" ] &&
     grep -q "\"version\": \"$vesk_gltf_validator_version\"" \
       "$tools/node_modules/gltf-validator/package.json"; then
    return 0
  fi
  vesk_install_npm
  mkdir -p "$tools"
  npm install --prefix "$tools" --no-audit --no-fund --loglevel=error \
    "gltf-validator@$vesk_gltf_validator_version"
}

# CesiumJS, which the viewer of `vesk-cli view` is made of, into
# BUILD_DIR/node_tools, where the build finds it and the package takes it from.
vesk_cesium_version=1.124.0
vesk_install_viewer() {
  local tools="$1/node_tools"
  if [ -f "$tools/node_modules/cesium/package.json" ] &&
     grep -q "\"version\": \"$vesk_cesium_version\"" "$tools/node_modules/cesium/package.json"; then
    return 0
  fi
  vesk_install_npm
  mkdir -p "$tools"
  npm install --prefix "$tools" --no-audit --no-fund --loglevel=error "cesium@$vesk_cesium_version"
}

# CesiumJS and Playwright (driving Debian's chromium, no browser download),
# which load the 3D Tiles tilesets and the viewer in tests, into BUILD_DIR/node_tools.
vesk_playwright_version=1.49.1
vesk_install_browser_tools() {
  local tools="$1/node_tools"
  vesk_install_viewer "$1"
  if [ -f "$tools/node_modules/playwright-core/package.json" ]; then
    return 0
  fi
  vesk_install_npm
  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm install --prefix "$tools" --no-audit --no-fund \
    --loglevel=error "playwright-core@$vesk_playwright_version"
}

# npm's earcut, which bench/earcut_stars.mjs times on the export benchmark's
# footprints beside our own ear clipper, into BUILD_DIR/node_tools.
vesk_earcut_version=3.2.4
vesk_install_bench_tools() {
  local tools="$1/node_tools"
  if [ -f "$tools/node_modules/earcut/package.json" ] &&
     grep -q "\"version\": \"$vesk_earcut_version\"" "$tools/node_modules/earcut/package.json"; then
    return 0
  fi
  vesk_install_npm
  mkdir -p "$tools"
  npm install --prefix "$tools" --no-audit --no-fund --loglevel=error "earcut@$vesk_earcut_version"
}

# The writers are tested under a comma-decimal locale; generate it once if missing.
vesk_ensure_comma_locale() {
  if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    return 0
  fi
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  if ! grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
}
