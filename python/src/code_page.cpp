// code_page.cpp: the process's code page behind a readers-writer lock.
// Uses share it while it is at their code page; one at another takes it
// whole, switches, and joins the users of the new one. Waiting always
// happens with the interpreter lock released, so a user that needs the
// interpreter lock to finish never waits on a thread waiting here.

#include "code_page.h"

#include <mutex>
#include <shared_mutex>
#include <string>

#include "htmlmemdoc/htmlmemdoc.h"

namespace py = pybind11;

namespace htmlmemdoc_py {
namespace {

std::shared_mutex g_gate;
int g_current = HTMLMEMDOC_CP_UTF8;  // changed only with g_gate held whole

thread_local int t_holds = 0;  // this thread's holds, all at t_codePage
thread_local int t_codePage = HTMLMEMDOC_CP_UTF8;
thread_local const char* t_codec = "utf-8";

bool TryShare(int codePage) {
  if (!g_gate.try_lock_shared()) return false;
  if (g_current == codePage) return true;
  g_gate.unlock_shared();
  return false;
}

void Share(int codePage) {
  for (;;) {
    {
      std::unique_lock<std::shared_mutex> whole(g_gate);
      if (g_current != codePage) {
        HtmlMemDocSetCodePage(codePage);
        g_current = codePage;
      }
    }
    if (TryShare(codePage)) return;
    // Another thread switched in between: take it whole again.
  }
}

const char* CodecFor(int codePage) {
  switch (codePage) {
    case 932:
      return "cp932";
    case 936:
      return "gbk";
    case 949:
      return "cp949";
    case 950:
      return "cp950";
    default:
      return "utf-8";
  }
}

}  // namespace

int CodePageOf(const py::object& name) {
  if (name.is_none()) return HTMLMEMDOC_CP_UTF8;
  if (py::isinstance<py::str>(name)) {
    const std::string text = py::str(name).attr("lower")().cast<std::string>();
    if (text == "utf-8" || text == "utf8") return HTMLMEMDOC_CP_UTF8;
  } else if (py::isinstance<py::int_>(name) &&
             !py::isinstance<py::bool_>(name)) {
    const long long number = name.cast<long long>();
    for (const int known : {HTMLMEMDOC_CP_UTF8, 932, 936, 949, 950})
      if (number == known) return known;
  }
  throw py::value_error("code_page " + std::string(py::repr(name)) +
                        " is none the library reads: 'utf-8' (65001), 932, "
                        "936, 949 or 950");
}

CodePageHold::CodePageHold(int codePage) {
  if (t_holds > 0) {
    if (codePage != t_codePage)
      throw py::value_error(
          "a page of another code page is in use on this thread");
    ++t_holds;
    return;
  }
  if (!TryShare(codePage)) {
    py::gil_scoped_release released;
    Share(codePage);
  }
  t_holds = 1;
  t_codePage = codePage;
}

CodePageHold::~CodePageHold() {
  if (--t_holds == 0) g_gate.unlock_shared();
}

CodecScope::CodecScope(int codePage) : m_before(t_codec) {
  t_codec = CodecFor(codePage);
}

CodecScope::~CodecScope() { t_codec = m_before; }

const char* CurrentCodec() { return t_codec; }

}  // namespace htmlmemdoc_py
