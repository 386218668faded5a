#!/usr/bin/env bash
# The one list of Debian packages the project needs to build, run and test.
# Sourced by run.sh and test.sh: installs what is missing when run as root,
# otherwise prints the exact install line and stops.
RELVO7_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-translations-l10n qt6-serialport-dev
  libqt6svg6 qt6-qpa-plugins
  libmodbus-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth
)

relvo7_missing_packages() {
  local missing=()
  for p in "${RELVO7_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  echo "${missing[@]}"
}

relvo7_ensure_packages() {
  local missing
  missing=$(relvo7_missing_packages)
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" = "0" ]; then
    echo "Installing Debian packages: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y --no-install-recommends $missing
  else
    echo "Missing Debian packages. Run as root:"
    echo "  apt-get install -y ${RELVO7_PACKAGES[*]}"
    return 1
  fi
}
