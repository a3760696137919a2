"""Shapes, bad input, name files, GIS and threads."""

import math
import os
import threading

import numpy as np
import pytest

import tufu


def test_same_shape_out():
    assert tufu.sheet_numbers(116.25, 40.0, "5万") == "K50E024010"
    a = tufu.sheet_numbers(np.full((2, 3), 116.25), np.full((2, 3), 40.0), "5万")
    assert a.shape == (2, 3) and (a == "K50E024010").all()
    assert tufu.sheet_numbers([116.25], 40.0, "5万").tolist() == ["K50E024010"]  # broadcast
    assert tufu.bounds(["J50", "J51"]).shape == (2, 4)
    assert tufu.bounds([["J50"], ["bad"]]).shape == (2, 1, 4)
    assert tufu.is_valid(np.array(["J50", "J61"])).tolist() == [True, False]
    assert tufu.is_valid(np.array([b"J50", b"J61"])).tolist() == [True, False]
    assert tufu.sheet_numbers([], [], "5万").shape == (0,)
    assert tufu.is_valid([]).shape == (0,)


def test_series_keep_their_index():
    pd = pytest.importorskip("pandas")
    lon = pd.Series([116.25, math.nan], index=[10, 20])
    out = tufu.sheet_numbers(lon, pd.Series([40.0, 40.0], index=[10, 20]), "5万")
    assert list(out.index) == [10, 20] and out.tolist() == ["K50E024010", ""]
    v = tufu.is_valid(pd.Series(["J50", None, "x"], index=list("abc")))
    assert v.tolist() == [True, False, False] and list(v.index) == list("abc")
    df = pd.DataFrame({"lon": [116.391667, 200], "lat": [39.908333, 1]})
    assert df.tufu.sheet("lon", "lat", scale="5万").tolist() == ["J50E001010", ""]
    assert df.tufu.sheet("lon", "lat", scale="5万", old=True).tolist() == ["J-50-5-B", ""]


@pytest.mark.parametrize(
    "lon,lat",
    [(math.nan, 30), (math.inf, 30), (-math.inf, 30), (116, math.nan), (-0.1, 30), (181, 30),
     (116, -1e-300), (116, 60.000000001), (np.float32(np.nan), 1)],
)
def test_bad_points_are_invalid_elements(lon, lat):
    assert tufu.sheet_numbers([lon, 116.25], [lat, 40.0], "5万").tolist() == ["", "K50E024010"]
    with pytest.raises(ValueError):
        tufu.Sheet.at(lon, lat, "5万")


def test_wrong_types_and_shapes_raise_clearly():
    with pytest.raises(ValueError):
        tufu.sheet_numbers([1.0, 2.0, 3.0], [1.0, 2.0], "5万")
    with pytest.raises(TypeError):
        tufu.sheet_numbers("116", 40, "5万")
    with pytest.raises(ValueError):
        tufu.sheet_numbers(["116", "x"], [40, 40], "5万")
    with pytest.raises(TypeError):
        tufu.is_valid(b"J50")
    with pytest.raises(TypeError):
        tufu.Sheet(b"J50")
    with pytest.raises(TypeError):
        tufu.Sheet(None)
    with pytest.raises(TypeError):
        tufu.is_valid(np.array([1, 2]))
    with pytest.raises(ValueError):
        tufu.sheet_numbers(1, 1, "1:3万")
    with pytest.raises(ValueError):
        tufu.sheet_numbers(1, 1, "1:500")  # not in 1992
    with pytest.raises(TypeError):
        tufu.sheet_numbers(1, 1, None)
    with pytest.raises(ValueError):
        tufu.sheet_numbers(1, 1, "5万", edition=2000)
    with pytest.raises(TypeError):
        tufu.sheet_numbers(1, 1, "5万", edition="1992")


def test_strange_texts_are_invalid_elements():
    texts = ["J50", None, 7, b"J50", "J50\x00", "\udcff", "J5\ud800", "", "J" * 10000, "北京", "J50\n"]
    valid = tufu.is_valid(texts)
    assert valid.tolist() == [True] + [False] * (len(texts) - 1)
    why = tufu.reasons(texts)
    assert why[0] == "" and all(isinstance(w, str) and w for w in why[1:])
    assert why[1] == "缺少输入"
    with pytest.raises(tufu.SheetNumberError):
        tufu.Sheet("\udcff")
    with pytest.raises(tufu.SheetNumberError) as err:
        tufu.Sheet("J50\x00")
    assert err.value.reason == tufu.reasons("J50\x00") != ""


