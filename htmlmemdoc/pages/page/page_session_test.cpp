#include "htmlmemdoc/pages/page/page_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/session_folder.h"

namespace {

namespace fs = std::filesystem;
using htmlmemdoc::PageEdit;
using htmlmemdoc::PageSession;
using Result = htmlmemdoc::RefusalCode;

using PageSessionTest = SessionFolderTest;

TEST_F(PageSessionTest, SavesOnlyChangesAndKeepsTheFilesLineEnds) {
  const std::string lf = ReadBytes(m_page);  // the example has LF ends
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<int> lefts;  // where Rose is moved, in turn
    Result want;
  } kCases[] = {
      {"no change: nothing written", lf, {}, Result::kUnchanged},
      {"moved where it was: nothing written", lf, {360}, Result::kUnchanged},
      {"moved, then back: nothing written", lf, {361, 360}, Result::kUnchanged},
      {"LF page", lf, {7}, Result::kNone},
      {"CR LF page", ReplaceAll(lf, "\n", "\r\n"), {7}, Result::kNone},
  };
  for (const Case& c : kCases) {
    Write(c.bytes);
    PageSession session(m_page);
    ASSERT_TRUE(session.Ok()) << c.what;
    for (int left : c.lefts)
      ASSERT_EQ("", session.Apply(Move("Rose", left)).why) << c.what;
    const htmlmemdoc::Refusal result = session.Save();
    EXPECT_EQ(c.want, result.code) << c.what << ": " << result.why;
    const std::string saved = ReadBytes(m_page);
    if (c.want == Result::kUnchanged) {
      EXPECT_EQ(c.bytes, saved) << c.what;
      continue;
    }
    EXPECT_NE(std::string::npos, saved.find("left:7px")) << c.what;
    const bool crlf = c.bytes.find("\r\n") != std::string::npos;
    EXPECT_EQ(crlf, saved.find("\r\n") != std::string::npos) << c.what;
    EXPECT_EQ(crlf,
              ReplaceAll(saved, "\r\n", "").find('\n') == std::string::npos)
        << c.what;
    // A saved session goes on from the page as a read of the file gives
    // it: nothing to undo, and it saves again.
    EXPECT_FALSE(session.CanUndo()) << c.what;
    PageSession reopened(m_page);
    EXPECT_EQ(reopened.Text(), session.Text()) << c.what;
    EXPECT_EQ("", session.Diff("p")) << c.what;
    EXPECT_EQ("", reopened.Diff("p")) << c.what;
    ASSERT_EQ("", session.Apply(Move("Rose", 8)).why) << c.what;
    EXPECT_EQ(Result::kNone, session.Save().code) << c.what;
  }
}

TEST_F(PageSessionTest, AConflictKeepsTheChangesAndTheOtherWrite) {
  PageSession session(m_page);
  ASSERT_EQ("", session.Apply(Move("Rose", 7)).why);
  const std::string other = ReplaceAll(ReadBytes(m_page), "Welcome", "Hello");
  Write(other);
  const htmlmemdoc::Refusal result = session.Save();
  EXPECT_EQ(Result::kConflict, result.code);
  EXPECT_NE(std::string::npos, result.why.find("changed on disk"))
      << result.why;
  EXPECT_EQ(other, ReadBytes(m_page));
  EXPECT_EQ(1u, session.Changes());
  EXPECT_NE(std::string::npos,
            session.DiffAgainstDisk("p").find("+<div id=\"Rose\""))
      << session.DiffAgainstDisk("p");
}

#ifndef _WIN32  // wine makes no links
// A save below a folder goes through no link: a page's folder swapped for
// a link to elsewhere after the page was opened is not written through.
TEST_F(PageSessionTest, ASaveBelowAFolderFollowsNoLink) {
  const fs::path sub = m_folder / "sub", away = m_folder / "away";
  fs::create_directories(sub);
  fs::create_directories(away);
  fs::copy_file(m_page, sub / "p.htm");
  fs::copy_file(m_page, away / "p.htm");
  PageSession session((sub / "p.htm").string());
  session.WriteOnlyBelow(fs::canonical(m_folder).string());
  ASSERT_EQ("", session.Apply(Move("Rose", 7)).why);
  fs::rename(sub, m_folder / "old");
  fs::create_directory_symlink(away, sub);
  const htmlmemdoc::Refusal result = session.Save();
  EXPECT_EQ(Result::kCannotWrite, result.code) << result.why;
  EXPECT_NE(std::string::npos,
            result.why.find("cannot write sub/p.htm: its "
                            "folder sub is no longer a plain folder"))
      << result.why;
  EXPECT_EQ(ReadBytes(m_page), ReadBytes((away / "p.htm").string()));
  EXPECT_EQ(1u, fs::remove_all(sub));  // the link alone: nothing was left
  fs::rename(m_folder / "old", sub);
  EXPECT_EQ(Result::kNone, session.Save().code);
  EXPECT_NE(std::string::npos,
            ReadBytes((sub / "p.htm").string()).find("left:7px"));
}
#endif

