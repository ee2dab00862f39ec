// htmlmemdoc.h: everything a host uses. Reads an HTML layout page into an
// in-memory document (CHtmlMemDoc), lets the host inspect and edit its
// elements, and writes it back. All classes and enums are in the global
// namespace, with the platform types they pass (CString, CStringArray,
// CObList, CStdioFile) and the pluggable message box.

#ifndef HTMLMEMDOC_HTMLMEMDOC_H_
#define HTMLMEMDOC_HTMLMEMDOC_H_

#include "htmlmemdoc/core/text_base.h"
#include "htmlmemdoc/document/mem_doc.h"
#include "htmlmemdoc/document/read_observer.h"
#include "htmlmemdoc/document/read_record.h"
#include "htmlmemdoc/document/text_list.h"
#include "htmlmemdoc/elements/bg_sound.h"
#include "htmlmemdoc/elements/frames.h"
#include "htmlmemdoc/elements/head_elements.h"
#include "htmlmemdoc/export.h"
#include "htmlmemdoc/layers/embed_layer.h"
#include "htmlmemdoc/layers/image_layer.h"
#include "htmlmemdoc/layers/layer.h"
#include "htmlmemdoc/layers/text_layer.h"
#include "htmlmemdoc/platform/afx_string.h"
#include "htmlmemdoc/platform/code_page.h"
#include "htmlmemdoc/platform/file.h"
#include "htmlmemdoc/platform/message_box.h"
#include "htmlmemdoc/platform/ob_list.h"
#include "htmlmemdoc/platform/object.h"
#include "htmlmemdoc/platform/string_array.h"
#include "htmlmemdoc/style/style.h"
#include "htmlmemdoc/style/style_enums.h"
#include "htmlmemdoc/version.h"

#endif  // HTMLMEMDOC_HTMLMEMDOC_H_
