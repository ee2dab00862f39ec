# Library sources and the headers that are installed for hosts. The
# sources are listed in plain files (one path per line, sorted, no globs)
# that python/setup.py reads too.

# Sets `var` to the paths listed in `file` (relative to the project root),
# and reconfigures when the list changes.
function(htmlmemdoc_read_sources var file)
  set(path ${PROJECT_SOURCE_DIR}/${file})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
  file(STRINGS ${path} lines REGEX "^[^#]")
  list(TRANSFORM lines PREPEND ${PROJECT_SOURCE_DIR}/)
  set(${var} ${lines} PARENT_SCOPE)
endfunction()

htmlmemdoc_read_sources(HTMLMEMDOC_SOURCES htmlmemdoc/sources.txt)

set(HTMLMEMDOC_PUBLIC_HEADERS
  htmlmemdoc/core/text_base.h
  htmlmemdoc/document/mem_doc.h
  htmlmemdoc/document/read_observer.h
  htmlmemdoc/document/read_record.h
  htmlmemdoc/document/text_list.h
  htmlmemdoc/elements/bg_sound.h
  htmlmemdoc/elements/frames.h
  htmlmemdoc/elements/head_elements.h
  htmlmemdoc/export.h
  htmlmemdoc/htmlmemdoc.h
  htmlmemdoc/layers/embed_layer.h
  htmlmemdoc/layers/image_layer.h
  htmlmemdoc/layers/layer.h
  htmlmemdoc/layers/text_layer.h
  htmlmemdoc/platform/afx_string.h
  htmlmemdoc/platform/code_page.h
  htmlmemdoc/platform/file.h
  htmlmemdoc/platform/message_box.h
  htmlmemdoc/platform/object.h
  htmlmemdoc/platform/ob_list.h
  htmlmemdoc/platform/string_array.h
  htmlmemdoc/style/style.h
  htmlmemdoc/style/style_enums.h
)
