#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  qt6-base-dev qt6-qpa-plugins
  libicu-dev libcurl4-openssl-dev
  fonts-noto-cjk
  xvfb xauth x11-utils x11-apps netpbm openbox xdotool qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  sqlite3 miller time ccache linux-perf
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
