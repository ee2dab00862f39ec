"""The exceptions htmlmemdoc raises."""


class PageSyntaxError(ValueError):
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


class WriteRefused(ValueError):
    """A write that would lose or damage part of the page: nothing was
    written. ``losses`` lists what the page holds that the written page
    would not, one line each."""

    def __init__(self, reason: str, losses: list):
        super().__init__(reason)
        self.reason = reason
        self.losses = losses
