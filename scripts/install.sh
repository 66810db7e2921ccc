#!/usr/bin/env bash
# Installs what the program and its tests need, from Debian's packages only.
set -euo pipefail
PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3
  unixodbc unixodbc-dev odbc-postgresql postgresql
  qt6-base-dev xvfb
  libcairo2-dev libpango1.0-dev libcups2-dev libxlsxwriter-dev libcurl4-openssl-dev
  fonts-liberation poppler-utils cups-daemon cups-client python3-aiosmtpd
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
