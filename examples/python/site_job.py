# examples/python/site_job.py: for every page below a folder, the files it
# refers to and, for a page that does not read, where and why, computed on
# a Dask cluster: one task per batch of pages. With --scheduler ADDRESS it
# runs on that cluster; without, on a local cluster of worker processes.
# Usage: python3 site_job.py FOLDER [--workers N] [--batch N]
#        [--scheduler tcp://HOST:8786] [--json OUT]
import argparse
import json
import os
import sys

from dask.distributed import Client, LocalCluster


def pages_below(folder):
    for top, _, files in os.walk(folder):
        for name in files:
            if name.lower().endswith((".htm", ".html")):
                yield os.path.join(top, name)


def check_batch(paths):
    """What each page of one batch refers to, or why it does not read."""
    import htmlmemdoc  # imported on the worker

    results = []
    for path in paths:
        try:
            page = htmlmemdoc.Page.read(path)
            results.append({"page": path, "sources": page.sources()})
        except htmlmemdoc.PageSyntaxError as error:
            results.append({"page": path, "error": str(error),
                            "line": error.line, "column": error.column})
        except (OSError, ValueError) as error:
            results.append({"page": path, "error": str(error)})
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("folder")
    parser.add_argument("--workers", type=int, default=2)
    parser.add_argument("--batch", type=int, default=200)
    parser.add_argument("--scheduler")
    parser.add_argument("--json")
    args = parser.parse_args()
    paths = sorted(pages_below(args.folder))
    batches = [paths[i:i + args.batch] for i in range(0, len(paths), args.batch)]
    if args.scheduler:
        client = Client(args.scheduler)
    else:
        cluster = LocalCluster(n_workers=args.workers, threads_per_worker=1,
                               processes=True, dashboard_address=None)
        client = Client(cluster)
    with client:
        results = [r for batch in client.gather(client.map(check_batch, batches))
                   for r in batch]
    broken = [r for r in results if "error" in r]
    print(f"{len(results)} pages, {len(broken)} do not read, "
          f"{sum(len(r.get('sources', [])) for r in results)} file references")
    for r in broken:
        print(f"{r['page']}: {r['error']}")
    if args.json:
        with open(args.json, "w", encoding="utf-8") as out:
            json.dump(results, out, indent=1)
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
