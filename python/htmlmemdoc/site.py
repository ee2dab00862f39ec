"""A whole site: its report, its fix, and its export for current browsers,
as ``htmlmemdoc site``, ``site --fix`` and ``htmlmemdoc export`` do them,
through the same code.

>>> report = htmlmemdoc.site.scan("mysite")
>>> report["summary"]["case"]
"""

import json

from . import _core
from ._args import jobs_count, site_folder
from ._export import export  # noqa: F401


def scan(site, *, code_page=None, jobs=0):
    """Checks every file reference of every page below the folder `site`
    and returns the site report: a dict of the JSON schema of
    ``htmlmemdoc site --json`` (docs/site-report.md): the pages, each
    reference with its kind, line, column and the name on disk, the unused
    files and the pages that do not read. code_page: the pages' bytes from
    0x80 up, as Page.read takes it. jobs: pages read at once (0: one per
    core)."""
    return json.loads(_core._site(site_folder(site), False, False, False,
                                  jobs_count(jobs), code_page))


def fix(site, encode=False, dry_run=False, *, code_page=None, jobs=0):
    """Makes the references of the pages below `site` name the files on
    disk, as ``htmlmemdoc site --fix`` does (with `encode`, also replaces
    blank ! $ & ( ) , @ by _ and renames the files to match), and returns
    the site report with what was changed: each page's "fix" (its state,
    and with `dry_run` its diff), each reference's "fixedTo" or
    "leftAlone", and the "renames". With `dry_run` nothing is written."""
    return json.loads(_core._site(site_folder(site), True, bool(encode),
                                  bool(dry_run), jobs_count(jobs), code_page))
