#!/usr/bin/env bash
# Installs the Debian 12 packages ZAVIRO needs to build, test, package and
# run, and any packages named as arguments (tools of a single script), when
# any of them is missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libboost-math-dev
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n qt6-l10n-tools libgl-dev
  qt6-charts-dev libqt6opengl6-dev qt6-svg-dev poppler-utils
  libzip-dev locales
  fonts-dejavu-core
  clang libclang-rt-14-dev clang-format
  dpkg-dev file lintian desktop-file-utils appstream
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "A instalar: ${missing[*]}" >&2
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

# A Brazilian locale, for the tests that export under one (a decimal comma).
if ! locale -a 2>/dev/null | grep -qix 'pt_BR.utf8'; then
  $sudo localedef -i pt_BR -f UTF-8 pt_BR.UTF-8
fi
