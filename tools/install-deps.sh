#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, skipping the
# package manager entirely when everything is already there.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcurl4-openssl-dev libcpp-httplib-dev libcli11-dev libzip-dev
  python3 python3-pyftpdlib lftp lighttpd
  chromium
  qt6-base-dev qt6-webengine-dev xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The browser tests run on node with npm. A machine may already carry a newer
# node that bundles its own npm (Debian's npm package would conflict with it),
# so Debian's pair is installed only where no npm is found.
command -v npm >/dev/null 2>&1 || missing+=(nodejs npm)
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  # lighttpd must not come up as a system service: the tests start their own,
  # on a free port, with their own configuration. Service starts are refused
  # while the packages go in, unless the machine has its own policy for that.
  policy=/usr/sbin/policy-rc.d
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | $sudo_cmd tee "$policy" >/dev/null
    $sudo_cmd chmod 755 "$policy"
    trap '$sudo_cmd rm -f "$policy"' EXIT
  fi
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
