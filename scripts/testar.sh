#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through ctest, on SQLite
# and on PostgreSQL. Without LYR_TEST_PG (a postgresql:// URI of a database the
# tests may create schemas in) it starts a throwaway PostgreSQL cluster in a
# temporary directory on a free local port and removes it afterwards.
#
# --sanitizers (first argument): builds in build-san/ with AddressSanitizer
# and UndefinedBehaviorSanitizer and runs the same suite there.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
construcao="$raiz/build"
if [ "${1:-}" = "--sanitizers" ]; then
  shift
  construcao="$raiz/build-san"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  "$raiz/scripts/dependencias.sh"
  "$raiz/scripts/compilar.sh" --sanitizers
else
  "$raiz/scripts/dependencias.sh"
  "$raiz/scripts/compilar.sh"
fi

if [ -z "${LYR_TEST_PG:-}" ]; then
  bin="$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)"
  pasta="$(mktemp -d /tmp/lyr-pg.XXXXXX)"
  dono=()
  if [ "$(id -u)" -eq 0 ]; then
    # PostgreSQL refuses to run as root; the cluster belongs to "postgres".
    chown postgres: "$pasta"
    dono=(runuser -u postgres --)
  fi
  parar() {
    "${dono[@]}" "$bin/pg_ctl" -D "$pasta/dados" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$pasta"
  }
  trap parar EXIT
  "${dono[@]}" "$bin/initdb" -D "$pasta/dados" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 >/dev/null
  iniciado=""
  for tentativa in $(seq 1 20); do
    porta=$((20000 + RANDOM % 40000))
    if "${dono[@]}" "$bin/pg_ctl" -D "$pasta/dados" -l "$pasta/servidor.log" -w -t 30 \
         -o "-p $porta -k $pasta -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=50" start >/dev/null; then
      iniciado=1
      break
    fi
  done
  if [ -z "$iniciado" ]; then
    echo "Não foi possível iniciar o PostgreSQL de teste:" >&2
    cat "$pasta/servidor.log" >&2
    exit 1
  fi
  "${dono[@]}" "$bin/createdb" -h 127.0.0.1 -p "$porta" -U postgres lyr_teste
  export LYR_TEST_PG="postgresql://postgres@127.0.0.1:$porta/lyr_teste"
fi

cd "$construcao"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error --parallel 2 "$@"
