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

    one = best(lambda: tufu.sheet_numbers(lon, lat, "1:5万"))
    print(f"one scale, new numbers:        {N / one / 1e6:7.1f} M points/s  (target 20)")

    def nine():
        for s in tufu.scales(1992):
            tufu.sheet_numbers(lon, lat, s)
            tufu.sheet_numbers(lon, lat, s, old=True)

    t9 = best(nine, 3)
    print(f"nine scales, new and old:      {N / t9 / 1e6:7.1f} M points/s  (target 2)")

    tb = best(lambda: tufu.bounds(numbers))
    print(f"bounds of sheet numbers:       {N / tb / 1e6:7.1f} M numbers/s (target 10)")

    work = lambda: [tufu.sheet_numbers(lon, lat, "1:5万") for _ in range(4)]  # noqa: E731
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
