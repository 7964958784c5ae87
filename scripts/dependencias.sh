#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Lyr need,
# asking apt only when something is missing.
set -euo pipefail

pacotes=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev fonts-dejavu-core
  libsqlite3-dev libsodium-dev qt6-translations-l10n googletest libgtest-dev
  postgresql libzint-dev poppler-utils zbar-tools qt6-charts-dev libqt6opengl6-dev
  libxlsxwriter-dev unzip
)

faltando=()
for pacote in "${pacotes[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pacote" 2>/dev/null | grep -q "install ok installed"; then
    faltando+=("$pacote")
  fi
done
[ ${#faltando[@]} -eq 0 ] && exit 0

echo "Instalando: ${faltando[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${faltando[@]}"
