#include "htmlmemdoc/platform/file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/message_log.h"

namespace {

std::string TempPath(const char* name) { return ::testing::TempDir() + name; }

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(StdioFileTest, TextModeWritesCrLfAndReadsItBack) {
  const std::string path = TempPath("htmlmemdoc_text_mode.txt");
  CStdioFile out;
  ASSERT_TRUE(out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
  out.WriteString("one\ntwo\n\nlast");
  out.Close();
  EXPECT_EQ("one\r\ntwo\r\n\r\nlast", ReadBytes(path));

  CStdioFile in;
  ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead));
  CString line;
  std::string lines;
  while (in.ReadString(line)) lines += std::string(line) + "|";
  EXPECT_EQ("one|two||last|", lines);
  EXPECT_EQ(0, in.ReadString(line));
  EXPECT_TRUE(line.IsEmpty());
  std::remove(path.c_str());
}

TEST(StdioFileTest, BinaryModeKeepsBytes) {
  const std::string path = TempPath("htmlmemdoc_binary.txt");
  CStdioFile out;
  ASSERT_TRUE(out.Open(
      path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
  out.WriteString("a\nb\r\n");
  out.Close();
  EXPECT_EQ("a\nb\r\n", ReadBytes(path));
  std::remove(path.c_str());
}

TEST(StdioFileTest, OpenFailuresAreReportedNotThrown) {
  CStdioFile file;
  CFileException error;
  EXPECT_EQ(0, file.Open("/nonexistent/dir/x.htm", CFile::modeRead, &error));
  EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
  EXPECT_EQ(0, file.Open(::testing::TempDir().c_str(), CFile::modeRead));
  EXPECT_EQ(0, file.Open(nullptr, CFile::modeRead));
  EXPECT_FALSE(file.IsOpen());
}

TEST(StdioFileTest, FullDiskThrowsAFileExceptionThatReportsItself) {
  CStdioFile file;
  ASSERT_TRUE(file.Open("/dev/full", CFile::modeCreate | CFile::modeWrite));
  MessageLog log;
  try {
    file.WriteString("text\n");
    FAIL() << "a write to /dev/full must throw";
  } catch (CFileException* error) {
    EXPECT_EQ(CFileException::diskFull, error->m_cause);
    EXPECT_EQ(IDOK, error->ReportError());
    error->Delete();
  }
  file.Abort();
  ASSERT_EQ(1u, log.messages.size());
  EXPECT_NE(std::string::npos, log.messages[0].find("/dev/full"));
}

TEST(MessageBoxTest, DefaultHandlerWritesToStandardError) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(IDOK, AfxMessageBox("hello"));
  EXPECT_EQ("hello\n", ::testing::internal::GetCapturedStderr());
}

}  // namespace
