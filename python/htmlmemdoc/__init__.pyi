"""htmlmemdoc: layout pages kept as HTML, read into memory, changed and
written back byte for byte where nothing changed."""

import os
from typing import Dict, Iterator, List, Optional, Sequence, Union, overload

from . import site as site

__version__: str

_Path = Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]"]
_CodePage = Union[int, str, None]
"""None or "utf-8" (65001), or a double-byte code page: 932, 936, 949, 950."""

def export(
    site: _Path,
    out: _Path,
    *,
    media: str = ...,
    audio_format: str = ...,
    flash: bool = ...,
    ruffle: Optional[_Path] = ...,
    jobs: int = ...,
) -> Dict[str, object]: ...

class Error(Exception):
    """The base of the exceptions of htmlmemdoc's own."""

class PageSyntaxError(Error, ValueError):
    """A text the library does not read as a layout page."""
    message: str
    """The library's own message, e.g. "HTML syntax error at Ln5, Col6"."""
    line: int
    """The line the fault stands on (1-based)."""
    column: int
    """The column the fault stands on (1-based, a tab counting one)."""
    why: str
    """What stands there and what a layout page holds instead."""
    def __init__(self, message: str, line: int, column: int, why: str) -> None: ...

class EditRefused(Error, ValueError):
    """A change the page cannot take exactly; nothing was changed."""
    reason: str
    """The property and why it was refused."""
    code: str
    """The refusal's stable code: "bad-value", "no-layer" (also for a layer
    taken out of its page), "wrong-kind", "not-exact" or "in-the-way" (a new
    layer's id that a layer has)."""
    def __init__(self, reason: str, code: str) -> None: ...

class WriteRefused(Error, ValueError):
    """A write that would lose or damage part of the page; nothing was written."""
    reason: str
    """Why the page was not written."""
    losses: List[str]
    """What the page holds that the written page would not, one line each."""
    code: str
    """ "loss" when the losses alone refused it, else "no-read-back"."""
    def __init__(self, reason: str, losses: List[str], code: str = "loss") -> None: ...

class Page:
    """One layout page in memory."""
    @staticmethod
    def read(path: _Path, code_page: _CodePage = None) -> "Page":
        """Reads the page file at `path`, its bytes from 0x80 up in
        `code_page` (UTF-8 by default); PageSyntaxError when the library
        does not read it, OSError when it cannot be read, ValueError for an
        empty path or one holding a NUL. The interpreter lock is released
        while it reads, and Ctrl+C ends a read that waits."""
    @staticmethod
    def from_string(text: str, code_page: _CodePage = None) -> "Page":
        """Reads a page from its text."""
    @staticmethod
    def from_bytes(data: bytes, code_page: _CodePage = None) -> "Page":
        """Reads a page from its bytes, as a file holds them."""
    @property
    def code_page(self) -> int:
        """The code page its bytes from 0x80 up are in (65001: UTF-8); its
        text crosses as str in it."""
    @property
    def title(self) -> Optional[str]:
        """The text of the page's <title>, or None."""
    @title.setter
    def title(self, title: str) -> None: ...
    @property
    def metas(self) -> List[Dict[str, str]]:
        """Each <meta> tag's attributes, in page order."""
    @property
    def scripts(self) -> List[Dict[str, Optional[str]]]:
        """Each script as {'src': file or None, 'text': inline text}."""
    @property
    def styles(self) -> Dict[str, Dict[str, str]]:
        """The style rules: name -> {property: value}, as written back."""
    @property
    def background(self) -> Optional[str]:
        """The body's background image, or None."""
    @background.setter
    def background(self, image: str) -> None: ...
    @property
    def background_sound(self) -> Optional[str]:
        """The background sound's file, or None; set None to remove it."""
    @background_sound.setter
    def background_sound(self, sound: Optional[str]) -> None: ...
    @property
    def preloaded_images(self) -> List[str]:
        """The images the body's load handler preloads."""
    @property
    def frames(self) -> List[Dict[str, Optional[str]]]:
        """Each frame as {'name': ..., 'src': ...}."""
    @property
    def layers(self) -> "Layers":
        """Every layer in page order, as a read-only sequence."""
    def add_text_layer(self, id: str, left: int, top: int, width: int,
                       height: int, text: str) -> "TextLayer":
        """Makes a text layer above the others and returns it; EditRefused
        (naming the method) for a value the tool and the editor refuse too."""
    def add_image_layer(self, id: str, left: int, top: int, width: int,
                        height: int, src: str) -> "ImageLayer":
        """Makes an image layer showing `src` and returns it."""
    def add_video_layer(self, id: str, left: int, top: int, width: int,
                        height: int, src: str,
                        poster: Optional[str] = None) -> "VideoLayer":
        """Makes a video layer playing `src` (`poster` shown before it plays)."""
    def add_embed_layer(self, id: str, left: int, top: int, width: int,
                        height: int, src: str) -> "EmbedLayer":
        """Makes a layer embedding `src` and returns it."""
    def remove_layer(self, layer: "Layer") -> None:
        """Takes the layer out of the page; using it afterwards raises
        EditRefused ("no-layer"); ValueError for another page's layer."""
    def layer(self, id: str) -> "Layer":
        """The layer whose div has this id; KeyError if none."""
    def sources(self) -> List[str]:
        """The library's list of the page's files, each once: the image and
        embed layers' sources, the background image and sound and the
        preloaded images (not a video layer's files, nor links: site.scan
        reports every reference)."""
    def render(self, encode: bool = False, base: Optional[_Path] = None) -> str:
        """The page in the library's layout; `base` matches file names' letter
        case to the files beside it, `encode` replaces blank ! $ & ( ) , @.
        The interpreter lock is released while it renders."""
    def render_bytes(self, encode: bool = False, base: Optional[_Path] = None) -> bytes:
        """render(), as bytes."""
    def write(self, path: _Path, encode: bool = False, base: Optional[_Path] = None,
              allow_loss: bool = False) -> None:
        """Writes the page (CR LF line ends), replacing `path` only once the
        new file is whole; WriteRefused when it would lose something,
        ValueError for an empty path or one holding a NUL. The interpreter
        lock is released while it checks and writes."""
    def __copy__(self) -> "Page":
        """copy.copy, copy.deepcopy and pickle give the page as write() would
        write it (WriteRefused when that would lose something)."""
    def __deepcopy__(self, memo: dict) -> "Page": ...

