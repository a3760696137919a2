"""Timings of tufu for Python over 10^6 random points (time.perf_counter,
best of five).  Reported, not checked:

    /usr/bin/python3 bench/python/bench_tufu.py

with the package importable (installed, or PYTHONPATH=python and
TUFU_LIBRARY=build/capi/libtufu.so.0)."""

import threading
import time

import numpy as np

import tufu

N = 1_000_000


def best(f, repeat=5):
    times = []
    for _ in range(repeat):
        t = time.perf_counter()
        f()
        times.append(time.perf_counter() - t)
    return min(times)


def main() -> None:
    rng = np.random.default_rng(42)
    lon = rng.uniform(73, 135, N)
    lat = rng.uniform(3, 54, N)
    numbers = tufu.sheet_numbers(lon, lat, "1:1万")

    # Into arrays of the caller's (out=), as repeated batches run, and into
    # fresh arrays, whose first touch of memory the system charges for.
    new = np.empty(N, dtype="<U12")
    olds = [np.empty(N, dtype="<U15") for _ in range(9)]
    news = [np.empty(N, dtype="<U12") for _ in range(9)]
    box = np.empty((N, 4))

    one = best(lambda: tufu.sheet_numbers(lon, lat, "1:5万", out=new))
    fresh = best(lambda: tufu.sheet_numbers(lon, lat, "1:5万"))
    print(f"one scale, new numbers:        {N / one / 1e6:7.1f} M points/s  (target 20; "
          f"{N / fresh / 1e6:.1f} into a fresh array)")

    def nine(reuse=True):
        for k, s in enumerate(tufu.scales(1992)):
            tufu.sheet_numbers(lon, lat, s, out=news[k] if reuse else None)
            tufu.sheet_numbers(lon, lat, s, old=True, out=olds[k] if reuse else None)

    t9 = best(nine, 3)
    f9 = best(lambda: nine(False), 3)
    print(f"nine scales, new and old:      {N / t9 / 1e6:7.1f} M points/s  (target 2; "
          f"{N / f9 / 1e6:.1f} into fresh arrays)")

    # The same columns in one call, each point read once (as tufu-cli
    # annotate --scale all: 1:20万 has no new column).
    columns = {k: np.empty(N, dtype=v.dtype) for k, v in tufu.annotate(lon[:1], lat[:1]).items()}
    ta = best(lambda: tufu.annotate(lon, lat, "all", out=columns), 3)
    fa = best(lambda: tufu.annotate(lon, lat, "all"), 3)
    print(f"nine scales in one call:       {N / ta / 1e6:7.1f} M points/s  (target 2; "
          f"{N / fa / 1e6:.1f} into fresh arrays; {len(columns)} columns)")

    tb = best(lambda: tufu.bounds(numbers, out=box))
    fb = best(lambda: tufu.bounds(numbers))
    print(f"bounds of sheet numbers:       {N / tb / 1e6:7.1f} M numbers/s (target 10; "
          f"{N / fb / 1e6:.1f} into a fresh array)")

    def work():
        out = np.empty(N, dtype="<U12")
        for _ in range(8):
            tufu.sheet_numbers(lon, lat, "1:5万", out=out)

    single = best(work, 3)

    def two():
        threads = [threading.Thread(target=work) for _ in range(2)]
        for t in threads:
            t.start()
        for t in threads:
            t.join()

    double = best(two, 3)
    print(f"two threads against one:       {2 * single / double:7.2f} x             (target 1.6)")


if __name__ == "__main__":
    main()
