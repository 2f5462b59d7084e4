#include "macro/ui/date_format.h"

#include <array>

#include "res/macro_dlg.h"

namespace {

constexpr std::array<const char16_t*, 6> kPatterns = {u"yyyy", u"yy/mm/dd", u"和暦yy/mm/dd", u"和暦ｙ年ｍ月ｄ日",
                                                      u"週", u"month dth, y"};
constexpr int kLastChoice = 10;

}  // namespace

CDateFormat::CDateFormat(CWnd* parent) : CDialogEx(res::IDD_DATE_FORMAT, parent) {}

void CDateFormat::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, res::IDC_DATEFORMAT_FIRST, m_Choice);
  DDV_MinMaxInt(pDX, m_Choice, 0, kLastChoice);
}

CString CDateFormat::PatternOf(int choice) {
  if (choice < 0 || choice >= static_cast<int>(kPatterns.size())) return {};
  return kPatterns[static_cast<size_t>(choice)];
}
