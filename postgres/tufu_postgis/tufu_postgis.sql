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
  -- libtufu's rule (tufu.h, "sheets a geometry touches"), with PostGIS for
  -- the two geometric tests.  Outside the numbering's range the candidates
  -- are refused with the reason.
  WITH g AS (
    SELECT ST_Transform(geom, 4490) AS g
    WHERE NOT ST_IsEmpty(geom)),
  candidate AS (
    SELECT row_number() OVER () AS k, coalesce(c.new, c.old) AS number, g.g,
           ST_MakeEnvelope(c.west, c.south, c.east, c.north, 4490) AS sheet
    FROM g, tufu_touching_candidates(ST_XMin(g.g), ST_XMax(g.g), ST_YMin(g.g), ST_YMax(g.g),
                                     scale, edition) AS c),
  meeting AS (
    SELECT * FROM candidate WHERE ST_Intersects(g, sheet)),
  -- The sheets whose inside the geometry meets.
  inside AS (
    SELECT k, number FROM meeting WHERE ST_Relate(g, sheet, 'T********')),
  -- Wholly on sheet edges: the sheets that hold one of its points, as
  -- libtufu places points.  The points that decide are those of the
  -- geometry's meeting with a sheet and the middle of each straight piece
  -- of it, which lies on one edge and is held, all of it, by one sheet.
  part AS (
    SELECT m.k, m.number, d.geom
    FROM meeting m, ST_Dump(ST_Intersection(m.g, m.sheet)) AS d
    WHERE NOT EXISTS (SELECT FROM inside)),
  probe AS (
    SELECT k, number, ST_X(geom) AS x, ST_Y(geom) AS y
    FROM part WHERE ST_GeometryType(geom) = 'ST_Point'
    UNION ALL
    SELECT k, number, (ST_X(ST_StartPoint(s.geom)) + ST_X(ST_EndPoint(s.geom))) / 2,
           (ST_Y(ST_StartPoint(s.geom)) + ST_Y(ST_EndPoint(s.geom))) / 2
    FROM part, ST_DumpSegments(part.geom) AS s
    WHERE ST_GeometryType(part.geom) <> 'ST_Point'),
  held AS (
    SELECT DISTINCT k, number FROM probe
    WHERE coalesce(tufu_sheet(x, y, scale, edition), tufu_old_sheet(x, y, scale, edition)) = number)
  SELECT number FROM (SELECT k, number FROM inside UNION ALL SELECT k, number FROM held) AS t
  ORDER BY k
$$
LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE ROWS 10;
COMMENT ON FUNCTION tufu_sheets_touching(geometry, text, int) IS
'The sheets of the scale that a geometry in any SRID touches, row by row from the north-west: new numbers, old numbers at 1:20万. A sheet is touched when the geometry meets its inside; a geometry that lies wholly on sheet edges touches the sheets that hold its points, a point on an edge lying in the sheet north or east of it';
