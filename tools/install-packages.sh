#!/usr/bin/env bash
# Installs the Debian 12 packages that paylog needs to build, run and test.
# Only what is missing is installed; runs as root or through sudo.
# Further package names given as arguments are installed the same way
# (the fuzzing and screenshot scripts ask for their own tools).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n
  libsqlite3-dev libsodium-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk
  desktop-file-utils appstream dpkg-dev
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
