// file.cpp: CFile over C stdio streams, opened in binary mode; text mode is
// done here so that it behaves the same on every platform. Writes are
// flushed at once, so an error such as a full disk is thrown by the write
// that met it rather than later by Close.

#include "htmlmemdoc/platform/file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <string>

#include "htmlmemdoc/platform/file_system.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {

const size_t kReadChunk = 64 * 1024;

// What went wrong, with %s standing for the file name.
const char* DescribeCause(int cause) {
  switch (cause) {
    case CFileException::none:
      return "No error occurred with %s.";
    case CFileException::fileNotFound:
      return "%s was not found.";
    case CFileException::badPath:
      return "%s contains an invalid path.";
    case CFileException::tooManyOpenFiles:
      return "%s could not be opened because too many files are open.";
    case CFileException::accessDenied:
      return "Access to %s was denied.";
    case CFileException::invalidFile:
      return "An invalid file handle was used with %s.";
    case CFileException::directoryFull:
      return "%s could not be created because the directory is full.";
    case CFileException::hardIO:
      return "A hardware I/O error occurred while accessing %s.";
    case CFileException::diskFull:
      return "Disk full while writing %s.";
    case CFileException::endOfFile:
      return "An attempt was made to access %s past its end.";
    default:
      return "An unexpected error occurred while accessing %s.";
  }
}

// "rb", "wb" and the like for the open flags; null for a combination that
// needs two tries (create without truncating).
const char* StdioMode(unsigned int flags) {
  const bool write = (flags & (CFile::modeWrite | CFile::modeReadWrite)) != 0;
  if (!write) return "rb";
  if ((flags & CFile::modeCreate) == 0) return "r+b";
  if ((flags & CFile::modeNoTruncate) != 0) return nullptr;
  return (flags & CFile::modeReadWrite) != 0 ? "w+b" : "wb";
}

std::FILE* OpenStream(const char* path, unsigned int flags) {
  const char* mode = StdioMode(flags);
  if (mode != nullptr) return htmlmemdoc::OpenFile(path, mode);
  std::FILE* stream = htmlmemdoc::OpenFile(path, "r+b");
  if (stream == nullptr && errno == ENOENT)
    stream = htmlmemdoc::OpenFile(path, "w+b");
  return stream;
}

