#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing Quorvel needs.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # toolchain and build
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  # Qt 6, its platform plugins and the theme that gives it the desktop's colours
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-multimedia-dev
  qt6-qpa-plugins libqt6svg6 qt6-gtk-platformtheme
  # pictures, sound and video
  libjpeg62-turbo-dev libzip-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-libav gstreamer1.0-tools timgm6mb-soundfont
  # tests and benchmarks
  libgtest-dev libbenchmark-dev xvfb xauth poppler-utils
  # the web player's browser tests
  chromium nodejs npm
  # faces that stored font texts name
  fonts-liberation fonts-dejavu-core fonts-crosextra-carlito fonts-crosextra-caladea
  # Windows metafiles and documents brought in from word processors
  libwmf-dev libemf2svg-dev qt6-svg-dev pandoc
  # the faces libwmf draws with: without them it draws no metafile at all
  fonts-urw-base35
  # icons, desktop files and the Debian packages: rendering, checking, building
  librsvg2-bin desktop-file-utils appstream dpkg-dev file lintian libglib2.0-bin xdg-utils shared-mime-info xdotool
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  # A nodejs from another source may bring npm with it (and conflict with Debian's npm).
  if [ "$p" = npm ] && command -v npm >/dev/null; then continue; fi
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
