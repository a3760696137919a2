-- tufu: sheet numbers of China's national basic-scale topographic maps
-- (GB/T 13989, 1992 and 2012 editions).
--
-- Scales are written as tufu-cli takes them: '1:5万', '5万', '1:50000',
-- '50000' ('5千' for 1:5000).  The edition is 1992 (nine scales, the
-- default) or 2012 (also 1:2000, 1:1000 and 1:500).  Points are decimal
-- degrees (CGCS2000 longitude and latitude), 0 to 180 E and 0 to 60 N.
--
-- Every function is IMMUTABLE, STRICT and PARALLEL SAFE.  A refused sheet
-- number, scale, edition or block raises ERROR with SQLSTATE 22023
-- (invalid_parameter_value) and tufu's Chinese reason in the DETAIL;
-- tufu_sheet_info alone never raises.

\echo Use "CREATE EXTENSION tufu" to load this file. \quit

-- Points

CREATE FUNCTION tufu_sheet(lon float8, lat float8, scale text, edition int DEFAULT 1992)
RETURNS text
AS 'MODULE_PATHNAME', 'pgtufu_sheet'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION tufu_sheet(float8, float8, text, int) IS
'New sheet number of the sheet at the scale that holds the point (lon, lat); a point on a sheet edge lies in the sheet north or east of it. NULL outside 0..180 E, 0..60 N, and at 1:20万, which has no new numbers';

CREATE FUNCTION tufu_old_sheet(lon float8, lat float8, scale text, edition int DEFAULT 1992)
RETURNS text
AS 'MODULE_PATHNAME', 'pgtufu_old_sheet'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION tufu_old_sheet(float8, float8, text, int) IS
'Old sheet number of the sheet at the scale that holds the point (lon, lat); NULL outside 0..180 E, 0..60 N, and at the scales without old numbers';

CREATE FUNCTION tufu_sheet_bounds(lon float8, lat float8, scale text, edition int DEFAULT 1992,
                                  OUT west float8, OUT south float8,
                                  OUT east float8, OUT north float8)
AS 'MODULE_PATHNAME', 'pgtufu_point_bounds'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION tufu_sheet_bounds(float8, float8, text, int) IS
'Edges in degrees of the sheet at the scale that holds the point (lon, lat); NULL outside 0..180 E, 0..60 N';

-- Sheet numbers

CREATE FUNCTION tufu_sheet_info(number text, edition int DEFAULT 1992,
                                OUT valid boolean, OUT reason text, OUT kind text,
                                OUT scale text, OUT new text, OUT old text,
                                OUT west float8, OUT south float8,
                                OUT east float8, OUT north float8, OUT name text)
AS 'MODULE_PATHNAME', 'pgtufu_sheet_info'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION tufu_sheet_info(text, int) IS
'Reads a typed sheet number in either numbering: whether it is valid, else why not (in Chinese); kind new or old; scale, new and old number, edges in degrees and place name. Never raises';

CREATE FUNCTION tufu_to_old(number text, edition int DEFAULT 1992)
RETURNS text
AS 'MODULE_PATHNAME', 'pgtufu_to_old'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION tufu_to_old(text, int) IS
'Old sheet number of the sheet that a number in either numbering names; NULL at the scales without old numbers';

CREATE FUNCTION tufu_to_new(number text, edition int DEFAULT 1992)
RETURNS text
AS 'MODULE_PATHNAME', 'pgtufu_to_new'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION tufu_to_new(text, int) IS
'New sheet number of the sheet that a number in either numbering names; NULL at 1:20万';

CREATE FUNCTION tufu_sheet_name(number text, edition int DEFAULT 1992)
RETURNS text
AS 'MODULE_PATHNAME', 'pgtufu_sheet_name'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION tufu_sheet_name(text, int) IS
'Place name of the sheet that a number in either numbering names (1:100万 to 1:5万); NULL when it has none';

CREATE FUNCTION tufu_sheet_bounds(number text, edition int DEFAULT 1992,
                                  OUT west float8, OUT south float8,
                                  OUT east float8, OUT north float8)
AS 'MODULE_PATHNAME', 'pgtufu_number_bounds'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION tufu_sheet_bounds(text, int) IS
'Edges in degrees of the sheet that a number in either numbering names';

-- Sets of sheets

CREATE FUNCTION tufu_containing(number text, edition int DEFAULT 1992)
RETURNS TABLE (scale text, new text, old text)
AS 'MODULE_PATHNAME', 'pgtufu_containing'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE ROWS 10;
COMMENT ON FUNCTION tufu_containing(text, int) IS
'The sheets of the smaller scales that contain the sheet, in the order of tufu-cli sheet';

CREATE FUNCTION tufu_contained(number text, scale text, edition int DEFAULT 1992)
RETURNS TABLE (new text, old text, west float8, south float8, east float8, north float8)
AS 'MODULE_PATHNAME', 'pgtufu_contained'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE ROWS 100;
COMMENT ON FUNCTION tufu_contained(text, text, int) IS
'The sheets of a larger scale that the sheet contains, row by row from the north-west';

CREATE FUNCTION tufu_neighbours(number text, edition int DEFAULT 1992)
RETURNS TABLE (direction text, new text, old text)
AS 'MODULE_PATHNAME', 'pgtufu_neighbours'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE ROWS 8;
COMMENT ON FUNCTION tufu_neighbours(text, int) IS
'The sheets around the sheet at its own scale, direction NW, N, NE, W, E, SW, S or SE; none beyond 0..180 E, 0..60 N';

CREATE FUNCTION tufu_grid(block_west float8, block_east float8,
                          block_south float8, block_north float8,
                          scale text, edition int DEFAULT 1992)
RETURNS TABLE (new text, old text, west float8, south float8, east float8, north float8)
AS 'MODULE_PATHNAME', 'pgtufu_grid'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE ROWS 1000;
COMMENT ON FUNCTION tufu_grid(float8, float8, float8, float8, text, int) IS
'The sheets of the scale that cover the block west..east, south..north (degrees) as tufu-cli block answers, row by row from the north-west; streamed';

CREATE FUNCTION tufu_scales(edition int DEFAULT 1992)
RETURNS TABLE (scale text, denominator int, width float8, height float8, shows_new boolean)
AS 'MODULE_PATHNAME', 'pgtufu_scales'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE ROWS 12;
COMMENT ON FUNCTION tufu_scales(int) IS
'The scales of the edition: label, denominator, sheet width and height in degrees, whether its sheets have new numbers';
