#!/usr/bin/env bash
# Installs what building and testing Pixtrove! needs on Debian 12 (run as root), and the
# Japanese locale that Wine takes its code page and fonts from. Does nothing that is done.
set -euo pipefail
packages=(
    cmake make g++ python3 googletest libgtest-dev
    mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth x11-utils imagemagick fonts-wine fonts-ipafont-gothic fonts-liberation locales
    openbox xdotool x11-xserver-utils xclip xserver-xorg-core xserver-xorg-video-dummy
    clang lld llvm wixl msitools
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
