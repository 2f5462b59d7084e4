#include "jobsheet/reuse/reuse_rules.h"

#include <algorithm>
#include <numeric>

#include "edittools/chain/edit_settings_path.h"
#include "platform/paths.h"

namespace {

bool IsForbiddenNameChar(char16_t c) {
  return c < 0x20 || c == 0x7F || HasForbiddenNameChar(CString(&c, 1));
}

}  // namespace

int SplitCommandTokens(std::vector<CString>& tokens, const CString& text) {
  tokens.clear();
  int start = 0;
  for (int semi = text.Find(u';'); semi >= 0; semi = text.Find(u';', start)) {
    tokens.push_back(text.Mid(start, semi - start));
    start = semi + 1;
  }
  if (start < text.GetLength()) tokens.push_back(text.Mid(start));
  return static_cast<int>(tokens.size());
}

bool CommandTokensDiffer(const CString& a, const CString& b) {
  std::vector<CString> ta, tb;
  if (SplitCommandTokens(ta, a) != SplitCommandTokens(tb, b)) return true;
  std::sort(ta.begin(), ta.end());
  std::sort(tb.begin(), tb.end());
  return ta != tb;
}

bool IsValidJobName(const CString& name) {
  if (name.IsEmpty() || name == u"." || name == u"..") return false;
  for (int i = 0; i < name.GetLength(); ++i) {
    if (IsForbiddenNameChar(name[i])) return false;
  }
  return true;
}

CString ProposeJobName(const CString& base, const std::function<bool(const CString&)>& taken) {
  CString clean;
  for (int i = 0; i < base.GetLength(); ++i) clean += IsForbiddenNameChar(base[i]) ? u'_' : base[i];
  if (clean == u"." || clean == u"..") clean.Replace(u'.', u'_');
  if (!taken(clean)) return clean;
  for (int k = 1;; ++k) {
    CString name;
    name.Format(u"%s_%d", clean.GetString(), k);
    if (!taken(name)) return name;
  }
}

std::vector<int> SortJobPairs(const std::vector<std::pair<CString, CString>>& pairs) {
  std::vector<int> order(pairs.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return pairs[x] < pairs[y]; });
  return order;
}

int FindDuplicateJobName(const std::vector<std::pair<CString, CString>>& pairs) {
  const std::vector<int> order = SortJobPairs(pairs);
  for (size_t i = 1; i < order.size(); ++i) {
    if (pairs[order[i - 1]] == pairs[order[i]]) return order[i - 1];
  }
  return -1;
}

bool SharesSettingsFile(const std::pair<CString, CString>& a, const std::pair<CString, CString>& b) {
  if (a == b) return false;
  return EditSettingsFileName(a.first, a.second) == EditSettingsFileName(b.first, b.second);
}

std::pair<int, int> FindSharedSettingsFile(const std::vector<std::pair<CString, CString>>& pairs) {
  std::vector<std::pair<CString, int>> names;
  names.reserve(pairs.size());
  for (size_t i = 0; i < pairs.size(); ++i) {
    names.emplace_back(EditSettingsFileName(pairs[i].first, pairs[i].second), static_cast<int>(i));
  }
  std::stable_sort(names.begin(), names.end(),
                   [](const auto& x, const auto& y) { return x.first < y.first; });
  for (size_t i = 1; i < names.size(); ++i) {
    const auto& [name, at] = names[i];
    const int before = names[i - 1].second;
    if (name == names[i - 1].first && pairs[static_cast<size_t>(before)] != pairs[static_cast<size_t>(at)]) {
      return {std::min(before, at), std::max(before, at)};
    }
  }
  return {-1, -1};
}
