// file.h: files and the file layer's exceptions.
// CFile reads and writes bytes; CStdioFile adds lines and text mode, in
// which a line feed is written as carriage return + line feed and a
// carriage return + line feed is read as a line feed. Failures after a
// successful Open are thrown as `CFileException*`: the catcher reports the
// error if it wishes (ReportError) and must free it with Delete().

#ifndef HTMLMEMDOC_PLATFORM_FILE_H_
#define HTMLMEMDOC_PLATFORM_FILE_H_

#include <cstdio>
#include <vector>

#include "htmlmemdoc/export.h"
#include "htmlmemdoc/platform/afx_string.h"
#include "htmlmemdoc/platform/message_box.h"
#include "htmlmemdoc/platform/object.h"

class HTMLMEMDOC_EXPORT CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  CException() = default;
  ~CException() override;
  // Frees an exception that was thrown as a pointer.
  void Delete();
  // Copies the message, cut to fit, into `buffer`; 1 when there is one.
  virtual int GetErrorMessage(char* buffer, unsigned int maxLength,
                              unsigned int* helpContext = nullptr) const;
  // Shows the message in a message box and returns the box's answer.
  virtual int ReportError(unsigned int type = MB_OK,
                          unsigned int messageId = 0) const;
};

class HTMLMEMDOC_EXPORT CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, long osError = -1,
                          const char* fileName = nullptr);
  ~CFileException() override;

  // The cause for an operating-system error number (errno).
  static int OsErrorToException(long osError);

  int GetErrorMessage(char* buffer, unsigned int maxLength,
                      unsigned int* helpContext = nullptr) const override;
  CString GetErrorMessage() const;

  int m_cause;
  long m_lOsError;
  CString m_strFileName;
};

class HTMLMEMDOC_EXPORT CFile : public CObject {
 public:
  enum OpenFlags : unsigned int {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };

  CFile();
  ~CFile() override;  // closes the file without reporting errors

  // Opens `path`; 1 on success. On failure returns 0 and, when `error` is
  // given, fills it with the cause. A directory cannot be opened.
  virtual int Open(const char* path, unsigned int flags,
                   CFileException* error = nullptr);
  // Writes out what is buffered and closes; throws CFileException* when
  // that fails (the file is closed all the same).
  virtual void Close();
  // Closes without reporting errors.
  virtual void Abort();
  virtual void Flush();
  // Reads up to `count` bytes; returns how many were read.
  virtual unsigned int Read(void* buffer, unsigned int count);
  virtual void Write(const void* buffer, unsigned int count);

  int IsOpen() const { return m_pStream != nullptr; }
  const CString& GetFilePath() const { return m_strFileName; }

 protected:
  // Writes `count` bytes and flushes them; throws on failure.
  void WriteBytes(const void* buffer, size_t count);
  // Throws a CFileException* for the current errno (or `cause`).
  [[noreturn]] void ThrowError(int cause = -1) const;

  std::FILE* m_pStream;
  CString m_strFileName;
  int m_bTextMode;
};

class HTMLMEMDOC_EXPORT CStdioFile : public CFile {
 public:
  CStdioFile() = default;
  ~CStdioFile() override;

  // Text mode unless `flags` holds typeBinary.
  int Open(const char* path, unsigned int flags,
           CFileException* error = nullptr) override;
  // Reads the next line without its line end into `line`; 0 (with `line`
  // empty) when the file has no more lines.
  int ReadString(CString& line);
  // Writes the text; in text mode each line feed as CR LF.
  void WriteString(const char* text);

  unsigned int Read(void* buffer, unsigned int count) override;

 private:
  int FillReadBuffer();  // 0 at the end of the file

  std::vector<char> m_readBuffer;
  size_t m_nReadPos = 0;
  size_t m_nReadEnd = 0;
};

#endif  // HTMLMEMDOC_PLATFORM_FILE_H_
