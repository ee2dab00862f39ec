"""The export of a site for current browsers (htmlmemdoc export)."""

import json
import os

from . import _core
from ._args import jobs_count, site_folder


def export(site, out, *, media="convert", audio_format="opus", flash=True,
           ruffle=None, jobs=0):
    """Writes into the folder `out` a copy of the site below the folder
    `site` that plays in a current browser, as ``htmlmemdoc export`` does,
    and returns its report: a dict of the JSON schema in docs/export.md.

    media: "convert" what a browser cannot play (with ffmpeg and
    FluidSynth), or "copy" it as it is. audio_format: "opus" or "mp3".
    flash: give Flash movies the Flash player, found in `ruffle` (a
    folder holding Ruffle's ruffle.js) or the folder HTMLMEMDOC_RUFFLE
    names. jobs: how many files at once (0: one per core).

    Raises OSError when `site` cannot be read, ValueError for a bad option;
    a refused export (`out` inside `site`, say) is the report's "refusal".
    """
    if media not in ("convert", "copy"):
        raise ValueError(f"media must be 'convert' or 'copy', not {media!r}")
    if ruffle is not None:
        ruffle = os.fspath(ruffle)
    return json.loads(_core._export(site_folder(site), out,
                                    media == "convert", audio_format,
                                    bool(flash), ruffle, jobs_count(jobs)))
