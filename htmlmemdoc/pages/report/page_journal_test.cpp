#include "htmlmemdoc/pages/report/page_journal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "htmlmemdoc/pages/page/page_session.h"
#include "tests/support/session_folder.h"

namespace {

namespace fs = std::filesystem;
using htmlmemdoc::PageEdit;
using htmlmemdoc::PageSession;

using PageJournalTest = SessionFolderTest;

TEST_F(PageJournalTest, UnsavedChangesOutliveTheSessionUntilSaved) {
  std::string diff;
  {
    PageSession first(m_page, htmlmemdoc::JournalIn(m_journal));
    ASSERT_EQ("", first.Apply(Move("Rose", 1)).why);
    ASSERT_EQ("", first.Apply(Move("Tour", 2)).why);
    ASSERT_EQ("", first.Apply(Move("Map", 3)).why);
    ASSERT_TRUE(first.Undo());
    ASSERT_EQ("", first.JournalProblem());
    diff = first.Diff("p");
  }  // the server ends without a save
  // A crash may tear the last line: it is dropped.
  for (const auto& entry : fs::directory_iterator(m_journal))
    std::ofstream(entry.path(), std::ios::app) << "{\"apply\":{\"la";
  PageSession second(m_page, htmlmemdoc::JournalIn(m_journal));
  EXPECT_EQ(2u, second.Unsaved().edits.size());
  EXPECT_FALSE(second.FileChangedSinceUnsaved());
  EXPECT_TRUE(second.RestoreUnsaved().empty());
  EXPECT_EQ(diff, second.Diff("p"));
  ASSERT_EQ("", second.Save().why);
  EXPECT_TRUE(PageSession(m_page, htmlmemdoc::JournalIn(m_journal))
                  .Unsaved()
                  .edits.empty());
  // A file changed since the changes were made is told, and still offered.
  PageSession third(m_page, htmlmemdoc::JournalIn(m_journal));
  ASSERT_EQ("", third.Apply(Move("Rose", 5)).why);
  Write(ReadBytes("examples/welcome.htm"));
  PageSession fourth(m_page, htmlmemdoc::JournalIn(m_journal));
  EXPECT_EQ(1u, fourth.Unsaved().edits.size());
  EXPECT_TRUE(fourth.FileChangedSinceUnsaved());
  fourth.DiscardUnsaved();
  EXPECT_TRUE(PageSession(m_page, htmlmemdoc::JournalIn(m_journal))
                  .Unsaved()
                  .edits.empty());
}

// Two tabs on one page each keep their own changes: both are offered.
TEST_F(PageJournalTest, EverySessionsChangesAreOffered) {
  {
    PageSession first(m_page, htmlmemdoc::JournalIn(m_journal));
    PageSession second(m_page, htmlmemdoc::JournalIn(m_journal));
    ASSERT_EQ("", first.Apply(Move("Rose", 1)).why);
    ASSERT_EQ("", second.Apply(Move("Tour", 2)).why);
    ASSERT_EQ("", first.Apply(Move("Map", 3)).why);
  }
  PageSession third(m_page, htmlmemdoc::JournalIn(m_journal));
  ASSERT_EQ(3u, third.Unsaved().edits.size());
  EXPECT_TRUE(third.RestoreUnsaved().empty());
  const std::string diff = third.Diff("p");
  for (const char* moved : {"left:1px", "left:2px", "left:3px"})
    EXPECT_NE(std::string::npos, diff.find(moved)) << moved;
  // Taken over: offered once more only as the third session's own.
  PageSession fourth(m_page, htmlmemdoc::JournalIn(m_journal));
  EXPECT_EQ(3u, fourth.Unsaved().edits.size());
}

// A tab still open whose changes another tab discards keeps its journal
// while it lives (a crash then must not lose them), offered no more.
TEST_F(PageJournalTest, ALiveSessionsJournalOutlivesADiscard) {
  auto open =
      std::make_unique<PageSession>(m_page, htmlmemdoc::JournalIn(m_journal));
  ASSERT_EQ("", open->Apply(Move("Rose", 1)).why);
  {
    PageSession other(m_page, htmlmemdoc::JournalIn(m_journal));
    ASSERT_EQ(1u, other.Unsaved().edits.size());
    other.DiscardUnsaved();
  }
  EXPECT_EQ(1, std::distance(fs::directory_iterator(m_journal), {}));
  EXPECT_TRUE(PageSession(m_page, htmlmemdoc::JournalIn(m_journal))
                  .Unsaved()
                  .edits.empty());
  open.reset();  // discarded, so it goes with its session
  EXPECT_EQ(0, std::distance(fs::directory_iterator(m_journal), {}));
}

TEST(EditJsonTest, EveryPropertyRoundTripsAndBadChangesAreRefused) {
  htmlmemdoc::SessionEdit all{3, {}, {}};
  all.edit.layer = "Rose";
  all.edit.noSound = true;
  for (const auto& property : htmlmemdoc::EditProperties()) {
    if (property.number) all.edit.*property.number = 7;
    if (property.text) all.edit.*property.text = property.name;
  }
  all.with.push_back({4, {}, {}});
  all.with.back().edit.remove = true;
  htmlmemdoc::SessionEdit read;
  ASSERT_FALSE(htmlmemdoc::EditFromJson(htmlmemdoc::EditJson(all), read));
  EXPECT_EQ(htmlmemdoc::EditJson(all), htmlmemdoc::EditJson(read));
  for (const char* bad :
       {R"([1])", R"({"index": -2, "properties": {"left": 1}})",
        R"({"layer": 5, "properties": {"left": 1}})", R"({"properties": {}})",
        R"({"properties": {"lift": 1}})", R"({"properties": {"left": 1.5}})",
        R"({"properties": {"text": 3}})", R"({"properties": {"noSound": 0}})",
        R"({"properties": {"remove": 1}})",
        R"({"properties": {"left": 1}, "with": {}})",
        R"({"properties": {"left": 1}, "with": [{"properties": {}}]})",
        R"({"properties": {"left": 1}, "with": [{"properties": {"left": 2},
            "with": []}]})"}) {
    EXPECT_EQ(
        "bad-value",
        std::string(
            htmlmemdoc::EditFromJson(nlohmann::json::parse(bad), read).Name()))
        << bad;
  }
}

}  // namespace
