-- Typed sheet numbers in both numberings and editions, accepted and
-- refused, compared field by field with tufu-cli --json sheet.
CREATE TABLE numbers (n serial PRIMARY KEY, edition int, number text);
\copy numbers (number) FROM 'data/numbers-1992.txt'
UPDATE numbers SET edition = 1992;
\copy numbers (number) FROM 'data/numbers-2012.txt'
UPDATE numbers SET edition = 2012 WHERE edition IS NULL;
CREATE TABLE cli_numbers (n serial PRIMARY KEY, j jsonb);
\copy cli_numbers (j) FROM PROGRAM '"$TUFU_CLI" --json sheet < data/numbers-1992.txt' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')
\copy cli_numbers (j) FROM PROGRAM '"$TUFU_CLI" --json --standard 2012 sheet < data/numbers-2012.txt' WITH (FORMAT csv, QUOTE E'\x01', DELIMITER E'\x02')

CREATE VIEW number_answers AS
SELECT x.n, x.edition, x.number, i.*, c.j,
       (c.j->>'valid')::boolean IS NOT DISTINCT FROM i.valid
       AND c.j->>'error' IS NOT DISTINCT FROM i.reason
       AND (NOT i.valid OR c.j->>'numbering' IS NOT DISTINCT FROM i.kind)
       AND c.j->>'scale' IS NOT DISTINCT FROM i.scale
       AND nullif(c.j->>'new', '') IS NOT DISTINCT FROM i.new
       AND nullif(c.j->>'old', '') IS NOT DISTINCT FROM i.old
       AND nullif(c.j->>'name', '') IS NOT DISTINCT FROM i.name
       AND ARRAY(SELECT jsonb_array_elements_text(c.j->'bounds'))::float8[]
           IS NOT DISTINCT FROM CASE WHEN i.valid THEN ARRAY[i.west, i.south, i.east, i.north]
                                     ELSE '{}'::float8[] END
       AND coalesce(c.j->'containing', '[]') =
           coalesce((SELECT jsonb_agg(jsonb_build_object('scale', u.scale, 'new', coalesce(u.new, ''),
                                                         'old', coalesce(u.old, '')))
                     FROM tufu_containing(x.number, x.edition) u
                     WHERE i.valid), '[]') AS agrees
FROM numbers x
JOIN cli_numbers c USING (n)
CROSS JOIN LATERAL tufu_sheet_info(x.number, x.edition) i;

SELECT count(*) AS compared, count(*) FILTER (WHERE NOT agrees) AS differing FROM number_answers;
SELECT n, edition, number, j FROM number_answers WHERE NOT agrees;

-- The table of cases.
SELECT edition, number, valid, kind, scale, new, old, west, south, east, north, name
FROM number_answers WHERE valid ORDER BY n;
SELECT edition, number, kind, reason FROM number_answers WHERE NOT valid ORDER BY n;
-- A bad edition is a reason too: tufu_sheet_info never raises.
SELECT * FROM tufu_sheet_info('J50', 2000);
SELECT * FROM tufu_sheet_info('', 1992);

-- The conversions and the name.
SELECT number, tufu_to_old(number, edition), tufu_to_new(number, edition),
       tufu_sheet_name(number, edition)
FROM numbers WHERE (tufu_sheet_info(number, edition)).valid ORDER BY n;

-- Refused numbers raise 22023 with the reason as the detail.
CREATE FUNCTION refusal(query text, OUT state text, OUT message text, OUT detail text) AS $$
BEGIN
  EXECUTE query;
  state := '00000';
EXCEPTION WHEN OTHERS THEN
  GET STACKED DIAGNOSTICS state = RETURNED_SQLSTATE, message = MESSAGE_TEXT,
                          detail = PG_EXCEPTION_DETAIL;
END $$ LANGUAGE plpgsql;

SELECT q, r.* FROM unnest(ARRAY[
  $$SELECT tufu_to_old('J5')$$,
  $$SELECT tufu_to_new('K-49X')$$,
  $$SELECT tufu_sheet_name('J50J00010001')$$,
  $$SELECT tufu_sheet_bounds('L-51-[17]')$$,
  $$SELECT tufu_to_old('')$$,
  $$SELECT tufu_to_old(repeat('J', 100))$$,
  $$SELECT tufu_to_old('J50E001010', 2000)$$,
  $$SELECT * FROM tufu_containing('M-47-2-(65)')$$,
  $$SELECT * FROM tufu_neighbours('J61')$$,
  $$SELECT * FROM tufu_contained('J50', '1:3万')$$,
  $$SELECT * FROM tufu_contained('J50E001010', '1:10万')$$,
  $$SELECT * FROM tufu_contained('J50I001003', '1:25万')$$,
  $$SELECT tufu_sheet(116, 39, '1:3万')$$,
  $$SELECT tufu_sheet(116, 39, '1:500')$$,
  $$SELECT tufu_sheet(116, 39, '1:5万 ')$$,
  $$SELECT tufu_sheet(116, 39, '1:5万', 2013)$$,
  $$SELECT * FROM tufu_grid(117, 116, 39, 40, '1:5万')$$,
  $$SELECT * FROM tufu_grid(116, 117, 40, 40, '1:5万')$$,
  $$SELECT * FROM tufu_grid(116, 181, 39, 40, '1:5万')$$,
  $$SELECT * FROM tufu_grid(116, 117, 'NaN', 40, '1:5万')$$,
  $$SELECT * FROM tufu_scales(1993)$$
]) AS q, refusal(q) AS r;
-- As psql shows one.
SELECT tufu_to_new('J50B003001');
