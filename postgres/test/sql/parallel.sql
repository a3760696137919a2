-- tufu_sheet runs in parallel workers: a large table gets a parallel plan,
-- and the parallel answer is the serial one.
CREATE TABLE pts AS
SELECT (73 + (i % 1000) * 0.062)::float8 AS lon, (18 + (i / 1000) * 0.036)::float8 AS lat
FROM generate_series(0, 999999) AS i;
ANALYZE pts;
SET max_parallel_workers_per_gather = 2;
EXPLAIN (COSTS OFF) SELECT count(tufu_sheet(lon, lat, '1:5万')) FROM pts;
SELECT count(tufu_sheet(lon, lat, '1:5万')) AS parallel_count,
       count(DISTINCT tufu_sheet(lon, lat, '1:5万')) AS sheets
FROM pts;
CREATE TABLE parallel_answer AS SELECT lon, lat, tufu_sheet(lon, lat, '1:5万') AS sheet FROM pts;
SET max_parallel_workers_per_gather = 0;
EXPLAIN (COSTS OFF) SELECT count(tufu_sheet(lon, lat, '1:5万')) FROM pts;
SELECT count(*) AS differing FROM parallel_answer WHERE sheet IS DISTINCT FROM tufu_sheet(lon, lat, '1:5万');
RESET max_parallel_workers_per_gather;
DROP TABLE parallel_answer, pts;
