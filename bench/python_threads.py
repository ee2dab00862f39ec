"""Pages read per second by the Python package on one thread and on two.

The package releases the interpreter lock while the library reads, renders
and writes, so two threads reading pages use two cores. Prints both rates,
their ratio and the target (two threads at least 1.6 times one).

Usage: python3 bench/python_threads.py PAGE [SECONDS]
Run it with the package installed (scripts/bench.sh does).
"""

import sys
import threading
import time

import htmlmemdoc

TARGET = 1.6


def reads_per_second(data, threads, seconds):
    counts = [0] * threads
    stop = time.monotonic() + seconds

    def work(slot):
        while time.monotonic() < stop:
            htmlmemdoc.Page.from_bytes(data).render()
            counts[slot] += 1

    workers = [threading.Thread(target=work, args=(i,)) for i in range(threads)]
    start = time.monotonic()
    for worker in workers:
        worker.start()
    for worker in workers:
        worker.join()
    return sum(counts) / (time.monotonic() - start)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "rb") as page:
        data = page.read()
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 3.0
    # Best of three runs each, interleaved, so that both meet the machine
    # at its least disturbed.
    one = max(reads_per_second(data, 1, seconds / 3) for _ in range(3))
    two = max(reads_per_second(data, 2, seconds / 3) for _ in range(3))
    ratio = two / one
    print(f"| Python read + render of {len(data) // 1024} KB, 1 thread | "
          f"{one:.1f} pages/s |")
    print(f"| Python read + render, 2 threads | {two:.1f} pages/s |")
    print(f"| 2 threads / 1 thread | {ratio:.2f} (target {TARGET}: "
          f"{'met' if ratio >= TARGET else 'NOT met'}) |")


if __name__ == "__main__":
    main()
