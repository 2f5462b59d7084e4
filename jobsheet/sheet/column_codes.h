#pragma once
// The per-column command codes of the CSV page and what each becomes in the job
// record: an entry of one of the five name lists, or a per-column item.

#include <cstdint>

#include "jobsheet/command/job_setting.h"
#include "jobsheet/sheet/csv_page_types.h"

// The five name lists of the record, in the order the page filler matches them.
enum : int { NAMELIST_SUM, NAMELIST_COUNTS, NAMELIST_COUNTSV, NAMELIST_AVE, NAMELIST_AVEV, NAMELIST_COUNT };

struct COLUMNCODEINFO {
  int code;
  const char16_t* suffix;    // caption suffix the page shows; null for code 0
  int nameList;              // NAMELIST_* the code fills, -1 for an item or nothing
  int itemKind;              // BARCOD_STAMPEAI kind of the item, -1 for none
  const char16_t* itemCode;  // the item's code; null: the page's colour rule text
};

inline constexpr COLUMNCODEINFO kColumnCodes[] = {
    {CODE_NONE, nullptr, -1, -1, nullptr},
    {CODE_SUM, u"[SUM]", NAMELIST_SUM, -1, nullptr},
    {CODE_COUNT_INCL, u"[COUNT(含)]", NAMELIST_COUNTS, -1, nullptr},
    {CODE_COUNT_EXCL, u"[COUNT(除)]", NAMELIST_COUNTSV, -1, nullptr},
    {CODE_AVE_INCL, u"[平均(含)]", NAMELIST_AVE, -1, nullptr},
    {CODE_AVE_EXCL, u"[平均(除)]", NAMELIST_AVEV, -1, nullptr},
    {CODE_CODE39, u"[CODE39]", -1, kItemBarcode, u"CODE39"},
    {CODE_QR, u"[QR]", -1, kItemBarcode, u"QR"},
    {CODE_SEAL, u"[認印]", -1, kItemSeal, u"認印"},
    {CODE_APPROVAL_SEAL, u"[承認印]", -1, kItemSeal, u"承認印"},
    {CODE_APPROVAL_DATE_SEAL, u"[承認日印]", -1, kItemSeal, u"承認日印"},
    {CODE_COLOR, u"[COLOR]", -1, kItemColorRule, nullptr},
};
static_assert(sizeof(kColumnCodes) / sizeof(kColumnCodes[0]) == 12);

// The codes of the name lists, by NAMELIST_*.
inline constexpr int kNameListCodes[NAMELIST_COUNT] = {CODE_SUM, CODE_COUNT_INCL, CODE_COUNT_EXCL, CODE_AVE_INCL,
                                                       CODE_AVE_EXCL};

// The table row of a code, or null for a code the page does not know.
const COLUMNCODEINFO* FindColumnCode(int code);
// The code an item stands for on the page (3 to 8), or 0 when the page cannot
// show it (another barcode kind, an unknown seal). Codes compare after trimming.
int ColumnCodeOfItem(const BARCOD_STAMPEAI& item);
// text without its trailing blanks (TrimRightBlanks on a copy).
CString Trimmed(CString text);
// Entry i of one of the record's five name lists.
CString& NameListEntry(JOBSETTING& job, int list, int i);
const CString& NameListEntry(const JOBSETTING& job, int list, int i);
