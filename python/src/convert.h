// convert.h: what crosses between Python and the library: text as str
// (the page's bytes decode in its code page, UTF-8 unless a CodecScope of
// code_page.h says otherwise; a byte that does not decode as a lone
// surrogate, which encodes back to the same byte), paths, and the
// package's exceptions.

#ifndef HTMLMEMDOC_PYTHON_CONVERT_H_
#define HTMLMEMDOC_PYTHON_CONVERT_H_

#include <pybind11/pybind11.h>

#include <string>

#include "htmlmemdoc/htmlmemdoc.h"

namespace htmlmemdoc_py {

namespace py = pybind11;

py::str ToStr(const char* data, size_t size);
py::str ToStr(const std::string& text);
// `text` as str when `ok`, else None.
py::object StrOrNone(bool ok, const CString& text);

// The bytes of `text`, refused when they hold a NUL (the library reads
// NUL-terminated text); `what` names it in the refusal.
std::string ToBytes(const py::handle& text, const char* what);

// A path as the system takes it (os.fsencode): str, bytes or any
// os.PathLike; refused when empty or holding a NUL (which would cut it).
std::string PathOf(const py::object& path);

// The package's exception class `name` (htmlmemdoc/_errors.py).
py::object Error(const char* name);

[[noreturn]] void Raise(const py::object& exception);

// OSError(error, message, path): Python makes it the subclass the error
// number calls for (FileNotFoundError for ENOENT, PermissionError, ...).
[[noreturn]] void RaiseOSError(int error, const std::string& message,
                               const std::string& path);

}  // namespace htmlmemdoc_py

#endif  // HTMLMEMDOC_PYTHON_CONVERT_H_
