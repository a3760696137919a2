-- The set-returning functions, compared with tufu-cli --json.

-- Neighbours across the borders of 1:100万 sheets and zones, and at the
-- edge of the numbering (no sheet beyond 0°–180° E, 0°–60° N).
CREATE TABLE neighbour_cases (n serial PRIMARY KEY, number text);
INSERT INTO neighbour_cases (number) VALUES
  ('J50E001010'), ('J50C001004'), ('J50C001001'), ('A31E024001'), ('O60H001192'), ('J-50-5-(23)-A'),
  ('J50'), ('I-48-XXXV');
CREATE TABLE cli_neighbours (n serial PRIMARY KEY, j jsonb);
\copy cli_neighbours (j) FROM PROGRAM '"$TUFU_CLI" --json neighbours J50E001010 J50C001004 J50C001001 A31E024001 O60H001192 "J-50-5-(23)-A" J50 I-48-XXXV' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
-- The CLI's grid, less the sheet itself, in the order NW, N, NE, W, E, SW, S, SE.
CREATE VIEW neighbour_check AS
SELECT c.n, k.direction,
       nullif(c.j->'grid'->k.r->k.c->>'new', '') AS cli_new,
       nullif(c.j->'grid'->k.r->k.c->>'old', '') AS cli_old,
       jsonb_typeof(c.j->'grid'->k.r->k.c) AS cli_kind
FROM cli_neighbours c,
     (VALUES ('NW', 0, 0), ('N', 0, 1), ('NE', 0, 2), ('W', 1, 0), ('E', 1, 2),
             ('SW', 2, 0), ('S', 2, 1), ('SE', 2, 2)) AS k(direction, r, c);
SELECT count(*) AS compared,
       count(*) FILTER (WHERE t.direction IS NULL AND v.cli_kind = 'object'
                           OR v.cli_kind IS DISTINCT FROM 'object' AND t.direction IS NOT NULL
                           OR t.new IS DISTINCT FROM v.cli_new OR t.old IS DISTINCT FROM v.cli_old)
         AS differing
FROM neighbour_check v
JOIN neighbour_cases x USING (n)
LEFT JOIN LATERAL (SELECT * FROM tufu_neighbours(x.number) t WHERE t.direction = v.direction) t ON true;
SELECT * FROM tufu_neighbours('J50C001004');
SELECT * FROM tufu_neighbours('A31E024001');
SELECT * FROM tufu_neighbours('J50I576576', 2012);

-- Containing sheets.
SELECT * FROM tufu_containing('J50H005077');
SELECT * FROM tufu_containing('J50');
SELECT * FROM tufu_containing('J50K00530919', 2012);

-- Contained blocks: the corners and the size as tufu-cli contains.
CREATE TABLE contained_cases (n serial PRIMARY KEY, number text, scale text);
INSERT INTO contained_cases (number, scale) VALUES
  ('J50E001010', '1:1万'), ('J50', '1:5万'), ('J-50-III', '1:5万'), ('J50', '1:20万'),
  ('J50C001002', '1:5000');
CREATE TABLE cli_contained (n serial PRIMARY KEY, j jsonb);
\copy cli_contained (j) FROM PROGRAM '"$TUFU_CLI" --json contains J50E001010 --scale 1万' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
\copy cli_contained (j) FROM PROGRAM '"$TUFU_CLI" --json contains J50 --scale 5万' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
\copy cli_contained (j) FROM PROGRAM '"$TUFU_CLI" --json contains J-50-III --scale 5万' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
\copy cli_contained (j) FROM PROGRAM '"$TUFU_CLI" --json contains J50 --scale 20万' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
\copy cli_contained (j) FROM PROGRAM '"$TUFU_CLI" --json contains J50C001002 --scale 5000' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
SELECT x.number, x.scale, c.j->>'relation' AS cli_relation, b.count,
       b.count = (c.j->>'rows')::int * (c.j->>'cols')::int
       AND b.first IS NOT DISTINCT FROM nullif(coalesce(nullif(c.j->'topleft'->>'new', ''), c.j->'topleft'->>'old'), '')
       AND b.last IS NOT DISTINCT FROM nullif(coalesce(nullif(c.j->'bottomright'->>'new', ''), c.j->'bottomright'->>'old'), '')
         AS agrees
FROM contained_cases x JOIN cli_contained c USING (n),
LATERAL (SELECT count(*) AS count,
                (array_agg(coalesce(t.new, t.old)))[1] AS first,
                (array_agg(coalesce(t.new, t.old)))[count(*)] AS last
         FROM tufu_contained(x.number, x.scale) t) b
