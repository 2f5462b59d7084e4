#include "app/ui/main_dlg_window.h"

#include <chrono>
#include <thread>

#include "app/ui/automation_proxy.h"
#include "app/ui/system_setting_dlg.h"
#include "app/up_calls.h"
#include "platform/ui/ui_driver.h"
#include "app/ui/user_setting_dlg.h"
#include "grid/csv_split.h"
#include "res/main_dlg.h"

BEGIN_MESSAGE_MAP(CTabroClientDlgWnd, CDialogEx)
  ON_BN_CLICKED(res::IDC_MAIN_HELP, &CTabroClientDlgWnd::OnHelp)
  ON_WM_SYSCOMMAND()
  ON_WM_CLOSE()
  ON_WM_DROPFILES()
  ON_WM_TIMER()
  ON_BN_CLICKED(res::IDC_MAIN_LAUNCH, &CTabroClientDlgWnd::OnLaunch)
  ON_BN_CLICKED(res::IDC_MAIN_SELECT_FILE, &CTabroClientDlgWnd::OnSelectFile)
  ON_BN_CLICKED(res::IDC_MAIN_SYSTEM_SETTINGS, &CTabroClientDlgWnd::OnSystemSettings)
  ON_BN_CLICKED(res::IDC_MAIN_FROM_CLIPBOARD, &CTabroClientDlgWnd::OnFromClipboard)
  ON_BN_CLICKED(res::IDC_MAIN_USER_SETTINGS, &CTabroClientDlgWnd::OnUserSettings)
  ON_BN_CLICKED(res::IDC_MAIN_EDIT_REUSE, &CTabroClientDlgWnd::OnEditReuseJobs)
  ON_BN_CLICKED(IDOK, &CTabroClientDlgWnd::OnExit)
  ON_BN_CLICKED(res::IDC_MAIN_SETTINGS_MENU, &CTabroClientDlgWnd::OnSettingsMenu)
END_MESSAGE_MAP()

void CTabroClientDlgWnd::RunMainDialog(CTabroClientDlg& dlg, CAutomationServer* automation) {
  {
    CTabroClientDlgWnd wnd(dlg);
    if (automation) automation->SetMainWindow(&wnd);
    wnd.DoModal();
    if (automation) automation->SetMainWindow(nullptr);
  }
  // The thread may be waiting for this thread to take its file: keep the
  // events going until it has seen the stop.
  dlg.m_WatchRun = 0;
  while (dlg.m_hWatchThread.joinable() && !dlg.m_WatchEnded) {
    ui::ProcessEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  dlg.StopWatchThread();
}

CTabroClientDlgWnd::CTabroClientDlgWnd(CTabroClientDlg& dlg, CWnd* parent)
    : CDialogEx(res::IDD_TABROCLIENT_DIALOG, parent), m_Dlg(dlg) {
  m_Dlg.m_View = this;
}

CTabroClientDlgWnd::~CTabroClientDlgWnd() {
  if (m_Dlg.m_View == this) m_Dlg.m_View = nullptr;
}

void CTabroClientDlgWnd::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_MAIN_SETTINGS_MENU, m_SettingsButton);
}

BOOL CTabroClientDlgWnd::OnInitDialog() {
  DragAcceptFiles(TRUE);
  CDialogEx::OnInitDialog();
  if (CMenu* menu = GetSystemMenu(FALSE)) {
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, res::IDM_ABOUTBOX, CString(res::kAboutMenuText));
  }
  m_SettingsMenu.LoadMenu(res::IDR_SETTINGS_MENU);
  if (CMenu* popup = m_SettingsMenu.GetSubMenu(0)) {
    popup->DeleteMenu(res::ID_MENU_UNUSED, MF_BYCOMMAND);
    m_SettingsButton.m_hMenu = popup->GetSafeHmenu();
  }
  if (m_hAppImage.LoadBitmap(res::IDI_APP_IMAGE)) {
    SetIcon(&m_hAppImage, TRUE);
    SetIcon(&m_hAppImage, FALSE);
  }
  GetUiHooks().EmptyClipboard();
  m_Dlg.OnInitDialog();
  return TRUE;
}

BOOL CTabroClientDlgWnd::PreTranslateMessage(MSG* msg) {
  // Enter and Esc neither close the window nor press a button.
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return TRUE;
  return CDialogEx::PreTranslateMessage(msg);
}