// Undo and redo walk the changes; a change made after an undo drops the
// change undone.
TEST_F(PageSessionTest, UndoAndRedoWalkTheChanges) {
  PageSession session(m_page);
  const std::string opened = session.Rendering();
  ASSERT_EQ("", session.Apply(Move("Rose", 7)).why);
  const std::string moved = session.Rendering();
  EXPECT_TRUE(session.Undo());
  EXPECT_EQ(opened, session.Rendering());
  EXPECT_FALSE(session.Undo());
  EXPECT_TRUE(session.Redo());
  EXPECT_EQ(moved, session.Rendering());
  EXPECT_TRUE(session.Undo());
  ASSERT_EQ("", session.Apply(Move("Rose", 8)).why);
  EXPECT_FALSE(session.CanRedo());
  EXPECT_EQ(1u, session.Changes());
}

TEST_F(PageSessionTest, LayersSharingAnIdAreToldApartByTheirPlace) {
  const std::string bytes = ReadBytes(m_page);
  Write(ReplaceAll(bytes, "id=\"Tour\"", "id=\"Rose\""));  // two Roses
  PageSession session(m_page);
  ASSERT_TRUE(session.Ok());
  EXPECT_EQ(htmlmemdoc::RefusalCode::kNoLayer,
            session.Apply(Move("Rose", 9), 1).code);     // place 1 is Intro
  EXPECT_EQ("", session.Apply(Move("Rose", 9), 3).why);  // the second Rose
  const std::string diff = session.Diff("p");
  EXPECT_NE(std::string::npos, diff.find("left:9px; top:260px")) << diff;
  EXPECT_EQ(std::string::npos, diff.find("left:9px; top:90px")) << diff;
}

// An id shared by layers of two kinds names the first in page order (an
// image above a text here), not the first of the lists kind by kind.
TEST_F(PageSessionTest, AnIdNamesItsFirstLayerInPageOrder) {
  std::string bytes = ReadBytes(m_page);
  const size_t rose = bytes.find("<div id=\"Rose\"");
  const size_t end = bytes.find("</div>", rose) + 7;
  const std::string image = bytes.substr(rose, end - rose);
  bytes.erase(rose, end - rose);
  bytes.insert(bytes.find("<div id=\"Intro\""), image);
  Write(ReplaceAll(bytes, "id=\"Intro\"", "id=\"Rose\""));
  PageSession session(m_page);
  ASSERT_EQ("", session.Apply(Move("Rose", 9)).why);
  EXPECT_NE(std::string::npos,
            session.Diff("p").find("width:200px; height:150px; left:9px;"));
}

}  // namespace

namespace {

// The changes of one step are made, undone and redone together, a layer
// made among them too; one refused leaves the page as it was.
TEST_F(PageSessionTest, AStepsChangesAreMadeAndUndoneTogether) {
  PageSession session(m_page);
  const std::string opened = session.Rendering();
  htmlmemdoc::SessionEdit step{-1, Move("Rose", 7), {}};
  step.with.push_back({-1, Move("Tour", 7), {}});
  step.with.push_back({-1, Move("Nothing", 7), {}});
  EXPECT_EQ(Result::kNoLayer, session.Apply(step).code);
  EXPECT_EQ(opened, session.Rendering());
  EXPECT_FALSE(session.CanUndo());
  step.with.back().edit.layer = "New";
  step.with.back().edit.add = "text";
  ASSERT_EQ("", session.Apply(step).why);
  const std::string made = session.Rendering();
  EXPECT_NE(std::string::npos, made.find("<div id=\"New\""));
  EXPECT_EQ(1u, session.Changes());
  EXPECT_TRUE(session.Undo());
  EXPECT_EQ(opened, session.Rendering());
  EXPECT_TRUE(session.Redo());
  EXPECT_EQ(made, session.Rendering());
  // A change after a removal in one step finds the layers as it left them.
  htmlmemdoc::SessionEdit removal{1, {}, {{1, Move("Rose", 5), {}}}};
  removal.edit.layer = "Intro";
  removal.edit.remove = true;
  ASSERT_EQ("", session.Apply(removal).why);
  ASSERT_EQ("", session.Save().why);
  EXPECT_NE(std::string::npos, ReadBytes(m_page).find("<div id=\"New\""));
  EXPECT_EQ(std::string::npos, ReadBytes(m_page).find("<div id=\"Intro\""));
}

}  // namespace
