#include "platform/ui/help.h"

#include <QDir>
#include <QFileInfo>

#include "platform/paths.h"
#include "platform/ui/ui_internal.h"
#include "platform/ui_hooks.h"

namespace ui {

CString HelpPagePath() {
  const QString here = layer::ToQ(GetExecutableFolder());
  for (const QString& candidate :
       {here + QStringLiteral("/help/index.html"), here + QStringLiteral("/../share/tabroconnect/help/index.html")}) {
    const QFileInfo info(candidate);
    if (info.isFile()) return layer::FromQ(QDir::cleanPath(info.absoluteFilePath()));
  }
  return CString();
}

void ShowProgramHelp() {
  const CString page = HelpPagePath();
  if (page.IsEmpty()) {
    GetUiHooks().MessageBox(u"ヘルプのページが見つかりません。プログラムを入れ直してください。", kAppCaption,
                            MB_OK | MB_ICONWARNING);
    return;
  }
  if (!GetUiHooks().OpenDocument(page)) {
    GetUiHooks().MessageBox(CString::Build(u"ヘルプを開けませんでした。ヘルプは次の場所にあります。\n%s", page),
                            kAppCaption, MB_OK | MB_ICONWARNING);
  }
}

}  // namespace ui
