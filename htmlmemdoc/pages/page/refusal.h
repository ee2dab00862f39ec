// refusal.h: the one result of the layer's operations that can refuse (an
// edit, a write, a save, a site fix and its renames; a read's problem
// gives its code too): a stable code a program can act on, and a sentence
// a person can (what happened and what the page needs; which option of
// which front end to use is the front end's to add). An empty refusal means it
// was done. The codes and what each means are listed in docs/refusals.md; a
// code is never renamed.

#ifndef HTMLMEMDOC_PAGES_PAGE_REFUSAL_H_
#define HTMLMEMDOC_PAGES_PAGE_REFUSAL_H_

#include <string>
#include <utility>

namespace htmlmemdoc {

enum class RefusalCode {
  kNone,
  kBadValue,     // "bad-value": a value no page can hold
  kNoLayer,      // "no-layer": no layer has the id or place given
  kWrongKind,    // "wrong-kind": the change needs another kind of layer
  kNotExact,     // "not-exact": the library would change more, or not it
  kLoss,         // "loss": writing would lose some of the page
  kNoReadBack,   // "no-read-back": what would be written reads otherwise
  kConflict,     // "conflict": the file changed since it was read
  kUnchanged,    // "unchanged": there is no change to save
  kUnreadable,   // "unreadable": a file or folder cannot be read
  kNotText,      // "not-text": a file empty or holding a NUL byte
  kNotAPage,     // "not-a-page": the library does not read the file
  kCannotWrite,  // "cannot-write": a file or a name cannot be written
  kNotInPlace,   // "not-in-place": a reference cannot change where it stands
  kInTheWay,     // "in-the-way": a rename another name or page stands in
};

// The code's stable name ("bad-value"; "" for kNone).
const char* RefusalCodeName(RefusalCode code);

struct Refusal {
  RefusalCode code = RefusalCode::kNone;
  std::string why;  // "" when code is kNone

  Refusal() = default;
  Refusal(RefusalCode c, std::string w) : code(c), why(std::move(w)) {}

  // True when refused, as an error code is when set.
  explicit operator bool() const { return code != RefusalCode::kNone; }
  const char* Name() const { return RefusalCodeName(code); }
};

}  // namespace htmlmemdoc

#endif  // HTMLMEMDOC_PAGES_PAGE_REFUSAL_H_