int IsDirectory(std::FILE* stream) {
  struct stat info;
  return fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

CException::~CException() = default;

void CException::Delete() { delete this; }

int CException::GetErrorMessage(char* buffer, unsigned int maxLength,
                                unsigned int* helpContext) const {
  if (helpContext != nullptr) *helpContext = 0;
  if (buffer != nullptr && maxLength > 0) buffer[0] = '\0';
  return 0;
}

int CException::ReportError(unsigned int type, unsigned int) const {
  char message[512];
  if (!GetErrorMessage(message, sizeof message)) {
    std::strcpy(message, "No error message is available.");
  }
  return AfxMessageBox(message, type, 0);
}

CFileException::CFileException(int cause, long osError, const char* fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

CFileException::~CFileException() = default;

int CFileException::OsErrorToException(long osError) {
  switch (osError) {
    case 0:
      return none;
    case ENOENT:
      return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
#ifdef ELOOP  // not on Windows
    case ELOOP:
#endif
      return badPath;
    case EMFILE:
    case ENFILE:
      return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return accessDenied;
    case EBADF:
      return invalidFile;
    case EIO:
      return hardIO;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT  // not on Windows
    case EDQUOT:
#endif
      return diskFull;
    default:
      return genericException;
  }
}

CString CFileException::GetErrorMessage() const {
  CString name =
      m_strFileName.IsEmpty() ? CString("an unnamed file") : m_strFileName;
  CString message;
  message.Format(DescribeCause(m_cause), static_cast<const char*>(name));
  if (m_lOsError > 0) {
    message.Format("%s (%s)", static_cast<const char*>(CString(message)),
                   std::strerror(static_cast<int>(m_lOsError)));
  }
  return message;
}

int CFileException::GetErrorMessage(char* buffer, unsigned int maxLength,
                                    unsigned int* helpContext) const {
  if (helpContext != nullptr) *helpContext = 0;
  if (buffer == nullptr || maxLength == 0) return 0;
  CString message = GetErrorMessage();
  std::snprintf(buffer, maxLength, "%s", static_cast<const char*>(message));
  return 1;
}

CFile::CFile() : m_pStream(nullptr), m_bTextMode(0) {}

CFile::~CFile() { Abort(); }

int CFile::Open(const char* path, unsigned int flags, CFileException* error) {
  Abort();
  if (path == nullptr) path = "";
  m_strFileName = path;
  m_bTextMode = 0;
  errno = 0;
  std::FILE* stream = *path != '\0' ? OpenStream(path, flags) : nullptr;
  long osError = stream != nullptr ? 0 : (errno != 0 ? errno : ENOENT);
  if (stream != nullptr && IsDirectory(stream)) {
    std::fclose(stream);
    stream = nullptr;
    osError = EISDIR;
  }
  if (stream == nullptr) {
    if (error != nullptr) {
      error->m_cause = CFileException::OsErrorToException(osError);
      error->m_lOsError = osError;
      error->m_strFileName = path;
    }
    return 0;
  }
  m_pStream = stream;
  return 1;
}

void CFile::Close() {
  if (m_pStream == nullptr) return;
  errno = 0;
  const int failed = std::fclose(m_pStream) != 0;
  m_pStream = nullptr;
  if (failed) ThrowError();
}

void CFile::Abort() {
  if (m_pStream != nullptr) std::fclose(m_pStream);
  m_pStream = nullptr;
}

void CFile::Flush() {
  if (m_pStream != nullptr && std::fflush(m_pStream) != 0) ThrowError();
}

unsigned int CFile::Read(void* buffer, unsigned int count) {
  if (m_pStream == nullptr) ThrowError(CFileException::invalidFile);
  if (buffer == nullptr || count == 0) return 0;
  const size_t got = std::fread(buffer, 1, count, m_pStream);
  if (got < count && std::ferror(m_pStream)) ThrowError();
  return static_cast<unsigned int>(got);
}

void CFile::Write(const void* buffer, unsigned int count) {
  WriteBytes(buffer, count);
}

void CFile::WriteBytes(const void* buffer, size_t count) {
  if (m_pStream == nullptr) ThrowError(CFileException::invalidFile);
  if (buffer == nullptr || count == 0) return;
  errno = 0;
  if (std::fwrite(buffer, 1, count, m_pStream) != count) ThrowError();
  Flush();
}

void CFile::ThrowError(int cause) const {
  const long osError = errno;
  if (cause < 0) {
    cause = osError != 0 ? CFileException::OsErrorToException(osError)
                         : CFileException::genericException;
  }
  throw new CFileException(cause, osError, m_strFileName);
}

CStdioFile::~CStdioFile() = default;

int CStdioFile::Open(const char* path, unsigned int flags,
                     CFileException* error) {
  m_nReadPos = m_nReadEnd = 0;
  if (!CFile::Open(path, flags, error)) return 0;
  m_bTextMode = (flags & typeBinary) == 0;
  return 1;
}

int CStdioFile::FillReadBuffer() {
  if (m_pStream == nullptr) ThrowError(CFileException::invalidFile);
  if (m_readBuffer.size() < kReadChunk) m_readBuffer.resize(kReadChunk);
  errno = 0;
  m_nReadPos = 0;
  m_nReadEnd = std::fread(m_readBuffer.data(), 1, kReadChunk, m_pStream);
  if (m_nReadEnd == 0 && std::ferror(m_pStream)) ThrowError();
  return m_nReadEnd > 0;
}

int CStdioFile::ReadString(CString& line) {
  std::string text;
  int gotAny = 0;
  for (;;) {
    if (m_nReadPos == m_nReadEnd && !FillReadBuffer()) break;
    gotAny = 1;
    const char* begin = m_readBuffer.data() + m_nReadPos;
    const size_t available = m_nReadEnd - m_nReadPos;
    const void* newline = std::memchr(begin, '\n', available);
    const size_t take =
        newline != nullptr
            ? static_cast<size_t>(static_cast<const char*>(newline) - begin)
            : available;
    text.append(begin, take);
    m_nReadPos += take;
    if (newline != nullptr) {
      ++m_nReadPos;  // the line feed ends the line and is not kept
      break;
    }
  }
  if (m_bTextMode && !text.empty() && text.back() == '\r') text.pop_back();
  line = CString(text.c_str(), static_cast<int>(text.size()));
  return gotAny;
}

void CStdioFile::WriteString(const char* text) {
  if (m_pStream == nullptr) ThrowError(CFileException::invalidFile);
  if (text == nullptr) return;
  if (!m_bTextMode) {
    WriteBytes(text, std::strlen(text));
    return;
  }
  std::string converted;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\n') converted += '\r';
    converted += *p;
  }
  WriteBytes(converted.data(), converted.size());
}

unsigned int CStdioFile::Read(void* buffer, unsigned int count) {
  if (buffer == nullptr || count == 0) return 0;
  char* out = static_cast<char*>(buffer);
  unsigned int done = 0;
  while (done < count) {
    if (m_nReadPos == m_nReadEnd && !FillReadBuffer()) break;
    size_t take = m_nReadEnd - m_nReadPos;
    if (take > count - done) take = count - done;
    std::memcpy(out + done, m_readBuffer.data() + m_nReadPos, take);
    m_nReadPos += take;
    done += static_cast<unsigned int>(take);
  }
  return done;
}
