#include "htmlmemdoc/platform/file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/support.h"

namespace {

// Writes `text` to a new file at `path` opened with `flags`.
void WriteFile(const std::string& path, unsigned int flags, const char* text) {
  CStdioFile out;
  ASSERT_TRUE(out.Open(path.c_str(), flags));
  out.WriteString(text);
  out.Close();
  EXPECT_FALSE(out.IsOpen());
  out.Close();  // closing again does nothing
}

TEST(StdioFileTest, TextModeWritesCrLfBinaryModeKeepsBytes) {
  const std::string path = ::testing::TempDir() + "htmlmemdoc_text_mode.txt";
  const unsigned int create = CFile::modeCreate | CFile::modeWrite;
  WriteFile(path, create | CFile::typeBinary, "a\nb\r\n");
  EXPECT_EQ("a\nb\r\n", ReadBytes(path));
  WriteFile(path, create, "one\ntwo\n\nlast");
  EXPECT_EQ("one\r\ntwo\r\n\r\nlast", ReadBytes(path));
  CStdioFile in;
  ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead));
  CString line;
  std::string lines;
  while (in.ReadString(line)) lines += std::string(line) + "|";
  EXPECT_EQ("one|two||last|", lines);
  EXPECT_EQ(0, in.ReadString(line));
  EXPECT_TRUE(line.IsEmpty());
  in.Close();
  ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead));
  char byte[2] = {};
  EXPECT_EQ(0u, in.Read(nullptr, 3));
  EXPECT_EQ(1u, in.Read(byte, 1));
  EXPECT_STREQ("o", byte);
  in.Close();
  CFile raw;
  char bytes[4] = {};
  try {
    raw.Read(bytes, 3);
    ADD_FAILURE() << "reading a file that is not open must throw";
  } catch (CFileException* error) {
    error->Delete();
  }
  ASSERT_TRUE(raw.Open(path.c_str(), CFile::modeRead));
  EXPECT_EQ(3u, raw.Read(bytes, 3));
  EXPECT_STREQ("one", bytes);
  raw.Close();
  // Without truncation an existing file keeps the bytes not written over.
  WriteFile(path, create | CFile::modeNoTruncate | CFile::typeBinary, "ON");
  EXPECT_EQ("ONe\r\ntwo\r\n\r\nlast", ReadBytes(path));
  std::remove(path.c_str());
  WriteFile(path, create | CFile::modeNoTruncate, "new");
  EXPECT_EQ("new", ReadBytes(path));
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

// Paths are UTF-8: a name holding letters outside ASCII opens whatever the
// system's own encoding of names (UTF-16 on Windows).
TEST(StdioFileTest, OpensANameOutsideAscii) {
  const std::string name =
      ::testing::TempDir() + "caf\xc3\xa9_\xe6\x97\xa5.htm";
  std::ofstream(std::filesystem::u8path(name), std::ios::binary) << "<html>";
  CStdioFile file;
  ASSERT_TRUE(file.Open(name.c_str(), CFile::modeRead));
  CString line;
  EXPECT_TRUE(file.ReadString(line));
  EXPECT_EQ(CString("<html>"), line);
  file.Close();
  std::filesystem::remove(std::filesystem::u8path(name));
}

TEST(StdioFileTest, FullDiskThrowsAFileExceptionThatReportsItself) {
  CException plain;
  char empty[1] = {'x'};
  unsigned int help = 9;
  EXPECT_EQ(0, plain.GetErrorMessage(empty, 1, &help));
  EXPECT_EQ('\0', empty[0]);
  EXPECT_EQ(0u, help);
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
  EXPECT_EQ("Disk full while writing /dev/full. (No space left on device)",
            log.Joined());
}

TEST(MessageBoxTest, DefaultHandlerWritesToStandardError) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(IDOK, AfxMessageBox("hello"));
  EXPECT_EQ("hello\n", ::testing::internal::GetCapturedStderr());
}

}  // namespace
