// session_folder.h: the fixture of the page session's tests (and
// the journal's): a fresh folder holding a copy of examples/welcome.htm,
// removed after each test.

#ifndef HTMLMEMDOC_TESTS_SUPPORT_SESSION_FOLDER_H_
#define HTMLMEMDOC_TESTS_SUPPORT_SESSION_FOLDER_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "htmlmemdoc/pages/page/page_session.h"
#include "tests/support/support.h"

class SessionFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = std::filesystem::path(::testing::TempDir()) /
               ("htmlmemdoc_session_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(m_folder);
    m_page = (m_folder / "welcome.htm").string();
    m_journal = (m_folder / "journal").string();
    Write(ReadBytes("examples/welcome.htm"));
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }

  void Write(const std::string& bytes) {
    std::ofstream(m_page, std::ios::binary) << bytes;
  }
  static htmlmemdoc::PageEdit Move(const std::string& layer, int left) {
    htmlmemdoc::PageEdit edit;
    edit.layer = layer;
    edit.left = left;
    return edit;
  }

  std::filesystem::path m_folder;
  std::string m_page;
  std::string m_journal;  // a folder for journals, made when first used
};

#endif  // HTMLMEMDOC_TESTS_SUPPORT_SESSION_FOLDER_H_
