#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Quick when everything is already there: it only asks dpkg.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang pkg-config
  qt6-base-dev qt6-base-private-dev qt6-svg-dev qt6-translations-l10n qt6-l10n-tools qt6-tools-dev libpulse-dev
  libxlsxwriter-dev fonts-liberation libgmp-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  glpk-utils python3-openpyxl python3-pil libreoffice-calc-nogui
  xvfb xauth x11-utils imagemagick xdotool locales xdg-utils
  at-spi2-core python3-pyatspi dbus-x11
  desktop-file-utils appstream shared-mime-info dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The program is used under a Russian locale, whose decimal separator is a comma; the tests
# check that numbers keep their point there.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  "${sudo_cmd[@]}" sed -i 's/^# *ru_RU.UTF-8 UTF-8/ru_RU.UTF-8 UTF-8/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