ORDER BY n;
SELECT * FROM tufu_contained('J50E001010', '1:2.5万');

-- Blocks: every sheet as tufu-cli block --list answers.
CREATE TABLE cli_blocks (n serial PRIMARY KEY, j jsonb);
\copy cli_blocks (j) FROM PROGRAM '"$TUFU_CLI" --json block 116 117 39 40 --scale 5万 --list' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
\copy cli_blocks (j) FROM PROGRAM '"$TUFU_CLI" --json block 114,30 118 39 41,30 --scale 100万 --list' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
\copy cli_blocks (j) FROM PROGRAM '"$TUFU_CLI" --json block 115,10 116,20 38,55 39,05 --scale 20万 --list' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
\copy cli_blocks (j) FROM PROGRAM '"$TUFU_CLI" --json block 179,50 180 59,50 60 --scale 1万 --list' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
CREATE TABLE block_cases (n serial PRIMARY KEY, w float8, e float8, s float8, nn float8, scale text);
INSERT INTO block_cases (w, e, s, nn, scale) VALUES
  (116, 117, 39, 40, '1:5万'), (114.5, 118, 39, 41.5, '1:100万'),
  (115 + 10 / 60.0, 116 + 20 / 60.0, 38 + 55 / 60.0, 39 + 5 / 60.0, '1:20万'),
  (179 + 50 / 60.0, 180, 59 + 50 / 60.0, 60, '1:1万');
SELECT x.n, x.scale, count(*) AS sheets,
       count(*) FILTER (WHERE c.j IS NULL OR t.new IS DISTINCT FROM nullif(c.j->>'new', '')
                           OR t.old IS DISTINCT FROM nullif(c.j->>'old', '')
                           OR ARRAY[t.west, t.south, t.east, t.north] <>
                              ARRAY(SELECT jsonb_array_elements_text(c.j->'bounds'))::float8[])
         AS differing
FROM block_cases x
JOIN cli_blocks b USING (n)
CROSS JOIN LATERAL (SELECT row_number() OVER () AS k, * FROM tufu_grid(x.w, x.e, x.s, x.nn, x.scale)) t
LEFT JOIN LATERAL (SELECT s.j FROM jsonb_array_elements(b.j->'sheets') WITH ORDINALITY AS s(j, k)
                   WHERE s.k = t.k) c ON true
GROUP BY x.n, x.scale ORDER BY x.n;
SELECT * FROM tufu_grid(115 + 10 / 60.0, 116 + 20 / 60.0, 38 + 55 / 60.0, 39 + 5 / 60.0, '1:20万');
SELECT count(*) FROM tufu_grid(0, 180, 0, 60, '1:100万');
SELECT * FROM tufu_scales();
SELECT scale, denominator FROM tufu_scales(2012);

-- NULL in, NULL or nothing out.
SELECT tufu_sheet(NULL, 39, '1:5万') IS NULL AS a, tufu_sheet(116, NULL, '1:5万') IS NULL AS b,
       tufu_sheet(116, 39, NULL) IS NULL AS c, tufu_sheet(116, 39, '1:5万', NULL) IS NULL AS d,
       tufu_old_sheet(NULL, 39, '1:5万') IS NULL AS e, tufu_to_old(NULL) IS NULL AS f,
       tufu_to_new(NULL) IS NULL AS g, tufu_sheet_name(NULL) IS NULL AS h,
       tufu_sheet_info(NULL) IS NULL AS i, tufu_sheet_info('J50', NULL) IS NULL AS j,
       tufu_sheet_bounds(NULL) IS NULL AS k;
SELECT (SELECT count(*) FROM tufu_containing(NULL)) + (SELECT count(*) FROM tufu_neighbours(NULL))
       + (SELECT count(*) FROM tufu_contained('J50', NULL)) + (SELECT count(*) FROM tufu_grid(116, 117, 39, NULL, '1:5万'))
       + (SELECT count(*) FROM tufu_scales(NULL)) AS rows;

-- A set-returning function in the select list streams too.
SELECT tufu_grid(116, 116.5, 39.5, 40, '1:10万');
-- A grid of 493682688 sheets stops at a cancel, however fast the machine.
SET statement_timeout = '1s';
SELECT count(*) FROM tufu_grid(73, 135, 18, 54, '1:500', 2012);
SELECT count(*) FROM (SELECT tufu_grid(73, 135, 18, 54, '1:500', 2012)) g;
RESET statement_timeout;
SELECT 'still answering' AS backend;
