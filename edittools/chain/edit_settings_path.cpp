#include "edittools/chain/edit_settings_path.h"

#include "platform/paths.h"

namespace {

constexpr size_t kMaxFileNameBytes = 255;

}  // namespace

CString EditSettingsFolder(const CString& programFolder) {
  return JoinPath(programFolder, CString(u"DataEditTool"));
}

CString EditSettingsFileName(const CString& baseName, const CString& jobName) {
  CString name = baseName;
  if (jobName != baseName) {
    name += u"_";
    name += jobName;
  }
  name += u".txt";
  return name;
}

bool EditSettingsNameFits(const CString& baseName, const CString& jobName) {
  const CString name = EditSettingsFileName(baseName, jobName);
  if (name.Find(u'/') >= 0 || name.Find(u'\0') >= 0) return false;
  return name.ToUtf8().size() <= kMaxFileNameBytes;
}

CString EditSettingsFilePath(const CString& programFolder, const CString& baseName,
                             const CString& jobName) {
  if (!EditSettingsNameFits(baseName, jobName)) return CString();
  return JoinPath(EditSettingsFolder(programFolder), EditSettingsFileName(baseName, jobName));
}