void CTabroClientDlgWnd::CloseIfAllowed(int result) {
  if (m_Dlg.CanExit()) {
    EndDialog(result);
  } else {
    ShowWindow(SW_HIDE);
  }
}

void CTabroClientDlgWnd::OnOK() { CloseIfAllowed(IDOK); }
void CTabroClientDlgWnd::OnCancel() { CloseIfAllowed(IDCANCEL); }
void CTabroClientDlgWnd::OnClose() { CloseIfAllowed(IDCANCEL); }
void CTabroClientDlgWnd::OnExit() { OnOK(); }

void CTabroClientDlgWnd::OnSysCommand(UINT id, LPARAM lParam) {
  if (id >= 16 && id <= 31) {
    CAboutDlg about;
    about.DoModal();
    return;
  }
  CDialogEx::OnSysCommand(id, lParam);
}

void CTabroClientDlgWnd::OnDropFiles(HDROP drop) {
  std::vector<CString> paths;
  const UINT count = DragQueryFileCount(drop);
  for (UINT i = 0; i < count; ++i) {
    CString path;
    DragQueryFile(drop, i, path);
    paths.push_back(path);
  }
  m_Dlg.OnDropFiles(paths);
}

void CTabroClientDlgWnd::OnTimer(UINT_PTR id) { m_Dlg.OnTimer(static_cast<unsigned>(id)); }
void CTabroClientDlgWnd::OnSelectFile() { m_Dlg.OnSelectFile(); }
void CTabroClientDlgWnd::OnFromClipboard() { m_Dlg.OnFromClipboard(); }
void CTabroClientDlgWnd::OnLaunch() { m_Dlg.OnLaunch(); }
void CTabroClientDlgWnd::OnEditReuseJobs() {
  GetUpCalls().editReuseJobs(m_Dlg);
}

void CTabroClientDlgWnd::OnUserSettings() {
  CUserSetting dlg(this);
  theApp.LoadUserSettings();
  {
    std::lock_guard<std::mutex> lock(m_Dlg.m_WatchFolderLock);
    theApp.LoadWatchSettings();
  }
  dlg.m_WatchMode = theApp.m_WatchingMode ? 1 : 0;
  dlg.m_WatchFolderText = theApp.m_WatchFolderRaw;
  if (dlg.DoModal() != IDOK) return;
  dlg.ApplyToApp();
  theApp.m_SyokikidoGamen = dlg.m_StartPage;
  theApp.m_ServerConnectMode = dlg.m_ServerConnect;
  theApp.m_CommandReUse = dlg.m_ReuseJobs;
  theApp.SaveUserSettings();
  // The file keeps the folder as typed; the thread scans it expanded.
  theApp.m_WatchingMode = dlg.m_WatchMode;
  theApp.m_WatchFolderRaw = dlg.m_WatchFolderText;
  m_Dlg.SetWatchFolder(ExpandLeadingEnvVar(dlg.m_WatchFolderText));
  theApp.SaveWatchSettings();
}

void CTabroClientDlgWnd::OnSystemSettings() {
  CSystemSettingDlg dlg;
  dlg.DoModal();
}

void CTabroClientDlgWnd::OnSettingsMenu() {
  switch (m_SettingsButton.m_nMenuResult) {
    case res::ID_MENU_SYSTEM_SETTINGS: OnSystemSettings(); break;
    case res::ID_MENU_USER_SETTINGS: OnUserSettings(); break;
    default: break;
  }
}

void CTabroClientDlgWnd::ShowButton(int id, bool show) {
  if (CWnd* w = GetDlgItem(id)) w->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CTabroClientDlgWnd::SetDropZoneText(const CString& text) { SetDlgItemText(res::IDC_MAIN_DROP_ZONE, text); }

void CTabroClientDlgWnd::EndMainDialog(int result) { EndDialog(result); }

void CTabroClientDlgWnd::RunOnUiThread(const std::function<void()>& fn) { CallOnUiThread(fn); }

void CTabroClientDlgWnd::StartTimer(unsigned id, unsigned milliseconds) { SetTimer(id, milliseconds); }

void CTabroClientDlgWnd::KillTimer(unsigned id) { CWnd::KillTimer(id); }

CAboutDlg::CAboutDlg() : CDialogEx(res::IDD_ABOUTBOX) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Text(pDX, res::IDC_ABOUT_VERSION, m_Version);
}

BOOL CAboutDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  m_Version = theApp.m_VersionText;
  UpdateData(FALSE);
  return TRUE;
}
