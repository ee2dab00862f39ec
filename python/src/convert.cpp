// convert.cpp: str from bytes and back through Python's own codec for the
// page's code page, with surrogateescape, so that a byte the code page
// does not read survives the round trip.

#include "convert.h"

#include "code_page.h"

namespace htmlmemdoc_py {

py::str ToStr(const char* data, size_t size) {
  PyObject* text = PyUnicode_Decode(data, static_cast<Py_ssize_t>(size),
                                    CurrentCodec(), "surrogateescape");
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(text);
}
py::str ToStr(const std::string& text) {
  return ToStr(text.data(), text.size());
}
py::object StrOrNone(bool ok, const CString& text) {
  if (!ok) return py::none();
  return ToStr(text, static_cast<size_t>(text.GetLength()));
}

std::string ToBytes(const py::handle& text, const char* what) {
  PyObject* bytes =
      PyUnicode_AsEncodedString(text.ptr(), CurrentCodec(), "surrogateescape");
  if (bytes == nullptr) {
    if (!PyErr_ExceptionMatches(PyExc_UnicodeEncodeError))
      throw py::error_already_set();
    // A character the page's code page has no bytes for: the value cannot
    // be written, which is a refused value like any other.
    const py::error_already_set encoding;
    Raise(Error("EditRefused")(
        ToStr(std::string(what) + ": cannot be written in " + CurrentCodec() +
              " (" + py::str(encoding.value()).cast<std::string>() + ")"),
        "bad-value"));
  }
  const py::bytes owned = py::reinterpret_steal<py::bytes>(bytes);
  std::string result = owned;
  if (result.find('\0') != std::string::npos)
    throw py::value_error(std::string(what) + " holds a NUL character");
  return result;
}

std::string PathOf(const py::object& path) {
  std::string bytes =
      py::module_::import("os").attr("fsencode")(path).cast<py::bytes>();
  if (bytes.empty()) throw py::value_error("the path is empty");
  if (bytes.find('\0') != std::string::npos)
    throw py::value_error("the path holds a NUL character");
  return bytes;
}

py::object Error(const char* name) {
  return py::module_::import("htmlmemdoc._errors").attr(name);
}

[[noreturn]] void Raise(const py::object& exception) {
  PyErr_SetObject(exception.get_type().ptr(), exception.ptr());
  throw py::error_already_set();
}

[[noreturn]] void RaiseOSError(int error, const std::string& message,
                               const std::string& path) {
  Raise(py::reinterpret_borrow<py::object>(PyExc_OSError)(
      error, ToStr(message),
      py::module_::import("os").attr("fsdecode")(py::bytes(path))));
}

}  // namespace htmlmemdoc_py
