#!/usr/bin/env bash
# Installs what the build needs (when missing), configures and builds. Used by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ qt6-base-dev libsqlite3-dev libgtest-dev libbenchmark-dev
          fonts-liberation fonts-dejavu-core clang-format libicu-dev xvfb xauth pkg-config libwmf-dev
          libpq-dev postgresql qt6-tools-dev ${EXTRA_PACKAGES:-})
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq || true
  $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The store's server tests run PostgreSQL in a UTF-8 locale, as a packaged server runs: C.UTF-8
# comes with Debian's C library; where a machine lacks it, en_US.UTF-8 is generated.
if ! locale -a 2>/dev/null | grep -qiE '^(c\.utf-?8|en_us\.utf-?8)$'; then
  echo "Generating the en_US.UTF-8 locale"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  dpkg-query -W -f='${Status}' locales 2>/dev/null | grep -q "install ok installed" ||
    { $sudo_cmd apt-get update -qq || true; $sudo_cmd apt-get install -y -qq locales >/dev/null; }
  $sudo_cmd sed -i 's/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' | $sudo_cmd tee -a /etc/locale.gen >/dev/null
  $sudo_cmd locale-gen >/dev/null
fi

build_dir="${BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" ${CMAKE_EXTRA:-} >/dev/null
# BUILD_TARGETS: only these targets (default: everything).
ninja -C "$build_dir" -j"${JOBS:-2}" ${BUILD_TARGETS:-}
