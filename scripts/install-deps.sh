#!/usr/bin/env bash
# Installs the Debian packages needed to build, run, test and benchmark the program.
# Idempotent: when everything is already installed it only asks dpkg and returns.
set -euo pipefail

packages=(
    # build tools
    g++ cmake ninja-build ccache pkg-config make clang-format
    # libraries
    qt6-base-dev qt6-qpa-plugins libqt6sql6-sqlite libgl-dev libsqlite3-dev libsdl2-mixer-dev libfreexl-dev
    libquazip1-qt6-dev libsimpleini-dev libicu-dev
    # CJK fonts for the program's Chinese texts
    fonts-wqy-zenhei fonts-arphic-ukai
    # headless runs and the benchmark's reference
    xvfb xauth sqlite3
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null || true)
    [[ $status == ii* ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
