"""tufu_sheet_info and tufu_sheet over thousands of random inputs, compared
with tufu-cli --json on the same inputs.  Run inside the test server
(PGHOST etc. set, TUFU_CLI naming the CLI)."""
import json
import os
import random
import subprocess
import sys

import psycopg2

CLI = os.environ["TUFU_CLI"]
rng = random.Random(18)
ROMAN = ["I", "II", "III", "IV", "V", "VI", "VIII", "IX", "X", "XII", "XIX", "XXXV", "XXXVI",
         "XXXVII", "IIII"]


def randnumber():
    """A text shaped like a sheet number, in range or just out of it."""
    row = rng.choice("ABCDEJKNOPQZj")
    zone = rng.randint(29, 62)
    kind = rng.random()
    if kind < 0.5:  # new numbers
        if rng.random() < 0.1:
            return "%s%02d" % (row, zone)
        code = rng.choice("ABCDEFGHIJKLe")
        digits = 4 if code in "JK" and rng.random() < 0.7 else 3
        top = 10 ** digits - 1
        r = rng.choice([rng.randint(0, 12), rng.randint(1, 200), rng.randint(0, top)])
        c = rng.choice([rng.randint(0, 12), rng.randint(1, 200), rng.randint(0, top)])
        return "%s%02d%s%0*d%0*d" % (row, zone, code, digits, r, digits, c)
    fields = [row, str(zone)]
    for _ in range(rng.randint(0, 3)):
        fields.append(rng.choice([
            rng.choice("ABCDabE"), str(rng.randint(0, 150)), "[%d]" % rng.randint(0, 17),
            "(%d)" % rng.randint(0, 65), rng.choice(ROMAN), "%02d" % rng.randint(0, 5)]))
    return "-".join(fields)


def cli(args, inputs):
    out = subprocess.run([CLI, "--json"] + args, input="\n".join(inputs) + "\n",
                         capture_output=True, text=True)
    lines = out.stdout.splitlines()
    assert len(lines) == len(inputs), (len(lines), len(inputs), out.stderr[:500])
    return [json.loads(l) for l in lines]


def main():
    conn = psycopg2.connect("")
    cur = conn.cursor()
    cur.execute("CREATE EXTENSION IF NOT EXISTS tufu")
    failures = 0

    # Sheet numbers.
    for edition in (1992, 2012):
        numbers = [randnumber() for _ in range(3000)]
        std = ["--standard", str(edition)]
        answers = cli(std + ["sheet"], numbers)
        cur.execute("""SELECT i.* FROM unnest(%s::text[]) WITH ORDINALITY AS t(number, k),
                              tufu_sheet_info(t.number, %s) AS i ORDER BY t.k""",
                    (numbers, edition))
        valid = 0
        for number, want, got in zip(numbers, answers, cur.fetchall()):
            ok, reason, kind, scale, new, old, w, s, e, n, name = got
            valid += ok
            if want["valid"]:
                same = (ok and kind == want["numbering"] and scale == want["scale"]
                        and (new or "") == want["new"] and (old or "") == want["old"]
                        and (name or "") == want["name"] and [w, s, e, n] == want["bounds"])
            else:
                same = not ok and reason == want["error"]
            if not same:
                failures += 1
                if failures < 20:
                    print("differs:", edition, number, want, got)
        print("tufu_sheet_info: %d numbers of the %d edition, %d valid" %
              (len(numbers), edition, valid))
        if valid < 100:
            print("too few valid numbers to compare"); failures += 1

    # Points at every scale.
    for edition in (1992, 2012):
        pts = [(rng.randint(0, 180_000000) / 1e6, rng.randint(0, 60_000000) / 1e6)
               for _ in range(1000)]
        # Edge points: whole minutes, written as the CLI reads them.
        pts += [(rng.randint(0, 180 * 8) / 8, rng.randint(0, 60 * 24) / 24) for _ in range(300)]
        texts = ["%.6f %.6f" % p if i < 1000 else "%d,%d,%s %d,%d,%s" % (
            *dms(p[0]), *dms(p[1])) for i, p in enumerate(pts)]
        answers = cli(["--standard", str(edition), "point"], texts)
        cur.execute("""SELECT t.k, s.scale, tufu_sheet(t.lon, t.lat, s.scale, %(e)s),
                              tufu_old_sheet(t.lon, t.lat, s.scale, %(e)s)
                       FROM unnest(%(lon)s::float8[], %(lat)s::float8[]) WITH ORDINALITY AS t(lon, lat, k),
                            tufu_scales(%(e)s) s ORDER BY t.k""",
                    {"e": edition, "lon": [p[0] for p in pts], "lat": [p[1] for p in pts]})
        got = {}
        for k, scale, new, old in cur.fetchall():
            got[(k - 1, scale)] = (new or "", old or "")
        compared = 0
        for k, want in enumerate(answers):
            for sheet in want["sheets"]:
                compared += 1
                if got[(k, sheet["scale"])] != (sheet["new"], sheet["old"]):
                    failures += 1
                    if failures < 20:
                        print("differs:", edition, texts[k], sheet, got[(k, sheet["scale"])])
        print("tufu_sheet: %d points and scales of the %d edition" % (compared, edition))
    if failures:
        print("%d answers differ from tufu-cli" % failures)
        sys.exit(1)


def dms(x):
    """x (a multiple of 1/120 degree) as degrees, minutes, seconds."""
    d = int(x)
    sec = round((x - d) * 3600, 3)
    return d, int(sec // 60), ("%g" % (sec % 60))


if __name__ == "__main__":
    main()
