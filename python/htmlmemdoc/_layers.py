"""Page.layers: the page's layers as a read-only sequence."""

from collections.abc import Sequence

from . import _core

_READ_ONLY = ("page.layers is read-only: add layers with page.add_text_layer(), "
              "add_image_layer(), add_video_layer() or add_embed_layer(), and "
              "take one out with page.remove_layer(layer)")


class Layers(Sequence):
    """The layers of a page in page order, as they were when asked for.

    It reads like a tuple; changing it raises TypeError, saying how to add
    and remove layers instead.
    """

    __slots__ = ("_items",)

    def __init__(self, items):
        self._items = items

    def __getitem__(self, index):
        if isinstance(index, slice):
            return Layers(self._items[index])
        return self._items[index]

    def __len__(self):
        return len(self._items)

    def __repr__(self):
        return f"Layers({list(self._items)!r})"

    def __eq__(self, other):
        if isinstance(other, Layers):
            return self._items == other._items
        return NotImplemented

    __hash__ = None

    # Joined or repeated, as tuples are: the result is a tuple.
    def __add__(self, other):
        return self._items + tuple(other)

    def __radd__(self, other):
        return tuple(other) + self._items

    def __mul__(self, count):
        return self._items * count

    __rmul__ = __mul__

    def _refuse(self, *args, **kwargs):
        raise TypeError(_READ_ONLY)

    __setitem__ = __delitem__ = __iadd__ = __imul__ = _refuse
    append = extend = insert = remove = pop = clear = sort = reverse = _refuse


def _layers(page):
    return Layers(page._layers)


_core.Page.layers = property(
    _layers,
    doc="Every layer in page order (read-only): TextLayer, ImageLayer, "
        "VideoLayer, EmbedLayer, LiveAudioLayer or (plain) Layer.")
