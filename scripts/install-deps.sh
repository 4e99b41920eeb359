#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ make
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libqt6sql6-sqlite libqt6sql6-mysql libqt6sql6-odbc unixodbc-dev
  libxlsxwriter-dev libsqlite3-dev unzip
  mariadb-server mariadb-client
  locales tzdata
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages and not root: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# German locale for tests of dates and numbers.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  if [ "$(id -u)" -eq 0 ]; then
    sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen 2>/dev/null || true
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null 2>&1 || true
  fi
fi
