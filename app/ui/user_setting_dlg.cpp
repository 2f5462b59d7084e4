#include "app/ui/user_setting_dlg.h"

#include <filesystem>

#include "app/tabro_client_app.h"
#include "app/user_settings.h"
#include "grid/csv_split.h"
#include "platform/paths.h"
#include "res/user_setting_dlg.h"

namespace {

// Entry texts around the folder of their index.
constexpr const char16_t* kOutputFolders[] = {
    u"任意のフォルダー",
    u"ユーザーのダウンロードフォルダー【%s】",
    u"ユーザーのデスクトップ　　　　  【%s】  ",
    u"ユーザーのドキュメントフォルダー【%s】",
};
static_assert(std::size(kOutputFolders) == 4);

constexpr const char16_t* kNameModes[] = {u"上書き保存", u"連番をつけて保存"};
// Shift list radio index to the stored list type.
constexpr int kShiftListTypes[] = {1, 2, 0};
constexpr char16_t kTableCommand[] = u"TypeTX";

bool PathExists(const CString& path) {
  std::error_code ec;
  return std::filesystem::exists(ToFsPath(path), ec);
}

}  // namespace

BEGIN_MESSAGE_MAP(CUserSetting, CDialogEx)
  ON_BN_CLICKED(res::IDC_US_HELP, &CUserSetting::OnHelp)
  ON_BN_CLICKED(res::IDC_US_OUT_BROWSE, &CUserSetting::OnBrowseOutputFolder)
  ON_CBN_SELCHANGE(res::IDC_US_OUT_COMBO, &CUserSetting::OnOutputFolderChange)
  ON_BN_CLICKED(res::IDC_US_WATCH_BROWSE, &CUserSetting::OnBrowseWatchFolder)
  ON_BN_CLICKED(res::IDC_US_WATCH_ON, &CUserSetting::UpdateControlStates)
  ON_BN_CLICKED(res::IDC_US_WATCH_OFF, &CUserSetting::UpdateControlStates)
  ON_BN_CLICKED(res::IDC_US_CLEAR_REUSE, &CUserSetting::OnClearReuse)
  ON_BN_CLICKED(res::IDC_US_TYPE_A4, &CUserSetting::OnTypeClicked)
  ON_BN_CLICKED(res::IDC_US_TYPE_TABLE, &CUserSetting::OnTypeClicked)
END_MESSAGE_MAP()

CUserSetting::CUserSetting(CWnd* parent) : CDialogEx(res::IDD_USER_SETTING, parent) {}

void CUserSetting::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_US_WATCH_FOLDER, m_WatchEdit);
  DDX_Control(pDX, res::IDC_US_WATCH_BROWSE, m_WatchBrowse);
  DDX_Control(pDX, res::IDC_US_OUT_FOLDER, m_CustomEdit);
  DDX_Control(pDX, res::IDC_US_OUT_COMBO, m_OutputCombo);
  DDX_Control(pDX, res::IDC_US_OUT_BROWSE, m_OutputBrowse);
  DDX_Control(pDX, res::IDC_US_NAME_COMBO, m_NameCombo);
  // The watch group runs "無効" (0), "有効" (1).
  DDX_Radio(pDX, res::IDC_US_WATCH_OFF, m_WatchMode);
  DDX_Text(pDX, res::IDC_US_WATCH_FOLDER, m_WatchFolderText);
  DDX_Radio(pDX, res::IDC_US_START_BASIC, m_StartPage);
  DDX_Text(pDX, res::IDC_US_OUT_FOLDER, m_CustomFolder);
  DDX_CBIndex(pDX, res::IDC_US_OUT_COMBO, m_OutputIndex);
  DDX_Check(pDX, res::IDC_US_SERVER_CONNECT, m_ServerConnect);
  DDX_Check(pDX, res::IDC_US_REUSE, m_ReuseJobs);
  DDX_CBIndex(pDX, res::IDC_US_NAME_COMBO, m_NameMode);
  DDX_Radio(pDX, res::IDC_US_SHIFT_GROUPED, m_ShiftRadio);
  DDX_Radio(pDX, res::IDC_US_TYPE_A4, m_TypeRadio);
}

CString CUserSetting::OutputFolderOf(int index) const {
  if (index <= 0 || index >= static_cast<int>(std::size(kOutputFolders))) return m_CustomFolder;
  return SaveFolderForIndex(index);
}

