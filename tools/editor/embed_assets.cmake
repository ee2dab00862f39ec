# Writes OUTPUT, a C++ source defining FindEditorAsset over the web files
# in WEB_DIR, each as a raw string literal.
# Arguments: WEB_DIR, OUTPUT.
set(source "// Generated from tools/editor/web by embed_assets.cmake.\n")
string(APPEND source "#include \"tools/editor/editor_assets.h\"\n\n")
string(APPEND source "namespace {\nconst EditorAsset kAssets[] = {\n")
foreach(entry "/|index.html|text/html; charset=utf-8"
              "/editor.js|editor.js|text/javascript; charset=utf-8"
              "/editor.css|editor.css|text/css; charset=utf-8")
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 path)
  list(GET parts 1 file)
  list(GET parts 2 type)
  file(READ ${WEB_DIR}/${file} body)
  if(body MATCHES "\\)asset\"")
    message(FATAL_ERROR "${file} holds the literal's closing mark )asset\"")
  endif()
  string(APPEND source "    {\"${path}\", \"${type}\", R\"asset(${body})asset\"},\n")
endforeach()
string(APPEND source "};\n}  // namespace\n\n")
string(APPEND source "const EditorAsset* FindEditorAsset(const std::string& path) {\n")
string(APPEND source "  for (const EditorAsset& asset : kAssets) {\n")
string(APPEND source "    if (path == asset.path) return &asset;\n  }\n  return nullptr;\n}\n")
file(WRITE ${OUTPUT}.new "${source}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
