-- Hostile input: very long texts, invalid UTF-8, NaN and infinities.
SELECT length(tufu_to_old(repeat('J50', 1))) AS short,
       (tufu_sheet_info(repeat('J', 10000000))).reason AS ten_million,
       (tufu_sheet_info(repeat('J-', 5000000) || '1')).reason AS dashes,
       (tufu_sheet_info(repeat('中', 1000000))).valid AS cjk;
SELECT (refusal($$SELECT tufu_to_new(repeat('J-50-', 2000000))$$)).*;
SELECT (refusal($$SELECT tufu_sheet(116, 39, repeat('万', 1000000))$$)).state;
SELECT * FROM tufu_sheet_info(E'J50\u00a0');
SELECT tufu_sheet(lon, lat, '1:100万') FROM (VALUES ('NaN'::float8, 'NaN'::float8),
  ('Infinity', 'Infinity'), ('-Infinity', 0), (0, '-0'), ('-0', 0), (1e-320, 1e-320),
  (179.99999999999997, 59.9999)) AS v(lon, lat);
SELECT (refusal($$SELECT * FROM tufu_grid('NaN', 'Infinity', 0, 1, '1:5万')$$)).detail,
       (refusal($$SELECT * FROM tufu_grid(0, 'Infinity', 0, 1, '1:5万')$$)).detail,
       (refusal($$SELECT * FROM tufu_grid(0, 1, '-Infinity', 1, '1:5万')$$)).detail;

-- Bytes that are not UTF-8, in a database that takes any bytes.
CREATE DATABASE tufu_sql_ascii ENCODING 'SQL_ASCII' LC_COLLATE 'C' LC_CTYPE 'C' TEMPLATE template0;
\c tufu_sql_ascii
CREATE EXTENSION tufu;
DO $$
DECLARE
  t text;
  refused int := 0;
BEGIN
  FOREACH t IN ARRAY ARRAY[E'J50\xff', E'\xe4\xb8', E'J-50-\xc0\x80', E'\xed\xa0\x80J50',
                           E'\xf4\x90\x80\x80', E'J50C00100\xe4', E'\xe4J50']
  LOOP
    IF (tufu_sheet_info(t)).valid THEN
      RAISE EXCEPTION 'accepted %', t::bytea;
    END IF;
    BEGIN
      PERFORM tufu_to_old(t);
    EXCEPTION WHEN invalid_parameter_value THEN
      refused := refused + 1;
    END;
    BEGIN
      PERFORM tufu_sheet(116, 39, t);
    EXCEPTION WHEN invalid_parameter_value THEN
      refused := refused + 1;
    END;
  END LOOP;
  RAISE NOTICE 'refused % of 14', refused;
END $$;
SELECT (tufu_sheet_info(E'\xff')).reason;
\c contrib_regression
DROP DATABASE tufu_sql_ascii;
SELECT 'still answering' AS backend;
