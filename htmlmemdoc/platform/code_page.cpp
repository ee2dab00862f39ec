// code_page.cpp: the process-wide code page, kept as a table of lead and
// trail bytes (none for UTF-8, which has rules of its own in mbcs.cpp).

#include "htmlmemdoc/platform/code_page.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include "htmlmemdoc/platform/mbcs.h"

namespace htmlmemdoc {

std::atomic<const CCodePageTable*> g_codePageTable{nullptr};

namespace {

struct CByteRange {
  unsigned char first;
  unsigned char last;
};

// A table with the lead and trail bytes of the given ranges.
template <size_t Leads, size_t Trails>
CCodePageTable MakeTable(int number, const CByteRange (&leads)[Leads],
                         const CByteRange (&trails)[Trails]) {
  CCodePageTable table{};
  table.number = number;
  for (const CByteRange& range : leads) {
    for (int b = range.first; b <= range.last; ++b) table.lead[b] = true;
  }
  for (const CByteRange& range : trails) {
    for (int b = range.first; b <= range.last; ++b) table.trail[b] = true;
  }
  return table;
}

const CCodePageTable* DoubleByteTable(int number) {
  static const CCodePageTable kShiftJis = MakeTable(
      932, {{0x81, 0x9F}, {0xE0, 0xFC}}, {{0x40, 0x7E}, {0x80, 0xFC}});
  static const CCodePageTable kGbk =
      MakeTable(936, {{0x81, 0xFE}}, {{0x40, 0x7E}, {0x80, 0xFE}});
  static const CCodePageTable kKorean = MakeTable(
      949, {{0x81, 0xFE}}, {{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}});
  static const CCodePageTable kBig5 =
      MakeTable(950, {{0x81, 0xFE}}, {{0x40, 0x7E}, {0xA1, 0xFE}});
  switch (number) {
    case 932: return &kShiftJis;
    case 936: return &kGbk;
    case 949: return &kKorean;
    case 950: return &kBig5;
    default: return nullptr;
  }
}

#ifdef _WIN32
// The table of the system's ANSI code page; null for UTF-8.
const CCodePageTable* SystemTable() {
  const int number = static_cast<int>(GetACP());
  if (number == HTMLMEMDOC_CP_UTF8) return nullptr;
  if (const CCodePageTable* table = DoubleByteTable(number)) return table;
  // Any other ANSI code page has one byte per character: no lead bytes.
  static CCodePageTable singleByte{};
  singleByte.number = number;
  return &singleByte;
}
#endif

}  // namespace
}  // namespace htmlmemdoc

int HtmlMemDocSetCodePage(int codePage) {
  using htmlmemdoc::g_codePageTable;
  if (codePage == HTMLMEMDOC_CP_UTF8) {
    g_codePageTable.store(nullptr);
    return 0;
  }
#ifdef _WIN32
  if (codePage == HTMLMEMDOC_CP_SYSTEM) {
    g_codePageTable.store(htmlmemdoc::SystemTable());
    return 0;
  }
#endif
  const htmlmemdoc::CCodePageTable* table =
      htmlmemdoc::DoubleByteTable(codePage);
  if (table == nullptr) return -1;
  g_codePageTable.store(table);
  return 0;
}

int HtmlMemDocGetCodePage() {
  const htmlmemdoc::CCodePageTable* table = htmlmemdoc::CodePageTable();
  return table != nullptr ? table->number : HTMLMEMDOC_CP_UTF8;
}
