// page_journal.cpp: reading a journal replays its lines (a change made
// drops the changes undone before it, as a session does) and stops at the
// first line that does not read, the one a crash may have torn. Whether
// the file is still this session's is told by the session id in its first
// line, read afresh before every append.

#include "htmlmemdoc/pages/report/page_journal.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "htmlmemdoc/pages/page/page_file.h"
#include "htmlmemdoc/pages/text/text_util.h"
#include "htmlmemdoc/platform/file_system.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace htmlmemdoc {
namespace {

// `value` as an int; false when it is no integer or does not fit one.
bool IntOf(const json& value, int& number) {
  if (value.is_number_unsigned()) {
    if (value.get<uint64_t>() > static_cast<uint64_t>(INT_MAX)) return false;
  } else if (!value.is_number_integer() ||
             value.get<int64_t>() < static_cast<int64_t>(INT_MIN) ||
             value.get<int64_t>() > static_cast<int64_t>(INT_MAX)) {
    return false;
  }
  number = value.get<int>();
  return true;
}

Refusal BadChange(std::string why) {
  return Refusal(RefusalCode::kBadValue, std::move(why));
}

Refusal SetProperty(PageEdit& edit, const std::string& name,
                    const json& value) {
  if ((name == "noSound" || name == "remove") && value == true) {
    (name == "remove" ? edit.remove : edit.noSound) = true;
    return Refusal();
  }
  const EditProperty* property = FindEditProperty(name);
  if (property == nullptr)
    return BadChange("no property " + name + " with a value of that kind");
  int number = 0;
  if (property->number && IntOf(value, number)) {
    edit.*property->number = number;
  } else if (property->number) {
    return NumberRefusal(property->number, value.dump());
  } else if (value.is_string()) {
    edit.*property->text = value.get<std::string>();
  } else {
    return BadChange(name + " needs a text");
  }
  return Refusal();
}

std::string Now() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &now);
#else
  gmtime_r(&now, &utc);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::string NewSessionId() {
  std::random_device random;
  char text[17];
  std::snprintf(text, sizeof text, "%08x%08x", random(), random());
  return text;
}

// Writes `text` at the end of `file` (a new file for "wb") and flushes it
// to the disk; false when any of it fails.
bool WriteDurably(const std::string& file, const char* mode,
                  const std::string& text) {
  std::FILE* out = OpenFile(file.c_str(), mode);
  if (out == nullptr) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size() &&
            std::fflush(out) == 0;
#ifdef _WIN32
  ok = ok && _commit(_fileno(out)) == 0;
#else
  ok = ok && fsync(fileno(out)) == 0;
#endif
  return std::fclose(out) == 0 && ok;
}

// `value` as one line of JSON; a text that is not UTF-8 (a page's own
// bytes) has its stray bytes replaced rather than failing the journal.
std::string Line(const json& value) {
  return value.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string StepLine(json step) {
  step["time"] = Now();
  return Line(step);
}

// Plays one journal line on `record`'s changes, of which `done` are in
// effect; false when the line is no step.
bool Replay(const json& step, JournalRecord& record, size_t& done) {
  if (!step.is_object()) return false;
  SessionEdit edit;
  if (step.contains("apply")) {
    if (EditFromJson(step["apply"], edit)) return false;
    record.edits.resize(done);
    record.edits.push_back(edit);
    ++done;
  } else if (step.contains("undo")) {
    if (done > 0) --done;
  } else if (step.contains("redo")) {
    if (done < record.edits.size()) ++done;
  } else {
    return false;
  }
  if (step.contains("time") && step["time"].is_string())
    record.time = step["time"].get<std::string>();
  return true;
}

// The changes made `with` the one `value` holds, into `made`; each holds
// none of its own, so that a step is a flat list, however it was sent.
Refusal WithFromJson(const json& value, SessionEdit& made) {
  const auto with = value.find("with");
  if (with == value.end()) return Refusal();
  if (!with->is_array()) return BadChange("the changes with it are no list");
  for (const json& one : *with) {
    if (one.is_object() && one.contains("with"))
      return BadChange("a change made with another has none with it");
    made.with.emplace_back();
    if (Refusal why = EditFromJson(one, made.with.back())) return why;
  }
  return Refusal();
}

// The journal files of the sessions alive in this process, each with
// whether a later session took over or discarded what it held. Such a
// file is not removed while its session lives (its changes are still in
// that session, and a crash must not lose them), only no longer offered;
// it goes with its session.
class LiveJournals {
 public:
  static LiveJournals& Get() {
    static LiveJournals live;
    return live;
  }
  void Add(const std::string& file) { Set(file, false); }
  void Set(const std::string& file, bool dropped) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_files[Key(file)] = dropped;
  }
  // Whether `file` is a live session's; `dropped` then says whether it was.
  bool Find(const std::string& file, bool& dropped) const {
    std::lock_guard<std::mutex> lock(m_lock);
    const auto found = m_files.find(Key(file));
    if (found == m_files.end()) return false;
    dropped = found->second;
    return true;
  }
  // Marks `file` dropped when it is a live session's; whether it is.
  bool Drop(const std::string& file) {
    std::lock_guard<std::mutex> lock(m_lock);
    const auto found = m_files.find(Key(file));
    if (found == m_files.end()) return false;
    found->second = true;
    return true;
  }
  // Forgets `file`; whether it had been dropped.
  bool Remove(const std::string& file) {
    std::lock_guard<std::mutex> lock(m_lock);
    const auto found = m_files.find(Key(file));
    const bool dropped = found != m_files.end() && found->second;
    if (found != m_files.end()) m_files.erase(found);
    return dropped;
  }

 private:
  // A file by its name alone (a page's hash and a session id: one folder
  // holds them), however the folder was spelled ("/" or "\\").
  static std::string Key(const std::string& file) {
    return FsPath(file).filename().u8string();
  }

  mutable std::mutex m_lock;
  std::map<std::string, bool> m_files;
};

}  // namespace

