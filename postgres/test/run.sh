#!/usr/bin/env bash
# Builds and installs tufu's PostgreSQL extensions and tests them in a
# temporary PostgreSQL 15 server.
#   postgres/test/run.sh BUILD
# BUILD is a CMake build of the project with the targets tufu_static
# (capi/libtufu.a) and tufu-cli.  Works as root: pg_virtualenv runs the
# server as the postgres user in a throw-away cluster and removes it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
export TUFU_CLI=$build/cli/tufu-cli
pgconfig=/usr/lib/postgresql/15/bin/pg_config

if [ "${2:-}" != --inside ]; then
  make -s -C "$here/.." PG_CONFIG=$pgconfig TUFU_BUILD="$build" >/dev/null
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo make -s -C "$here/.." PG_CONFIG=$pgconfig TUFU_BUILD="$build" install >/dev/null
  so=$($pgconfig --pkglibdir)/tufu.so
  # One file: libtufu is inside, and the server needs nothing of ours besides.
  if ldd "$so" | grep -q tufu || nm -u "$so" | grep -q ' tufu_'; then
    echo "tufu.so needs another library of tufu's:"; ldd "$so"; exit 1
  fi
  exec pg_virtualenv -t -v 15 -c '--locale=C.UTF-8 --encoding=UTF8' \
    -o max_parallel_workers_per_gather=2 -o max_worker_processes=8 \
    "$0" "$build" --inside
fi

# Inside the temporary server.
export PGCLIENTENCODING=UTF8
cd "$here"
rc=0
make -s PG_CONFIG=$pgconfig installcheck || rc=$?
if [ $rc -ne 0 ]; then
  [ -f regression.diffs ] && head -n 200 regression.diffs
  exit $rc
fi
/usr/bin/python3 "$here/compare_cli.py"
/usr/bin/python3 "$here/hostile.py"
