// The confinement of a requested path below the editor's folder, with each
// system's own ways of naming another file (tests/data/confined_paths.json).

#include "tools/editor/editor_security.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "htmlmemdoc/platform/file_system.h"
#include "tests/support/support.h"

#ifdef _WIN32
#include <windows.h>
const char kSystem[] = "windows";
#else
const char kSystem[] = "posix";
#endif

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

TEST(ResolveInsideTest, TakesOnlyFilesBelowTheRootByTheirOwnNames) {
  const fs::path base = fs::path(::testing::TempDir()) /
                        ("htmlmemdoc_inside_" + std::to_string(getpid()));
  fs::remove_all(base);
  for (const char* file : {"outside.htm", "site/page.htm", "site/.git/config",
                           "site/images/rose.gif", "site/long folder/p.htm"}) {
    fs::create_directories((base / file).parent_path());
    std::ofstream(base / file) << file;
  }
  // Links out (wine makes none: serve_test.sh serves the host's).
  std::error_code error;
  fs::create_directory_symlink(base, base / "site/up", error);
  fs::create_symlink(base / "outside.htm", base / "site/out.htm", error);
  const fs::path root = RealPath(base / "site", error);
  ASSERT_FALSE(error);
  json cases =
      json::parse(ReadBytes("tests/data/confined_paths.json"))["cases"];
#ifdef _WIN32
  // A short (8.3) name is judged by the long one it resolves to.
  wchar_t folder[MAX_PATH], hidden[MAX_PATH];
  ASSERT_GT(GetShortPathNameW((root / "long folder").c_str(), folder, MAX_PATH),
            0u);
  ASSERT_GT(GetShortPathNameW((root / ".git").c_str(), hidden, MAX_PATH), 0u);
  cases.push_back(
      {{"path", htmlmemdoc::PathText(fs::path(folder).filename()) + "/p.htm"},
       {"windows", "long folder/p.htm"}});
  cases.push_back({{"path", htmlmemdoc::PathText(fs::path(hidden).filename()) +
                                "/config"}});
#endif
  for (const json& c : cases) {
    const std::string relative = c["path"];
    const json resolved = c.value(kSystem, json());
    const std::string want =
        resolved.is_string() ? resolved.get<std::string>() : "";
#ifndef _WIN32
    const fs::path named = root / relative;
    if (!fs::exists(named) && fs::is_directory(named.parent_path()))
      std::ofstream(named) << "";
#endif
    fs::path file;
    EXPECT_EQ(!want.empty(), ResolveInside(root, relative, file)) << relative;
    if (!want.empty()) {
      EXPECT_EQ(want, htmlmemdoc::PathText(file.lexically_relative(root)))
          << relative;
    }
  }
  fs::remove_all(base, error);
}

}  // namespace
