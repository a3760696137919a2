"""A table annotated in parallel: Dask's map_partitions on a LocalCluster of
two worker processes."""

import numpy as np
import pytest

import tufu
import tufu.pandas

dd = pytest.importorskip("dask.dataframe")
distributed = pytest.importorskip("distributed")
pd = pytest.importorskip("pandas")


def test_map_partitions_on_two_worker_processes():
    rng = np.random.default_rng(7)
    frame = pd.DataFrame({"lon": rng.uniform(70, 140, 20000), "lat": rng.uniform(0, 55, 20000)})
    want = frame.tufu.sheet("lon", "lat", scale="5万")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        assert len(client.scheduler_info()["workers"]) == 2
        table = dd.from_pandas(frame, npartitions=8)
        got = table.map_partitions(tufu.pandas.sheet_column, "lon", "lat", "5万",
                                   meta=("new", "object")).compute()
    assert got.sort_index().tolist() == want.tolist()
