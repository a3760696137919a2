"""10^5 random and hostile texts through every function of tufu that takes
a text: each one either answers or raises 22023 (exactly when
tufu_sheet_info refuses the text), and the backend answers afterwards.
Run inside the test server (PGHOST etc. set)."""
import random
import sys

import psycopg2

COUNT = 100_000
rng = random.Random(1018)
SEEDS = ["J50", "J50E001010", "J-50-5-B", "J50K00530919", "J-50-5-(23)-A", "L-51-[16]",
         "I-48-XXXV", "D-45-48-(26)-C", "1:5万", "5千", "1:500"]
ODD = ["\u00a0", "\u200b", "\u202e", "\u0301", "Ｊ", "５", "Ⅲ", "－", "（", "［", "\t", "\n",
       "\r", " ", "\\", "'", '"', "%", "\U0001F5FA", "\ufeff", "\u2028", "\x7f", "\x01"]


def codepoint():
    while True:
        c = rng.choice([rng.randint(1, 0x7F), rng.randint(0x80, 0x7FF), rng.randint(0x800, 0xFFFF),
                        rng.randint(0x10000, 0x10FFFF)])
        if not 0xD800 <= c <= 0xDFFF:
            return chr(c)


def mutate(s):
    s = list(s)
    for _ in range(rng.randint(1, 4)):
        op = rng.random()
        i = rng.randint(0, len(s))
        if op < 0.3 and s:
            del s[min(i, len(s) - 1)]
        elif op < 0.6:
            s.insert(i, rng.choice(ODD + list("0123456789-ABCIJKLXV()[]")))
        elif s:
            s[min(i, len(s) - 1)] = codepoint()
    return "".join(s)


def text():
    r = rng.random()
    if r < 0.35:
        return mutate(rng.choice(SEEDS))
    if r < 0.55:
        return "".join(rng.choice("0123456789ABCDEFGHIJKLMNOPXV-()[]jkx:万千")
                       for _ in range(rng.randint(0, 16)))
    if r < 0.75:
        return "".join(codepoint() for _ in range(rng.randint(0, 12)))
    if r < 0.85:
        return "".join(rng.choice(ODD) for _ in range(rng.randint(1, 6))) + rng.choice(SEEDS)
    if r < 0.999:
        return rng.choice(SEEDS) + rng.choice(ODD) * rng.randint(1, 50)
    return rng.choice(["J", "-", "中", "J-50-"]) * rng.randint(10_000, 2_000_000)


CHECK = r"""
CREATE OR REPLACE FUNCTION pg_temp.try_all(t text, ed int) RETURNS int AS $$
DECLARE
  ok boolean := (tufu_sheet_info(t, ed)).valid;
  raised int := 0;
  q text;
BEGIN
  FOREACH q IN ARRAY ARRAY[
      'SELECT tufu_to_old($1, $2)', 'SELECT tufu_to_new($1, $2)', 'SELECT tufu_sheet_name($1, $2)',
      'SELECT tufu_sheet_bounds($1, $2)', 'SELECT count(*) FROM tufu_containing($1, $2)',
      'SELECT count(*) FROM tufu_neighbours($1, $2)',
      'SELECT count(*) FROM (SELECT * FROM tufu_contained($1, ''1:5000'', $2) LIMIT 5) c']
  LOOP
    BEGIN
      EXECUTE q USING t, ed;
      IF NOT ok THEN RAISE EXCEPTION 'refused number answered: % %', q, t::bytea; END IF;
    EXCEPTION WHEN invalid_parameter_value THEN
      -- a refused number, or (contained) a scale that does not nest
      IF ok AND q NOT LIKE '%tufu_contained%' THEN
        RAISE EXCEPTION 'valid number raised: % %', q, t::bytea;
      END IF;
      raised := raised + 1;
    END;
  END LOOP;
  -- The text as a scale.
  BEGIN
    PERFORM tufu_sheet(116.4, 39.9, t, ed), tufu_old_sheet(116.4, 39.9, t, ed);
    PERFORM count(*) FROM tufu_grid(116, 116.2, 39, 39.2, t, ed);
  EXCEPTION WHEN invalid_parameter_value THEN
    raised := raised + 1;
  END;
  RETURN raised;
END $$ LANGUAGE plpgsql;
"""


def main():
    conn = psycopg2.connect("")
    conn.autocommit = True
    cur = conn.cursor()
    cur.execute("CREATE EXTENSION IF NOT EXISTS tufu")
    cur.execute(CHECK)
    texts = [text() for _ in range(COUNT)]
    editions = [rng.choice([1992, 1992, 2012, 2012, 0, -1, 2147483647]) for _ in texts]
    total = 0
    for i in range(0, COUNT, 5000):
        cur.execute("""SELECT sum(pg_temp.try_all(t, e))
                       FROM unnest(%s::text[], %s::int[]) AS v(t, e)""",
                    (texts[i:i + 5000], editions[i:i + 5000]))
        total += cur.fetchone()[0]
    cur.execute("SELECT tufu_sheet(116.391667, 39.908333, '1:5万'), pg_backend_pid()")
    print("hostile texts: %d through every text function, %d refusals, then %s" %
          (COUNT, total, cur.fetchone()[0]))


if __name__ == "__main__":
    try:
        main()
    except psycopg2.Error as e:
        print("hostile texts:", e)
        sys.exit(1)
