"""tufu for Python against ``tufu-cli --json``, field by field."""

import math
import subprocess
from typing import List, Tuple

import numpy as np
import pytest

import tufu
import tufu.columns

UNITS = 144000  # per degree
SCALES = [(e, s.label) for e in (1992, 2012) for s in tufu.scales(e)]


def dms(units: int) -> str:
    """An exact angle text for the CLI: degrees, minutes, decimal seconds."""
    d, rest = divmod(units, UNITS)
    m, fortieths = divmod(rest, 2400)
    thousandths = fortieths * 25
    return f"{d},{m},{thousandths // 1000}.{thousandths % 1000:03d}"


def edge_points(edition: int, label: str) -> List[Tuple[int, int]]:
    """Points exactly on sheet edges and corners of the scale, in units: near
    Beijing, at 0° E and the equator, at the limits 180° E and 60° N, and on
    1:100万 borders."""
    sc = tufu.scale(label, edition)
    w, h = round(sc.width * UNITS), round(sc.height * UNITS)
    xs = [0, 180 * UNITS, 120 * UNITS, (116 * UNITS // w) * w, (116 * UNITS // w + 1) * w, 179 * UNITS // w * w]
    ys = [0, 60 * UNITS, 40 * UNITS, (39 * UNITS // h) * h, (39 * UNITS // h + 1) * h, 59 * UNITS // h * h]
    pts = [(x, y) for x in xs for y in ys]
    pts += [(x + 1, y + 1) for x, y in pts if x < 180 * UNITS and y < 60 * UNITS]  # just inside
    pts += [(x - 1, y - 1) for x, y in pts if x > 0 and y > 0]  # just before an edge
    return sorted(set(pts))


@pytest.mark.parametrize("edition,label", SCALES)
def test_edge_points_at_every_scale(cli, edition, label):
    pts = edge_points(edition, label)
    answers = cli.json(["point", "--scale", label, "--standard", str(edition)],
                       [f"{dms(x)} {dms(y)}" for x, y in pts])
    assert len(answers) == len(pts)
    lon = np.array([x / UNITS for x, _ in pts])
    lat = np.array([y / UNITS for _, y in pts])
    new = tufu.sheet_numbers(lon, lat, label, edition)
    old = tufu.sheet_numbers(lon, lat, label, edition, old=True)
    for i, a in enumerate(answers):
        assert a["valid"], a
        want = a["sheets"][0]
        assert new[i] == want["new"], (pts[i], a["input"])
        assert old[i] == want["old"], (pts[i], a["input"])
        s = tufu.Sheet.at(lon[i], lat[i], label, edition)
        got = s.to_dict()
        for field in ("scale", "new", "old", "west", "east", "south", "north", "lonsize", "latsize", "name"):
            assert got[field] == want[field], (field, a["input"])
        assert got["bounds"] == want["bounds"], a["input"]


def test_annotate_is_the_cli_annotate(cli, tmp_path):
    """tufu.annotate against tufu-cli annotate --scale all, column by column:
    edge points of every 1992 scale, points outside and a row without one."""
    pts = sorted({p for s in tufu.scales(1992) for p in edge_points(1992, s.label)})
    lon = [x / UNITS for x, _ in pts] + [180.0000001, 73.5, math.nan]
    lat = [y / UNITS for _, y in pts] + [30.0, -0.5, 30.0]
    # The CLI reads a decimal text exactly, as typed; the package snaps a
    # double to the edge it stands for.  Exact angle texts agree on both.
    def text(v: float) -> str:
        if math.isnan(v):
            return ""
        units = round(v * UNITS)
        if abs(v * UNITS - units) > 1e-6:
            return repr(v)
        d, m, sec = dms(units).split(",")
        return f"{d}°{m}′{sec}″"

    src = tmp_path / "points.csv"
    src.write_text("lon,lat\n" + "".join(f"{text(x)},{text(y)}\n" for x, y in zip(lon, lat)))
    run = subprocess.run([cli.path, "annotate", str(src), "-o", str(tmp_path / "out.csv"),
                          "--scale", "all"], stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
    assert run.returncode == 0, run.stderr.decode()
    header, *rows = (tmp_path / "out.csv").read_text().splitlines()
    names = header.split(",")[2:]
    got = tufu.annotate(np.array(lon), np.array(lat), "all")
    assert list(got) == names
    for k, row in enumerate(rows):
        cells = row.split(",")[2:]
        assert [got[c][k] for c in names] == cells, (lon[k], lat[k])


@pytest.mark.parametrize("edition", [1992, 2012])
def test_annotate_columns_are_the_single_scale_answers(edition):
    pts = sorted({p for s in tufu.scales(edition) for p in edge_points(edition, s.label)})
    lon = np.array([x / UNITS for x, _ in pts] + [math.nan, 200.0])
    lat = np.array([y / UNITS for _, y in pts] + [30.0, 30.0])
    got = tufu.annotate(lon, lat, "all", edition)
    for s in tufu.scales(edition):
        new, old = tufu.columns.annotate_columns(s)
        if new:
            assert (got[new] == tufu.sheet_numbers(lon, lat, s, edition)).all(), s.label
        if old:
            assert (got[old] == tufu.sheet_numbers(lon, lat, s, edition, old=True)).all(), s.label
    # Arrays of the caller receive the columns; a scale named twice is one column.
    out = {"old_5w": np.empty(len(lon), dtype="<U15")}
    again = tufu.annotate(lon, lat, ["5万", "1:50000", "1:20万"], edition, out=out)
    assert list(again) == ["new_5w", "old_5w", "old_20w"]
    assert again["old_5w"] is out["old_5w"] and (out["old_5w"] == got["old_5w"]).all()
    assert tufu.annotate(116.25, 40.0, "5万") == {"new_5w": "K50E024010", "old_5w": "K-50-137-D"}
    with pytest.raises(ValueError):
        tufu.annotate(lon, lat, ["1:3万"], edition)


def test_points_outside_are_refused_like_the_cli(cli):
    pts = [("180,0,0.025", "30"), ("-1", "30"), ("116", "60,0,0.025")]
    answers = cli.json(["point", "--scale", "5万"], [f"{x} {y}" for x, y in pts])
    assert [a["valid"] for a in answers] == [False, False, False]
    lon = [180 + 1 / UNITS, -1.0, 116.0]
    lat = [30.0, 30.0, 60 + 1 / UNITS]
    assert tufu.sheet_numbers(lon, lat, "5万").tolist() == ["", "", ""]
    assert not tufu.sheets_at(lon, lat, "5万")[1].any()


def test_angle_texts_give_the_same_sheets(cli):
    # Decimal degrees written by the CLI's own bounds, read back as doubles.
    a = cli.json(["sheet"], ["J50H048073"])[0]
    w, s, e, n = a["bounds"]
    assert tufu.sheet_numbers(w, s, "1:5000") == "J50H048073"
    assert tufu.sheet_numbers(e, n, "1:5000") != "J50H048073"


LEGAL = {
    1992: ["J50", "j50c001002", "J50I006006", "K-49", "K-049", "J-50-C", "J-50-9", "L-51-[16]",
           "I-48-XXXV", "i-48-xxxv", "I-48-IV", "I-49-144", "I-48-20-B", "M-47-2-(64)",
           "L-48-14-C-03", "D-45-48-(26)-C", "O60H192192", "A31E024001"],
    2012: ["J50I576576", "J50J00010001", "J50K23042304", "J50E001010", "I-48-XXXV"],
}
ILLEGAL = {
    1992: ["J5", "J50C00100", "J50A001001", "J30", "J61", "P50", "J30C001001", "J61C001001",
           "J50B003001", "J50C001002 ", "J50J00010001", "Z-49", "K-49X", "K-49.5", "K-49 ",
           "KK-49", "K-490", "X-99-XV", "I--XV", "I-48-IIII", "J-50-0", "J-50-E", "J-50-145",
           "L-51-[0]", "L-51-[17]", "L-51-[]", "L-51-[2", "M-47-2-()", "M-47-2-(65)",
           "L-48-14-C-5", "L-48-14-E-3", "L-48-14-CC-3", "D-45-48-(26)-E", "-K-49", "K-49-",
           "K--49", "L-48-14--3", "A-31-1-A-1-1", "J50I007001", "Ｊ50", "J50é", "J-50-1-2-3-4-5"],
    2012: ["J50I577001", "J50K00012305", "J50J0001000"],
}


@pytest.mark.parametrize("edition", [1992, 2012])
def test_numbers_field_by_field(cli, edition):
    texts = LEGAL[edition] + ILLEGAL[edition]
    answers = cli.json(["sheet", "--standard", str(edition), "--", *texts])
    assert len(answers) == len(texts)
    valid = tufu.is_valid(texts, edition)
    why = tufu.reasons(texts, edition)
    b = tufu.bounds(texts, edition)
    for i, a in enumerate(answers):
        assert valid[i] == a["valid"], texts[i]
        if not a["valid"]:
            assert why[i] == a["error"], texts[i]
            assert np.isnan(b[i]).all()
            with pytest.raises(tufu.SheetNumberError) as err:
                tufu.Sheet(texts[i], edition)
            assert err.value.reason == a["error"]
            assert isinstance(err.value, ValueError)
            assert err.value.code in range(30, 50)
            continue
        assert why[i] == ""
        s = tufu.Sheet(texts[i], edition)
        got = s.to_dict()
        for field in ("scale", "new", "old", "west", "east", "south", "north", "lonsize", "latsize", "name"):
            assert got[field] == a[field], (field, texts[i])
        assert got["bounds"] == a["bounds"] == b[i].tolist()
        assert [(c.scale.label, c.new_number, c.old_number) for c in s.containing()] == [
            (c["scale"], c["new"], c["old"]) for c in a["containing"]
        ]


@pytest.mark.parametrize(
    "text,position",
    [("J50C00100", 0), ("X50", 1), ("J3A", 2), ("J30", 2), ("J50Z001001", 4), ("J50C0a1001", 6),
     ("J50C005001", 5), ("J50C001005", 8), ("K-49X", 3), ("L-51-[17]", 6), ("M-47-2-(65)", 8),
     ("-K-49", 1), ("K--49", 3), ("Z-49", 1), ("A-31-1-A-1-1", 11), ("L-48-14-CC-3", 9)],
)
def test_refusal_positions(text, position):
    with pytest.raises(tufu.SheetNumberError) as err:
        tufu.Sheet(text)
    assert err.value.position == position, err.value.reason


NEIGHBOURS = ["J50C001004", "J50C001001", "J50C004004", "J50", "A31", "O60", "A31E024001",
              "O60H001192", "J-50-[4]", "I-48-XXXV", "J50E001010", "O60E001024", "A31D012001"]


@pytest.mark.parametrize("edition", [1992, 2012])
def test_neighbours_across_zone_and_row_borders(cli, edition):
    answers = cli.json(["neighbours", "--standard", str(edition)], NEIGHBOURS)
    for text, a in zip(NEIGHBOURS, answers):
        grid = tufu.Sheet(text, edition).neighbours()
        got = [[None if c is None else {"new": c.new_number, "old": c.old_number, "name": c.name}
                for c in row] for row in grid]
        assert got == a["grid"], text


BLOCKS = [("114,30", "118", "39", "41,30", "100万"), ("116", "117", "39,30", "40,30", "5万"),
          ("0", "1", "0", "1", "10万"), ("179", "180", "59", "60", "5万"),
          ("116,0,0.5", "116,0,1.5", "40,0,0.5", "40,0,1", "1:5000"), ("110", "112", "30", "31", "20万")]


@pytest.mark.parametrize("west,east,south,north,label", BLOCKS)
def test_blocks(cli, west, east, south, north, label):
    a = cli.json(["block", west, east, south, north, "--scale", label, "--list"])[0]
    b = tufu.block_of_bounds(west, east, south, north, label)
    assert (b.rows, b.cols) == (a["rows"], a["cols"])
    for corner in ("topleft", "bottomleft", "topright", "bottomright"):
        s = getattr(b, corner)
        assert {"new": s.new_number, "old": s.old_number, "name": s.name} == a[corner]
    got = [{"new": s.new_number, "old": s.old_number, "name": s.name, "west": s.west, "east": s.east,
            "south": s.south, "north": s.north, "bounds": list(s.bounds)} for s in b]
    assert got == a["sheets"]
    # The same block from degrees.
    deg = [float(np.float64(tufu.bounds(a["sheets"][0]["new"] or a["sheets"][0]["old"])[0]))]
    assert deg  # the CLI's bounds read back name the same sheet
    assert b.numbers().tolist() == [s["new"] for s in a["sheets"]]


def test_block_refusals_are_the_cli_reasons(cli):
    cases = [("118", "114", "39", "41"), ("114", "118", "41", "39"), ("114", "181", "39", "41"),
             ("", "118", "39", "41"), ("114", "118", "39", "61")]
    for w, e, s, n in cases:
        a = cli.json(["block", w, e, s, n, "--scale", "100万"])[0]
        with pytest.raises(ValueError) as err:
            tufu.block_of_bounds(w, e, s, n, "100万")
        assert str(err.value) == a["error"]


def test_contained_blocks(cli):
    for text, label in [("J50", "1:25万"), ("J50D005003", "1:1万"), ("J-50-A", "20万"), ("J50C001001", "20万")]:
        a = cli.json(["contains", text, "--scale", label])[0]
        s = tufu.Sheet(text)
        if not a["valid"]:
            with pytest.raises(ValueError) as err:
                s.contained(label)
            assert str(err.value) == a["error"]
            continue
        b = s.contained(label)
        assert (b.rows, b.cols) == (a["rows"], a["cols"])
        assert b.topleft.new_number == a["topleft"]["new"]
        assert b.bottomright.old_number == a["bottomright"]["old"]


def test_region_block(cli, tmp_path):
    assert len(tufu.block_of_region("北京", "100万")) == 2
    with pytest.raises(ValueError) as err:
        tufu.block_of_region("火星", "100万")
    run = subprocess.run([cli.path, "grid", "--region", "火星", "--scale", "100万", "-o", str(tmp_path / "g.gpkg")],
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
    assert run.returncode != 0 and run.stderr.decode().strip() == f"tufu-cli: {err.value}"
