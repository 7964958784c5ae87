#!/usr/bin/env bash
# Installs what is missing, builds, creates data/lyr.db with the demo office the
# first time and starts Lyr on it. Arguments go to lyr (e.g. sql "select ...").
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/dependencias.sh"
"$raiz/scripts/compilar.sh"
cd "$raiz"
banco="${LYR_DATABASE:-data/lyr.db}"
if [ -z "${LYR_DATABASE:-}" ] && [ ! -f "$banco" ]; then
  mkdir -p "$(dirname "$banco")"
  ./build/lyr --database "$banco" init --demo
fi
exec ./build/lyr --database "$banco" "$@"
