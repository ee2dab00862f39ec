"""The exceptions htmlmemdoc raises."""

import errno
import os


class Error(Exception):
    """The base of the exceptions of htmlmemdoc's own."""


class PageSyntaxError(Error, ValueError):
    """A text the library does not read as a layout page.

    ``str(error)`` is the library's own message ("HTML syntax error at
    Ln5, Col6"); ``line`` and ``column`` say where the fault stands (0 when
    the text is no page at all), and ``why`` says what stands there and what
    a layout page holds instead.
    """

    def __init__(self, message: str, line: int, column: int, why: str):
        super().__init__(message)
        self.message = message
        self.line = line
        self.column = column
        self.why = why

    def __reduce__(self):
        # Pickled with every field, so that it crosses to another process
        # (a multiprocessing pool) whole.
        return (type(self), (self.message, self.line, self.column, self.why))


class EditRefused(Error, ValueError):
    """A change the page cannot take exactly: nothing was changed.
    ``code`` is the stable reason ("bad-value", "no-layer", "wrong-kind",
    "not-exact"; see docs/refusals.md), ``str(error)`` the sentence."""

    def __init__(self, reason: str, code: str):
        super().__init__(reason)
        self.reason = reason
        self.code = code

    def __reduce__(self):
        return (type(self), (self.reason, self.code))


class WriteRefused(Error, ValueError):
    """A write that would lose or damage part of the page: nothing was
    written. ``losses`` lists what the page holds that the written page
    would not, one line each; ``code`` is "loss" when the losses alone
    refused it, "no-read-back" when the written page would not read as
    the page (see docs/refusals.md)."""

    def __init__(self, reason: str, losses: list, code: str = "loss"):
        super().__init__(reason)
        self.reason = reason
        self.losses = losses
        self.code = code

    def __reduce__(self):
        return (type(self), (self.reason, self.losses, self.code))


def write_error(message, path):
    """The OSError for a write of `path` that failed with `message`: of the
    subclass, errno and filename the path's state calls for (a missing
    folder, a folder in the file's place, no right to write), else a plain
    OSError with the message."""
    path = os.fsdecode(path)
    folder = os.path.dirname(path) or os.curdir
    if os.path.isdir(path):
        code = errno.EISDIR
    elif not os.path.exists(folder):
        code = errno.ENOENT
    elif not os.path.isdir(folder):
        code = errno.ENOTDIR
    elif not os.access(folder, os.W_OK) or (
            os.path.exists(path) and not os.access(path, os.W_OK)):
        code = errno.EACCES
    else:
        return OSError(message)
    return OSError(code, message, path)
