"""A whole site: its report, its fix, and its export for current browsers."""

from typing import Any, Dict, Union

from . import _Path
from ._export import export as export

def scan(site: _Path, *, code_page: Union[int, str, None] = ...,
         jobs: int = ...) -> Dict[str, Any]:
    """The site report of ``htmlmemdoc site --json`` (docs/site-report.md);
    FileNotFoundError or NotADirectoryError when `site` is no folder."""

def fix(site: _Path, encode: bool = ..., dry_run: bool = ..., *,
        code_page: Union[int, str, None] = ..., jobs: int = ...) -> Dict[str, Any]:
    """Fixes the site as ``htmlmemdoc site --fix`` does and returns its
    report, with what was changed."""
