// editor_assets.h: the editor's web files (tools/editor/web), compiled
// into the tool so that it serves them wherever it is installed.

#ifndef HTMLMEMDOC_TOOLS_EDITOR_EDITOR_ASSETS_H_
#define HTMLMEMDOC_TOOLS_EDITOR_EDITOR_ASSETS_H_

#include <string>

struct EditorAsset {
  const char* path;  // "/", "/editor.js", "/editor.css"
  const char* type;  // its Content-Type
  const char* body;
};

// The asset served at `path`, or null.
const EditorAsset* FindEditorAsset(const std::string& path);

#endif  // HTMLMEMDOC_TOOLS_EDITOR_EDITOR_ASSETS_H_