json EditJson(const SessionEdit& change) {
  const PageEdit& edit = change.edit;
  json properties = json::object();
  for (const EditProperty& property : EditProperties()) {
    if (property.number && edit.*property.number)
      properties[property.name] = *(edit.*property.number);
    if (property.text && edit.*property.text)
      properties[property.name] = *(edit.*property.text);
  }
  if (edit.noSound) properties["noSound"] = true;
  if (edit.remove) properties["remove"] = true;
  json made = {{"index", change.index},
               {"layer", edit.layer},
               {"properties", properties}};
  for (const SessionEdit& with : change.with)
    made["with"].push_back(EditJson(with));
  return made;
}

Refusal EditFromJson(const json& value, SessionEdit& edit) {
  if (!value.is_object()) return BadChange("a change is a JSON object");
  SessionEdit made;
  const auto index = value.find("index");
  if (index != value.end() && (!IntOf(*index, made.index) || made.index < -1))
    return BadChange("the layer's place in the page is not a number from 0");
  const auto layer = value.find("layer");
  if (layer != value.end() && !layer->is_string())
    return BadChange("the layer's id is not a text");
  if (layer != value.end()) made.edit.layer = layer->get<std::string>();
  const auto properties = value.find("properties");
  if (properties == value.end() || !properties->is_object() ||
      properties->empty()) {
    return BadChange("the change names no property");
  }
  for (const auto& [name, property] : properties->items()) {
    if (Refusal why = SetProperty(made.edit, name, property)) return why;
  }
  if (Refusal why = WithFromJson(value, made)) return why;
  edit = std::move(made);
  return Refusal();
}

std::string DefaultJournalFolder() {
#ifdef _WIN32
  // Where Windows keeps a program's own files for this user and computer
  // (the variables of POSIX, which wine passes on, would name a folder of
  // another system there).
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (local != nullptr && *local != L'\0')
    return Utf8(local) + "\\htmlmemdoc\\journal";
#else
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && *state != '\0')
    return std::string(state) + "/htmlmemdoc/journal";
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0')
    return std::string(home) + "/.local/state/htmlmemdoc/journal";
#endif
  return "";
}

SessionLogMaker JournalIn(const std::string& folder) {
  if (folder.empty()) return nullptr;
  return [folder](const std::string& path, const std::string& bytes) {
    return std::make_unique<PageJournal>(folder, path, bytes);
  };
}

PageJournal::PageJournal(const std::string& folder, std::string path,
                         const std::string& bytes) {
  if (folder.empty()) return;
  m_prefix = BytesHash(path) + ".";
  m_file = folder + "/" + m_prefix + NewSessionId() + ".journal";
  // The path as the file will hold it, so that reading compares alike.
  m_header = {{"path", json::parse(Line(path))},
              {"size", bytes.size()},
              {"hash", BytesHash(bytes)}};
  LiveJournals::Get().Add(m_file);
}

PageJournal::~PageJournal() {
  std::error_code error;
  if (Kept() && LiveJournals::Get().Remove(m_file))
    fs::remove(FsPath(m_file), error);
}

