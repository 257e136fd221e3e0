#!/usr/bin/env bash
# Builds the browser page and the command-line tool for node in build/web/:
# the Qt-free core compiled to WebAssembly by Debian's emscripten.
#   build/web/index.html           the page (opens from file://, offline)
#   build/web/zaviro-relatorio.js  node build/web/zaviro-relatorio.js ARGS...
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh emscripten node-acorn
# Debian's emscripten finds acorn (its JavaScript optimizer's parser) here.
export NODE_PATH=/usr/share/nodejs
# Ninja in a directory of its own, kept across runs.
out=build/web
work=build/web-build
mkdir -p "$out"
emcmake cmake -S . -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZAV_BUILD_GUI=OFF -DZAV_BUILD_TESTS=OFF -DZAV_BUILD_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="-fexceptions" >/dev/null 2>&1
cmake --build "$work" --parallel "$(nproc)" --target zaviro-relatorio zaviro-web
cp "$work/src/cli/zaviro-relatorio.js" "$out/zaviro-relatorio.js"
# The page starts the core's worker from this text (a page opened from
# file:// cannot start a worker from a file): the module, then the worker's
# side of the page's requests.
node -e 'const fs = require("fs");
  const text = fs.readFileSync(process.argv[1], "utf8") + "\n" + fs.readFileSync(process.argv[2], "utf8");
  fs.writeFileSync(process.argv[3], "// Made by scripts/build-web.sh from the module zaviro-web.js and core-worker.js.\nvar ZAV_CORE_WORKER = " + JSON.stringify(text) + ";\n");' \
  "$work/web/zaviro-web.js" web/core-worker.js "$out/zaviro-worker.js"
rm -f "$out/zaviro.js"
cp web/app.js web/charts.js web/workbook.js web/i18n.js web/style.css "$out/"
# The page shows the program's version (the project's, from CMakeLists.txt).
version=$(sed -n 's/^project(zaviro VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
sed "s/@ZAV_VERSION@/$version/" web/index.html > "$out/index.html"
cp share/icons/hicolor/scalable/apps/br.org.zaviro.Zaviro.svg "$out/zaviro.svg"
