#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Lumiverdant need.
# Packages already present are skipped, so running it twice costs only a dpkg query.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git ccache python3
  qt6-base-dev qt6-base-dev-tools libqt6svg6 libgl-dev
  libjpeg62-turbo-dev libpng-dev zlib1g-dev libtiff-dev
  libfreetype-dev libfontconfig-dev libharfbuzz-dev
  nlohmann-json3-dev libtbb-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool fonts-liberation2 fonts-dejavu-core
  libx11-dev dbus at-spi2-core python3-pyatspi imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
