#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Mirt needs.
# Idempotent: prints nothing and touches nothing when everything is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-svg-dev qt6-image-formats-plugins
  libqt6sql6-sqlite libqt6sql6-odbc libqt6sql6-psql libqt6sql6-mysql
  libgl-dev libxkbcommon-dev libqt6opengl6-dev
  fonts-liberation2 fonts-noto-cjk fonts-noto-color-emoji fonts-tlwg-loma-otf
  mdbtools mdbtools-dev libglib2.0-dev
  unixodbc unixodbc-dev odbcinst libsqliteodbc
  sqlite3 libsqlite3-dev zlib1g-dev
  postgresql mariadb-server
  poppler-utils qpdf xvfb xauth chromium
  libharfbuzz-dev libdeflate-dev icc-profiles-free
  libxlsxwriter-dev libreoffice-calc-nogui
  libcups2-dev cups-daemon cups-client cups-filters
  desktop-file-utils shared-mime-info libglib2.0-bin libxml2-utils dpkg-dev file
  clang libclang-rt-14-dev libfuzzer-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}" >&2
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
if ! $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/tmp/mirt-apt.log 2>&1; then
  $SUDO apt-get update -qq >/dev/null
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/tmp/mirt-apt.log 2>&1 \
    || { cat /tmp/mirt-apt.log >&2; exit 1; }
fi
