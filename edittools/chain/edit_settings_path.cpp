#include "edittools/chain/edit_settings_path.h"

#include "platform/paths.h"

CString EditSettingsFolder(const CString& programFolder) {
  return JoinPath(programFolder, CString(u"DataEditTool"));
}

CString EditSettingsFilePath(const CString& programFolder, const CString& baseName,
                             const CString& jobName) {
  CString name = baseName;
  if (jobName != baseName) {
    name += u"_";
    name += jobName;
  }
  name += u".txt";
  return JoinPath(EditSettingsFolder(programFolder), name);
}
