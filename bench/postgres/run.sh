#!/usr/bin/env bash
# The cost of tufu_sheet in PostgreSQL: on a table of 10^7 points,
#   SELECT count(tufu_sheet(lon, lat, '1:5万')) FROM pts
# against the baseline SELECT count(lon + lat) FROM pts, serial and with two
# parallel workers, in a temporary server.  Reports rows per second, the
# ratio to the baseline and the parallel speed-up.  Not a test.
#   bench/postgres/run.sh BUILD [ROWS]
# BUILD is a CMake build with capi/libtufu.a; the extensions are installed
# from it first (as root, or with sudo).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
rows=${2:-10000000}
pgconfig=/usr/lib/postgresql/15/bin/pg_config
if [ "${3:-}" != --inside ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  make -s -C "$top/postgres" PG_CONFIG=$pgconfig TUFU_BUILD="$build" >/dev/null
  $sudo make -s -C "$top/postgres" PG_CONFIG=$pgconfig TUFU_BUILD="$build" install >/dev/null
  exec pg_virtualenv -t -v 15 -o max_parallel_workers_per_gather=2 -o shared_buffers=512MB \
    -o jit=off "$0" "$build" "$rows" --inside
fi
exec /usr/bin/python3 - "$rows" <<'PY'
import sys, time
import psycopg2

rows = int(sys.argv[1])
conn = psycopg2.connect("")
conn.autocommit = True
cur = conn.cursor()
cur.execute("CREATE EXTENSION tufu")
cur.execute("""CREATE TABLE pts AS
               SELECT 73 + random() * 62 AS lon, 18 + random() * 36 AS lat
               FROM generate_series(1, %s)""", (rows,))
cur.execute("VACUUM ANALYZE pts")
cur.execute("SELECT pg_prewarm('pts')" if False else "SELECT count(*) FROM pts")

def best(sql, workers, runs=3):
    cur.execute("SET max_parallel_workers_per_gather = %s", (workers,))
    cur.execute("EXPLAIN " + sql)
    plan = " ".join(r[0] for r in cur.fetchall())
    assert ("Gather" in plan) == (workers > 0), plan
    times = []
    for _ in range(runs):
        t = time.perf_counter()
        cur.execute(sql)
        cur.fetchall()
        times.append(time.perf_counter() - t)
    return min(times)

tufu = "SELECT count(tufu_sheet(lon, lat, '1:5万')) FROM pts"
base = "SELECT count(lon + lat) FROM pts"
print("%d points; best of 3 runs; jit off" % rows)
results = {}
for workers in (0, 2):
    b = best(base, workers)
    t = best(tufu, workers)
    results[workers] = (b, t)
    print("workers %d: baseline %.2f s (%.1f M rows/s), tufu_sheet %.2f s (%.1f M rows/s), ratio %.2f"
          % (workers, b, rows / b / 1e6, t, rows / t / 1e6, t / b))
print("parallel speed-up: baseline %.2fx, tufu_sheet %.2fx"
      % (results[0][0] / results[2][0], results[0][1] / results[2][1]))
PY
