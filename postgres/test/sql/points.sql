-- Points to sheets at every scale in both editions, compared with
-- tufu-cli --json point on the same points (data/points.txt: the CLI's
-- texts, then the same point in decimal degrees).
CREATE EXTENSION tufu;
SELECT extversion IS NOT NULL AS installed FROM pg_extension WHERE extname = 'tufu';

CREATE TABLE points (n serial PRIMARY KEY, clilon text, clilat text, lon float8, lat float8);
\copy points (clilon, clilat, lon, lat) FROM 'data/points.txt' (DELIMITER ' ')
-- The CLI's answers, one JSON object a line.
CREATE TABLE cli_points (n serial PRIMARY KEY, edition int, j jsonb);
\copy cli_points (j) FROM PROGRAM 'cut -d" " -f1,2 data/points.txt | "$TUFU_CLI" --json point' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
UPDATE cli_points SET edition = 1992;
\copy cli_points (j) FROM PROGRAM 'cut -d" " -f1,2 data/points.txt | "$TUFU_CLI" --json --standard 2012 point' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
UPDATE cli_points SET edition = 2012 WHERE edition IS NULL;

-- Each point and scale: the CLI's numbers and the extension's.
CREATE VIEW point_answers AS
SELECT p.n, c.edition, s.k, s.j->>'scale' AS scale,
       nullif(s.j->>'new', '') AS cli_new, nullif(s.j->>'old', '') AS cli_old,
       ARRAY(SELECT jsonb_array_elements_text(s.j->'bounds'))::float8[] AS cli_bounds,
       tufu_sheet(p.lon, p.lat, s.j->>'scale', c.edition) AS new,
       tufu_old_sheet(p.lon, p.lat, s.j->>'scale', c.edition) AS old,
       (SELECT ARRAY[b.west, b.south, b.east, b.north]
          FROM tufu_sheet_bounds(p.lon, p.lat, s.j->>'scale', c.edition) b) AS bounds
FROM points p
JOIN cli_points c ON c.n - CASE c.edition WHEN 1992 THEN 0 ELSE (SELECT count(*) FROM points) END = p.n
CROSS JOIN LATERAL jsonb_array_elements(c.j->'sheets') WITH ORDINALITY AS s(j, k);

SELECT count(*) AS compared,
       count(*) FILTER (WHERE new IS DISTINCT FROM cli_new OR old IS DISTINCT FROM cli_old
                          OR bounds IS DISTINCT FROM cli_bounds) AS differing
FROM point_answers;
SELECT * FROM point_answers
WHERE new IS DISTINCT FROM cli_new OR old IS DISTINCT FROM cli_old OR bounds IS DISTINCT FROM cli_bounds;

-- The table of cases, as a user sees it.
SELECT n, edition, scale, new, old FROM point_answers WHERE n IN (1, 2) ORDER BY n, edition, k;

-- Outside the range, and what no number exists for: NULL.
SELECT lon, lat, tufu_sheet(lon, lat, '1:5万') AS new, tufu_old_sheet(lon, lat, '5万') AS old
FROM (VALUES (-0.5::float8, 30::float8), (116, 60.0000001), (180.0000001, 30), (116, -1e-9),
             ('NaN', 30), (116, 'NaN'), ('Infinity', 30), (116, '-Infinity'),
             (1e308, 1e308)) AS v(lon, lat);
SELECT tufu_sheet(116.4, 39.9, '1:20万') AS new_at_200k, tufu_old_sheet(116.4, 39.9, '1:20万') AS old_at_200k,
       tufu_old_sheet(116.4, 39.9, '1:2000', 2012) AS old_at_2000;
-- Every spelling of a scale.
SELECT s, tufu_sheet(116.391667, 39.908333, s) FROM unnest(ARRAY['1:5万', '5万', '1:50000', '50000']) s;
SELECT s, tufu_sheet(116.391667, 39.908333, s) FROM unnest(ARRAY['1:5000', '5千', '5000']) s;
