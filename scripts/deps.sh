#!/usr/bin/env bash
# Installs the Debian packages Horlune needs for a purpose ("run", "fuzz" or "test"), only those missing.
set -euo pipefail

purpose=${1:-run}
# libnova: sunrise and sunset; its -dev package builds against it, its runtime library runs it. libxcb1-dev:
# whether an X11 desktop composes windows.
packages=(cmake g++ make qt6-base-dev qt6-translations-l10n qt6-wayland tzdata libnova-dev libxcb1-dev)
# The fuzzers: clang and its libFuzzer and sanitizer runtimes.
fuzz=(clang-14 libclang-rt-14-dev)
case $purpose in
    fuzz) packages+=("${fuzz[@]}") ;;
    test) packages+=(dbus-daemon at-spi2-core xvfb xdotool x11-utils imagemagick libfaketime faketime desktop-file-utils appstream man-db qt6-gtk-platformtheme python3-icalendar python3-astral python3-icu libgeonames0 libgeonames-common clang-format-14 dpkg-dev lintian weston "${fuzz[@]}") ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
    echo "Installation des paquets manquants : ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
    echo "Paquets manquants. Installez-les en administrateur, avec sudo :" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    echo "ou, sans sudo, avec le mot de passe de root :" >&2
    echo "  su -c 'apt-get update && apt-get install -y ${missing[*]}'" >&2
    exit 1
fi
