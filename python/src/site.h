// site.h: the site's work for Python (htmlmemdoc.site): the report, the
// fix and the export, each as the tool's JSON text, which the Python side
// parses.

#ifndef HTMLMEMDOC_PYTHON_SITE_H_
#define HTMLMEMDOC_PYTHON_SITE_H_

#include <pybind11/pybind11.h>

void BindSite(pybind11::module_& m);

#endif  // HTMLMEMDOC_PYTHON_SITE_H_