bool PageJournal::ReadFile(const std::string& file,
                           JournalRecord& record) const {
  std::string bytes;
  if (!ReadFileBytes(file, bytes)) return false;
  const size_t end = bytes.find('\n');
  const json header = json::parse(bytes.substr(0, end), nullptr, false);
  if (!header.is_object() || header.value("path", "") != m_header["path"] ||
      !header.value("size", json()).is_number_unsigned() ||
      !header.value("hash", json()).is_string()) {
    return false;
  }
  JournalRecord read;
  read.path = header["path"].get<std::string>();
  read.size = header["size"].get<uint64_t>();
  read.hash = header["hash"].get<std::string>();
  read.time = header.value("time", "");
  size_t done = 0;
  for (size_t from = end;
       from != std::string::npos && from + 1 < bytes.size();) {
    const size_t next = bytes.find('\n', from + 1);
    if (next == std::string::npos) break;  // a line a crash cut short
    const json step =
        json::parse(bytes.substr(from + 1, next - from - 1), nullptr, false);
    if (!Replay(step, read, done)) break;
    from = next;
  }
  read.edits.resize(done);
  record = std::move(read);
  return true;
}

bool PageJournal::Read(JournalRecord& record) const {
  m_offered.clear();
  if (!Kept()) return false;
  // Every other session's journal of the page, oldest first.
  std::vector<std::pair<JournalRecord, std::string>> found;
  std::error_code error;
  const std::string own = FsPath(m_file).filename().u8string();
  for (fs::directory_iterator it(FsPath(m_file).parent_path(), error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().u8string();
    const std::string file = PathText(it->path());
    bool dropped = false;
    JournalRecord read;
    if (name != own && name.compare(0, m_prefix.size(), m_prefix) == 0 &&
        HasEnding(name, ".journal") &&
        !(LiveJournals::Get().Find(file, dropped) && dropped) &&
        ReadFile(file, read))
      found.emplace_back(std::move(read), file);
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return a.first.time < b.first.time;
  });
  // Those made from the file as it is now come first (an older record of
  // the file before a save must not hide them); those made from the same
  // file as the first are offered as one list.
  std::stable_partition(found.begin(), found.end(), [&](const auto& one) {
    return one.first.size == m_header["size"].get<uint64_t>() &&
           one.first.hash == m_header["hash"].get<std::string>();
  });
  for (auto& [read, file] : found) {
    if (m_offered.empty()) {
      record = read;
    } else if (read.size != record.size || read.hash != record.hash) {
      continue;
    } else {
      record.edits.insert(record.edits.end(), read.edits.begin(),
                          read.edits.end());
      record.time = read.time;
    }
    m_offered.push_back(file);
  }
  return !m_offered.empty();
}

std::string PageJournal::Write(const SessionStep& step, SessionEdits inEffect) {
  if (!Kept()) return "";
  LiveJournals::Get().Set(m_file, false);  // a change: offered again
  std::error_code error;
  if (!fs::exists(FsPath(m_file), error)) return Rewrite(inEffect);
  const json line = step.kind == SessionStep::kApply
                        ? json{{"apply", EditJson(step.edit)}}
                    : step.kind == SessionStep::kUndo ? json{{"undo", true}}
                                                      : json{{"redo", true}};
  if (WriteDurably(m_file, "ab", StepLine(line))) return "";
  return "the unsaved changes cannot be kept on disk";
}

std::string PageJournal::Rewrite(SessionEdits inEffect) {
  if (!Kept()) return "";
  const std::string failure = "the unsaved changes cannot be kept on disk";
  std::error_code error;
  const fs::path folder = FsPath(m_file).parent_path();
  if (fs::create_directories(folder, error))  // only its owner reads it
    fs::permissions(folder, fs::perms::owner_all, error);
  if (!fs::is_directory(folder, error)) return failure;
  json header = m_header;
  header["time"] = Now();
  std::string text = Line(header);
  for (const SessionEdit& edit : inEffect)
    text += StepLine({{"apply", EditJson(edit)}});
  const std::string temporary = m_file + ".tmp";
  if (!WriteDurably(temporary, "wb", text)) {
    fs::remove(FsPath(temporary), error);
    return failure;
  }
  fs::rename(FsPath(temporary), FsPath(m_file), error);
  if (!error) return "";
  fs::remove(FsPath(temporary), error);
  return failure;
}

void PageJournal::Forget() {
  if (!Kept()) return;
  std::error_code error;
  fs::remove(FsPath(m_file), error);
}

void PageJournal::DropOffered() {
  std::error_code error;
  for (const std::string& file : m_offered)
    if (!LiveJournals::Get().Drop(file)) fs::remove(FsPath(file), error);
  m_offered.clear();
}

}  // namespace htmlmemdoc
