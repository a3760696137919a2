-- tufu_postgis: points in any SRID, sheets as polygons, the sheets a line
-- or polygon reaches.
CREATE EXTENSION postgis;
CREATE EXTENSION tufu_postgis;
SELECT srid, auth_name, auth_srid FROM spatial_ref_sys WHERE srid IN (4490, 4548, 4326) ORDER BY srid;

-- A point in CGCS2000, in WGS 84, and projected (CGCS2000 / 3-degree
-- Gauss-Kruger CM 117E, EPSG:4548), at every scale.
CREATE TABLE geo_points AS
SELECT n, lon, lat, ST_SetSRID(ST_MakePoint(lon, lat), 4490) AS g4490
FROM points;
SELECT count(*) AS compared,
       count(*) FILTER (WHERE tufu_sheet(g4490, s.scale) IS DISTINCT FROM tufu_sheet(lon, lat, s.scale)
                           OR tufu_old_sheet(g4490, s.scale) IS DISTINCT FROM tufu_old_sheet(lon, lat, s.scale))
         AS differing
FROM geo_points, tufu_scales() s;
SELECT tufu_sheet(ST_Transform(ST_SetSRID(ST_MakePoint(116.391667, 39.908333), 4490), 4548), scale) AS projected,
       tufu_sheet(ST_SetSRID(ST_MakePoint(116.391667, 39.908333), 4326), scale) AS wgs84,
       tufu_sheet(116.391667, 39.908333, scale) AS lonlat
FROM tufu_scales() WHERE shows_new;
SELECT tufu_sheet(ST_GeomFromText('POINT(511000 4417000)', 4548), '1:1万'),
       tufu_old_sheet(ST_GeomFromText('POINT(511000 4417000)', 4548), '1:1万');
SELECT tufu_sheet(ST_GeomFromText('POINT EMPTY', 4490), '1:5万') IS NULL AS empty_point;
SELECT (refusal($$SELECT tufu_sheet(ST_MakePoint(116, 39), '1:5万')$$)).message;
SELECT (refusal($$SELECT tufu_sheet(ST_GeomFromText('LINESTRING(116 39, 117 40)', 4490), '1:5万')$$)).message;

-- Sheets as polygons.
SELECT ST_AsText(tufu_sheet_geom('J50E001010')) AS polygon, ST_SRID(tufu_sheet_geom('J-50-5-B')) AS srid;
SELECT ST_AsText(tufu_sheet_geom('J50', 1992, 2)) AS densified;
SELECT ST_NPoints(tufu_sheet_geom('J50H005077', 1992, 100)) AS points,
       ST_Equals(tufu_sheet_geom('J50H005077', 1992, 100), tufu_sheet_geom('J50H005077')) AS same_area,
       ST_IsValid(tufu_sheet_geom('J50K00530919', 2012, 7)) AS valid;
SELECT ST_Area(ST_Transform(tufu_sheet_geom('J50E001010', 1992, 16), 4548)) / 1e6 AS km2;
SELECT (refusal($$SELECT tufu_sheet_geom('J50E001011X')$$)).*;
SELECT (refusal($$SELECT tufu_sheet_geom('J50E001010', 1992, 0)$$)).*;
SELECT (refusal($$SELECT tufu_sheet_geom('J50E001010', 1992, 1001)$$)).*;

-- The sheets a geometry reaches.
SELECT tufu_sheets_touching(ST_GeomFromText('LINESTRING(116.1 39.95, 116.6 39.7)', 4490), '1:5万');
SELECT tufu_sheets_touching(ST_GeomFromText('POLYGON((116.3 39.7, 116.6 39.7, 116.6 39.9, 116.3 39.9, 116.3 39.7))', 4490), '1:10万');
-- A polygon whose edges are sheet edges reaches only the sheets inside.
SELECT tufu_sheets_touching(tufu_sheet_geom('J50D001005'), '1:5万');
-- A point on an edge, and on a corner, lies in the sheet north and east of it.
SELECT tufu_sheets_touching(ST_SetSRID(ST_MakePoint(116.25, 39.9), 4490), '1:5万') AS on_meridian,
       tufu_sheet(116.25, 39.9, '1:5万') AS point_sheet;
SELECT tufu_sheets_touching(ST_SetSRID(ST_MakePoint(116.25, 39 + 50 / 60.0), 4490), '1:5万') AS on_corner,
       tufu_sheet(116.25, 39 + 50 / 60.0, '1:5万') AS point_sheet;
-- A line along a parallel: the sheets north of it.
SELECT tufu_sheets_touching(ST_GeomFromText('LINESTRING(116.1 40, 116.4 40)', 4490), '1:5万');
-- At 1:20万, old numbers.
SELECT tufu_sheets_touching(ST_GeomFromText('LINESTRING(115.5 39.5, 116.5 39.5)', 4490), '1:20万');
-- Projected: a square kilometre in EPSG:4548 that crosses a 1:1万 meridian.
SELECT tufu_sheets_touching(ST_GeomFromText('POLYGON((531500 4417000, 532500 4417000, 532500 4418000, 531500 4418000, 531500 4417000))', 4548), '1:1万');
SELECT tufu_sheets_touching(ST_GeomFromText('POLYGON EMPTY', 4490), '1:5万');
SELECT (refusal($$SELECT tufu_sheets_touching(ST_GeomFromText('LINESTRING(-1 39, 1 39)', 4490), '1:5万')$$)).*;
