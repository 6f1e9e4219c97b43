#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Lumesco need.
# Quiet and quick when everything is already there. Extra packages may be named as arguments
# (scripts/fuzz.sh asks for clang this way).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
  libsqlite3-dev libpq-dev postgresql libzip-dev libshp-dev libsodium-dev googletest libgtest-dev
  fonts-liberation2 fonts-dejavu-core
  libzint-dev libqrencode-dev zbar-tools
  xvfb xauth poppler-utils
  dpkg-dev binutils file lintian desktop-file-utils man-db
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
