"""htmlmemdoc: layout pages kept as HTML, read into memory, changed and
written back byte for byte where nothing changed.

>>> import htmlmemdoc
>>> page = htmlmemdoc.Page.read("index.htm")
>>> for layer in page.layers:
...     print(layer.kind, layer.id, layer.left, layer.top)
"""

from ._core import (  # noqa: F401
    EmbedLayer,
    ImageLayer,
    Layer,
    LiveAudioLayer,
    Page,
    TextLayer,
    VideoLayer,
    __version__,
)
from ._errors import EditRefused, Error, PageSyntaxError, WriteRefused  # noqa: F401
from ._export import export  # noqa: F401
from . import _layers, site  # noqa: F401,E402  (_layers gives Page.layers)
from ._layers import Layers  # noqa: F401,E402

__all__ = [
    "Page",
    "Layer",
    "TextLayer",
    "ImageLayer",
    "VideoLayer",
    "EmbedLayer",
    "LiveAudioLayer",
    "Layers",
    "Error",
    "PageSyntaxError",
    "EditRefused",
    "WriteRefused",
    "export",
    "site",
    "__version__",
]
