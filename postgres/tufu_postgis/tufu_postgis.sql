-- tufu_postgis: tufu's sheet numbers for PostGIS geometries.
--
-- Sheets are drawn in EPSG:4490 (CGCS2000 longitude and latitude); a
-- geometry in any other SRID is transformed to it first.  Written over the
-- tufu extension and PostGIS, which must be on the search_path.

\echo Use "CREATE EXTENSION tufu_postgis" to load this file. \quit

CREATE FUNCTION tufu_sheet(geom geometry, scale text, edition int DEFAULT 1992)
RETURNS text
AS $$
  -- ST_Transform hands a geometry already in 4490 back as it is.
  SELECT tufu_sheet(ST_X(ST_Transform(geom, 4490)), ST_Y(ST_Transform(geom, 4490)),
                    scale, edition)
$$
LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION tufu_sheet(geometry, text, int) IS
'New sheet number of the sheet at the scale that holds the point, in any SRID; NULL outside 0..180 E, 0..60 N and at 1:20万';

CREATE FUNCTION tufu_old_sheet(geom geometry, scale text, edition int DEFAULT 1992)
RETURNS text
AS $$
  SELECT tufu_old_sheet(ST_X(ST_Transform(geom, 4490)), ST_Y(ST_Transform(geom, 4490)),
                        scale, edition)
$$
LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION tufu_old_sheet(geometry, text, int) IS
'Old sheet number of the sheet at the scale that holds the point, in any SRID';

CREATE FUNCTION tufu_sheet_geom(number text, edition int DEFAULT 1992, segments int DEFAULT 1)
RETURNS geometry(Polygon, 4490)
AS $$
DECLARE
  b record;
BEGIN
  IF segments < 1 OR segments > 1000 THEN
    RAISE EXCEPTION 'invalid number of segments per edge: %', segments
      USING ERRCODE = 'invalid_parameter_value', DETAIL = '每条边应分为1至1000段';
  END IF;
  SELECT * INTO b FROM tufu_sheet_bounds(number, edition);
  IF segments = 1 THEN
    RETURN ST_MakeEnvelope(b.west, b.south, b.east, b.north, 4490);
  END IF;
  -- From the south-west corner north, east, south and west again,
  -- `segments` pieces to an edge, as ST_MakeEnvelope goes round.
  RETURN ST_SetSRID(ST_MakePolygon(ST_MakeLine(ARRAY(
    SELECT ST_MakePoint(
             CASE i / segments
               WHEN 0 THEN b.west
               WHEN 1 THEN b.west + (b.east - b.west) * (i % segments) / segments
               WHEN 2 THEN b.east
               WHEN 3 THEN b.east - (b.east - b.west) * (i % segments) / segments
               ELSE b.west END,
             CASE i / segments
               WHEN 0 THEN b.south + (b.north - b.south) * (i % segments) / segments
               WHEN 1 THEN b.north
               WHEN 2 THEN b.north - (b.north - b.south) * (i % segments) / segments
               ELSE b.south END)
    FROM generate_series(0, 4 * segments) AS i
    ORDER BY i))), 4490);
END
$$
LANGUAGE plpgsql IMMUTABLE STRICT PARALLEL SAFE;
COMMENT ON FUNCTION tufu_sheet_geom(text, int, int) IS
'The sheet that a number in either numbering names, as a polygon in EPSG:4490; with segments > 1 every edge is cut into that many pieces, so that it bends when transformed to a projection';

CREATE FUNCTION tufu_sheets_touching(geom geometry, scale text, edition int DEFAULT 1992)
RETURNS SETOF text
AS $$
  WITH g AS (
    SELECT ST_Transform(geom, 4490) AS g
    WHERE NOT ST_IsEmpty(geom)),
  -- The sheets that hold the south-west and the north-east corner of its
  -- bounding box bound the candidates.  Outside the numbering's range the
  -- box itself goes to tufu_grid, which refuses it with the reason.
  box AS (
    SELECT g.g, coalesce(sw.west, ST_XMin(g.g)) AS west, coalesce(ne.east, ST_XMax(g.g)) AS east,
           coalesce(sw.south, ST_YMin(g.g)) AS south, coalesce(ne.north, ST_YMax(g.g)) AS north
    FROM g,
         tufu_sheet_bounds(ST_XMin(g.g), ST_YMin(g.g), scale, edition) AS sw,
         tufu_sheet_bounds(ST_XMax(g.g), ST_YMax(g.g), scale, edition) AS ne),
  candidate AS (
    SELECT coalesce(s.new, s.old) AS number, box.g, s.west, s.south, s.east, s.north,
           ST_MakeEnvelope(s.west, s.south, s.east, s.north, 4490) AS sheet
    FROM box, tufu_grid(box.west, box.east, box.south, box.north, scale, edition) AS s),
  meeting AS (
    SELECT * FROM candidate WHERE ST_Intersects(g, sheet)),
  -- The sheets whose inside the geometry reaches.
  inside AS (
    SELECT number FROM meeting WHERE NOT ST_Touches(g, sheet))
  SELECT number FROM inside
  UNION ALL
  -- A geometry that only runs along sheet edges (a point on an edge, a
  -- line on a parallel) lies, as a point does, in the sheets north and
  -- east of them: those that it meets elsewhere than on their north and
  -- east edges.
  SELECT number FROM meeting
  WHERE NOT EXISTS (SELECT FROM inside)
    AND NOT ST_Covers(ST_SetSRID(ST_MakeLine(ARRAY[ST_MakePoint(west, north),
                                                   ST_MakePoint(east, north),
                                                   ST_MakePoint(east, south)]), 4490),
                      ST_Intersection(g, sheet))
$$
LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE ROWS 10;
COMMENT ON FUNCTION tufu_sheets_touching(geometry, text, int) IS
'The sheets of the scale that a geometry in any SRID reaches into, row by row from the north-west: new numbers, old numbers at 1:20万. A geometry that only runs along sheet edges gets the sheets north and east of them, as a point does';
