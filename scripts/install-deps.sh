#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks, the fuzz targets and the Debian package
# need.
# Safe to run again: packages already present are not touched and apt is only asked when one is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-base-dev-tools qt6-connectivity-dev qt6-svg-dev qt6-translations-l10n dbus libgl-dev
  qcoro-qt6-dev
  qt6-charts-dev libqt6opengl6-dev libxlsxwriter-dev libzip-dev pkg-config python3-openpyxl python3-docx libxml2-utils
  libbenchmark-dev
  poppler-utils fontconfig
  fonts-dejavu-core
  xvfb xauth libx11-dev libxtst-dev openbox
  help2man librsvg2-bin dpkg-dev desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
