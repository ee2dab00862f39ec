"""The checks the site functions make of their arguments before any work,
so that a wrong one is told in Python's own terms."""

import errno
import os
import stat


def site_folder(site):
    """`site` as the system names it, raising the OSError a folder that
    cannot be read calls for (FileNotFoundError, NotADirectoryError)."""
    folder = os.fspath(site)
    if not stat.S_ISDIR(os.stat(folder).st_mode):
        raise NotADirectoryError(errno.ENOTDIR, os.strerror(errno.ENOTDIR),
                                 folder)
    return folder


def jobs_count(jobs):
    """`jobs` as a count of files at once (0: one per core): TypeError for
    anything but an int, ValueError below 0."""
    if isinstance(jobs, bool) or not isinstance(jobs, int):
        raise TypeError(f"jobs takes an int, not {type(jobs).__name__}")
    if jobs < 0:
        raise ValueError(f"jobs must be 0 (one per core) or more, not {jobs}")
    return jobs
