# The layer the front ends share (the tool, and the Python package and the
# editor after it): page files read once, read problems told as data, the
# page model, the guards against losing content and the safe write. It
# takes the library's objects, so its users get one copy of the library
# and its internal helpers.

if(NOT CMAKE_CROSSCOMPILING)
  find_package(nlohmann_json 3 CONFIG REQUIRED)
endif()

add_library(htmlmemdoc_pages STATIC
  htmlmemdoc/pages/markup_view.cpp
  htmlmemdoc/pages/message_capture.cpp
  htmlmemdoc/pages/page_edit.cpp
  htmlmemdoc/pages/page_file.cpp
  htmlmemdoc/pages/page_journal.cpp
  htmlmemdoc/pages/page_loss.cpp
  htmlmemdoc/pages/read_back.cpp
  htmlmemdoc/pages/page_model.cpp
  htmlmemdoc/pages/page_references.cpp
  htmlmemdoc/pages/page_session.cpp
  htmlmemdoc/pages/page_walk.cpp
  htmlmemdoc/pages/page_write.cpp
  htmlmemdoc/pages/read_problem.cpp
  htmlmemdoc/pages/site_fix.cpp
  htmlmemdoc/pages/site_patch.cpp
  htmlmemdoc/pages/site_report.cpp
  htmlmemdoc/pages/site_scan.cpp
  htmlmemdoc/pages/site_tree.cpp
  htmlmemdoc/pages/stacking.cpp
  htmlmemdoc/pages/text_diff.cpp
  htmlmemdoc/pages/text_util.cpp
)
set_target_properties(htmlmemdoc_pages PROPERTIES
  POSITION_INDEPENDENT_CODE ON)
target_link_libraries(htmlmemdoc_pages PUBLIC htmlmemdoc_objects
  nlohmann_json::nlohmann_json)
target_compile_definitions(htmlmemdoc_pages PUBLIC HTMLMEMDOC_STATIC)
