// refusal.cpp: the codes' names, which programs read and which therefore
// never change.

#include "htmlmemdoc/pages/page/refusal.h"

namespace htmlmemdoc {

const char* RefusalCodeName(RefusalCode code) {
  switch (code) {
    case RefusalCode::kNone:
      return "";
    case RefusalCode::kBadValue:
      return "bad-value";
    case RefusalCode::kNoLayer:
      return "no-layer";
    case RefusalCode::kWrongKind:
      return "wrong-kind";
    case RefusalCode::kNotExact:
      return "not-exact";
    case RefusalCode::kLoss:
      return "loss";
    case RefusalCode::kNoReadBack:
      return "no-read-back";
    case RefusalCode::kConflict:
      return "conflict";
    case RefusalCode::kUnchanged:
      return "unchanged";
    case RefusalCode::kUnreadable:
      return "unreadable";
    case RefusalCode::kNotText:
      return "not-text";
    case RefusalCode::kNotAPage:
      return "not-a-page";
    case RefusalCode::kCannotWrite:
      return "cannot-write";
    case RefusalCode::kNotInPlace:
      return "not-in-place";
    case RefusalCode::kInTheWay:
      return "in-the-way";
  }
  return "";
}

}  // namespace htmlmemdoc