BOOL CUserSetting::OnInitDialog() {
  CDialogEx::OnInitDialog();
  m_OutputCombo.ResetContent();
  for (int i = 0; i < static_cast<int>(std::size(kOutputFolders)); ++i) {
    m_OutputCombo.AddString(i == 0 ? CString(kOutputFolders[0]) : CString::Build(kOutputFolders[i], OutputFolderOf(i)));
  }
  const int idx = theApp.m_SaveDirectoryIdx;
  m_OutputIndex = idx >= 0 && idx < 4 ? idx : 0;
  m_CustomFolder = m_OutputIndex == 0 ? theApp.m_SaveDirectory : CString();
  m_StartPage = theApp.m_SyokikidoGamen >= 0 && theApp.m_SyokikidoGamen <= 2 ? theApp.m_SyokikidoGamen : 0;
  m_ServerConnect = theApp.m_ServerConnectMode;
  m_ReuseJobs = theApp.m_CommandReUse ? 1 : 0;
  m_NameCombo.ResetContent();
  for (const char16_t* text : kNameModes) m_NameCombo.AddString(CString(text));
  m_NameMode = theApp.m_SameFileNameOverWrite == 0 ? 0 : 1;
  const int shift = theApp.m_ShiftStartExcelListType;
  m_ShiftRadio = shift == 1 ? 0 : (shift == 0 ? 2 : 1);
  m_TypeRadio = theApp.m_DefaultCommand == kTableCommand ? 1 : 0;
  UpdateData(FALSE);
  UpdateControlStates();
  return TRUE;
}

void CUserSetting::UpdateControlStates() {
  const int index = m_OutputCombo.GetCurSel();
  const int watch = IsDlgButtonChecked(res::IDC_US_WATCH_ON) == BST_CHECKED;
  m_CustomEdit.EnableWindow(index == 0);
  m_OutputBrowse.EnableWindow(index == 0);
  m_WatchEdit.EnableWindow(watch);
  m_WatchBrowse.EnableWindow(watch);
}

void CUserSetting::OnOutputFolderChange() { UpdateControlStates(); }

void CUserSetting::OnTypeClicked() { m_TypeClicked = true; }

void CUserSetting::OnBrowseOutputFolder() {
  UpdateData(TRUE);
  const CString folder =
      GetUiHooks().ChooseFolder(CString(u"作成したファイルを保存するフォルダーを指定してください"), m_CustomFolder);
  if (folder.IsEmpty()) return;
  m_CustomFolder = folder;
  UpdateData(FALSE);
}

void CUserSetting::OnBrowseWatchFolder() {
  UpdateData(TRUE);
  const CString folder = GetUiHooks().ChooseFolder(
      CString(u"変換元となるCSVファイルを保存する作業フォルダーを指定してください"), m_WatchFolderText);
  if (folder.IsEmpty()) return;
  m_WatchFolderText = folder;
  UpdateData(FALSE);
}

void CUserSetting::OnClearReuse() {
  if (theApp.DoMessageBox(CString(u"再利用コマンドの情報をすべてクリアします\n本当に削除してもよいですか？"),
                          MB_OKCANCEL | MB_ICONWARNING) != IDOK) {
    return;
  }
  theApp.ResetReuseCommands();
  theApp.ClearReuseCommands();
}

void CUserSetting::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (m_OutputIndex == 0) {
    if (m_CustomFolder.IsEmpty()) {
      theApp.DoMessageBox(CString(u"任意の【出力ドキュメント】のフォルダを指定して下さい。"), MB_OK);
      return;
    }
    if (!PathExists(m_CustomFolder)) {
      theApp.DoMessageBox(CString(u"指定した【出力ドキュメント】のフォルダは存在しません。"), MB_OK);
      return;
    }
    if (!CheckSettingsFolderText(m_CustomFolder)) return;
  }
  if (m_WatchMode == 1 && !PathExists(ExpandLeadingEnvVar(m_WatchFolderText))) {
    theApp.DoMessageBox(CString(u"指定した【監視フォルダ】のフォルダは存在しません。"), MB_OK);
    return;
  }
  if (!CheckSettingsFolderText(m_WatchFolderText)) return;
  EndDialog(IDOK);
}

void CUserSetting::ApplyToApp() const {
  theApp.m_SaveDirectoryIdx = m_OutputIndex;
  theApp.m_SaveDirectory = OutputFolderOf(m_OutputIndex);
  theApp.m_SameFileNameOverWrite = m_NameMode;
  if (m_ShiftRadio >= 0 && m_ShiftRadio < 3) theApp.m_ShiftStartExcelListType = kShiftListTypes[m_ShiftRadio];
  if (m_TypeClicked) {
    theApp.m_DefaultCommand = m_TypeRadio == 1 ? CString(kTableCommand) : CString();
  }
}