class Layers(Sequence["Layer"]):
    """A page's layers as they were when asked for; changing it raises
    TypeError."""
    @overload
    def __getitem__(self, index: int) -> "Layer": ...
    @overload
    def __getitem__(self, index: slice) -> "Layers": ...
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator["Layer"]: ...

class Layer:
    """A layer: a positioned <div> block. Plain layers are of this class.

    Each property reads None when the page does not say; setting one goes
    through the same checks as the tool's edit and the editor (a value the
    page cannot hold, or that would change more than it names, raises
    EditRefused naming the property and why, and changes nothing; a value
    of the wrong type raises TypeError naming the property). No property of
    a layer takes None; of the page's, background_sound = None removes the
    sound. Equal layers are the same layer of the same page."""
    @property
    def id(self) -> str:
        """The id of the layer's div."""
    @id.setter
    def id(self, value: str) -> None: ...
    @property
    def kind(self) -> str:
        """'text', 'image', 'video', 'embed', 'live audio' or 'plain'."""
    @property
    def markup(self) -> str:
        """The layer's <div ...>...</div> block as it stands."""
    @property
    def left(self) -> Optional[int]:
        """The div's left edge in pixels (None when its style does not say)."""
    @left.setter
    def left(self, value: int) -> None: ...
    @property
    def top(self) -> Optional[int]:
        """The div's top edge in pixels."""
    @top.setter
    def top(self, value: int) -> None: ...
    @property
    def width(self) -> Optional[int]:
        """The div's width in pixels."""
    @width.setter
    def width(self, value: int) -> None: ...
    @property
    def height(self) -> Optional[int]:
        """The div's height in pixels."""
    @height.setter
    def height(self, value: int) -> None: ...
    @property
    def z_index(self) -> Optional[int]:
        """The div's z-index."""
    @z_index.setter
    def z_index(self, value: int) -> None: ...
    @property
    def visible(self) -> Optional[bool]:
        """Whether the div's style says visible."""
    @visible.setter
    def visible(self, value: bool) -> None: ...

class TextLayer(Layer):
    """A layer of text."""
    @property
    def text(self) -> Optional[str]:
        """The text after the text tag up to the next tag (markup, not escaped)."""
    @text.setter
    def text(self, value: str) -> None: ...
    @property
    def font_size(self) -> Optional[int]:
        """The text's font size in points."""
    @font_size.setter
    def font_size(self, value: int) -> None: ...
    @property
    def color(self) -> Optional[str]:
        """The text's colour as '#rrggbb'; set '#rrggbb' or a colour name."""
    @color.setter
    def color(self, value: str) -> None: ...

class ImageLayer(Layer):
    """A layer showing an image."""
    @property
    def src(self) -> Optional[str]:
        """The image file."""
    @src.setter
    def src(self, value: str) -> None: ...

class VideoLayer(ImageLayer):
    """A layer playing a video; src is the video file (dynsrc)."""
    @property
    def poster(self) -> Optional[str]:
        """The image shown before the video plays (src)."""
    @poster.setter
    def poster(self, value: str) -> None: ...

class EmbedLayer(Layer):
    """A layer with an embedded object."""
    @property
    def src(self) -> Optional[str]:
        """The embedded file."""
    @src.setter
    def src(self, value: str) -> None: ...

class LiveAudioLayer(EmbedLayer):
    """A layer playing a sound."""
