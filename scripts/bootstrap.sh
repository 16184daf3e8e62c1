#!/usr/bin/env bash
# Installs every system package the build, tests, benchmarks and fuzzers need.
# Idempotent: when everything is installed already it only checks and exits.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n
  fonts-ipafont-gothic
  xvfb xauth
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libcpp-httplib-dev libssl-dev libqt6sql6-sqlite libqt6sql6-psql
  postgresql
  qtkeychain-qt6-dev
  chromium  # the server's pages in a real browser (tests/server/browser)
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "bootstrap: installing ${missing[*]}" >&2
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