def test_name_files(tmp_path):
    good = tmp_path / "good.tsv"
    good.write_text("J50\t京\nJ50E001010\t天安门\n", encoding="utf-8")
    later = tmp_path / "later.tsv"
    later.write_text("# comment\nJ50\t燕\n", encoding="utf-8")
    names = tufu.NameSet(good, later)
    assert tufu.place_names(["J50", "J50E001010", "J51"], names=names).tolist() == ["燕", "天安门", "大连"]
    assert tufu.Sheet("J50").name == "北京"  # the built-in set is untouched
    bad = tmp_path / "bad.tsv"
    bad.write_bytes(b"J51\t\xe4\xb8\nJ5X\tx\n")
    with pytest.raises(tufu.NameFileError) as err:
        names.merge(bad)
    assert f"{bad}:1:" in str(err.value)
    assert isinstance(err.value, ValueError)
    assert tufu.Sheet("J50", names=names).name == "燕"  # left as it was
    with pytest.raises(tufu.NameFileError):
        tufu.NameSet(tmp_path / "missing.tsv")


def test_geo_interface_and_frames():
    shapely = pytest.importorskip("shapely.geometry")
    gpd = pytest.importorskip("geopandas")
    s = tufu.Sheet("J50E001010")
    poly = shapely.shape(s)
    assert poly.bounds == s.bounds and poly.area > 0
    df = tufu.to_geodataframe(s.neighbours()[1])
    assert list(df.columns) == ["new_no", "old_no", "scale", "denom", "name", "west", "south", "east", "north",
                                "geometry"]
    assert df.crs.to_epsg() == 4490 and df["denom"].tolist() == [50000] * 3
    grid = tufu.block_of_region("北京", "20万").to_geodataframe()
    assert len(grid) == len(tufu.block_of_region("北京", "20万"))
    assert (grid["new_no"] == "").all() and grid["old_no"].str.startswith(("J-50", "K-50")).all()
    assert isinstance(grid, gpd.GeoDataFrame)


def test_sheets_touching():
    geom = pytest.importorskip("shapely.geometry")
    line = geom.LineString([(115, 39.5), (121, 41)])
    assert [s.number for s in tufu.sheets_touching(line, "100万")] == ["K50", "K51", "J50"]
    # Along the 120° meridian, the border of J50 and J51: the sheet east of it.
    edge = geom.LineString([(120, 37), (120, 38)])
    assert [s.number for s in tufu.sheets_touching(edge, "100万")] == ["J51"]
    assert [s.number for s in tufu.sheets_touching(geom.Point(120, 40), "100万")] == ["K51"]
    square = geom.box(116.1, 39.1, 116.2, 39.2)  # across the 39°10′ parallel
    assert [s.number for s in tufu.sheets_touching(square, "1:5万")] == ["J50E005009", "J50E006009"]


def test_big_blocks_stream():
    b = tufu.block_of_bounds(0, 180, 0, 60, "1:1万")
    assert len(b) == 2880 * 1440
    seen = 0
    for page in b.pages(1 << 20):
        seen += len(page)
    assert seen == len(b)
    it = iter(b)
    assert next(it) == b.topleft and next(it).position[1] == b.topleft.position[1] + 1


def test_two_threads_at_once():
    rng = np.random.default_rng(1)
    lon, lat = rng.uniform(0, 180, 300_000), rng.uniform(0, 60, 300_000)
    want = tufu.sheet_numbers(lon, lat, "1:5000")
    wantold = tufu.sheet_numbers(lon, lat, "1:5000", old=True)
    results = {}

    def work(k):
        results[k] = (tufu.sheet_numbers(lon, lat, "1:5000"), tufu.sheet_numbers(lon, lat, "1:5000", old=True),
                      tufu.is_valid(want))

    threads = [threading.Thread(target=work, args=(k,)) for k in range(2)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    for new, old, valid in results.values():
        assert (new == want).all() and (old == wantold).all() and valid.all()


def test_installed_copy_is_tested():
    if os.environ.get("TUFU_INSTALLED_TEST"):
        assert f"{os.sep}site-packages{os.sep}" in os.path.abspath(tufu.__file__)
        assert os.path.exists(os.path.join(os.path.dirname(tufu.__file__), "libtufu.so.0"))


def test_out_arrays():
    out = np.empty((2,), dtype="<U12")
    assert tufu.sheet_numbers([116.25, 500], [40, 40], "5万", out=out) is out
    assert out.tolist() == ["K50E024010", ""]
    with pytest.raises(ValueError):
        tufu.sheet_numbers([1.0, 2.0, 3.0], [1.0, 2.0, 3.0], "5万", out=out)
    with pytest.raises(TypeError):
        tufu.sheet_numbers([1.0, 2.0], [1.0, 2.0], "5万", out=np.empty(2))
    short = np.empty(1, dtype="<U5")  # too narrow: an empty text, never a cut one
    tufu.sheet_numbers([116.25], [40], "5万", out=short)
    assert short.tolist() == [""]
    box = np.empty((2, 4))
    assert tufu.bounds(["J50", "bad"], out=box) is box
    assert box[0].tolist() == [114, 36, 120, 40] and np.isnan(box[1]).all()
