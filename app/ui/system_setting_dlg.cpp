#include "app/ui/system_setting_dlg.h"

#include "app/tabro_client_app.h"
#include "res/system_setting_dlg.h"

namespace {

struct ProxyEntry {
  const char16_t* text;
  int16_t proxyType;
};
constexpr ProxyEntry kProxyEntries[] = {
    {u"なし", -1},
    {u"PRECONFIG(0)", 0},
    {u"DIRECT(1)", 1},
    {u"PROXY(3)", 3},
    {u"PRECONFIG_WITH_NO_AUTOPROXY(4)", 4},
};
static_assert(std::size(kProxyEntries) == 5);

constexpr int kOnpremisesFileMode = 101;
constexpr char16_t kServerNotStorable[] =
    u"オンプレのサーバーURLを保存できません。長すぎるか、保存できない文字"
    u"（タブなどの制御文字、末尾の空白、Shift_JISにない文字）を含んでいます。";

}  // namespace

BEGIN_MESSAGE_MAP(CSystemSettingDlg, CDialogEx)
  ON_BN_CLICKED(res::IDC_SS_HELP, &CSystemSettingDlg::OnHelp)
  ON_BN_CLICKED(res::IDC_SS_SITE, &CSystemSettingDlg::OnModeChanged)
  ON_BN_CLICKED(res::IDC_SS_ONPREMISES, &CSystemSettingDlg::OnModeChanged)
END_MESSAGE_MAP()

CSystemSettingDlg::CSystemSettingDlg() : CDialogEx(res::IDD_SYSTEM_SETTING) {}

void CSystemSettingDlg::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Control(pDX, res::IDC_SS_SERVER, m_ServerEdit);
  DDX_Control(pDX, res::IDC_SS_PROXY, m_ProxyCombo);
  DDX_Control(pDX, res::IDC_SS_SITE, m_SiteRadio);
  DDX_Control(pDX, res::IDC_SS_ONPREMISES, m_OnpremisesRadio);
  DDX_Control(pDX, res::IDC_SS_MODE_GROUP, m_ModeGroup);
  DDX_Radio(pDX, res::IDC_SS_SITE, m_ModeRadio);
  DDX_Text(pDX, res::IDC_SS_SERVER, m_ServerText);
  DDX_Text(pDX, res::IDC_SS_TIMEOUT, m_Timeout);
}

BOOL CSystemSettingDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  const SERVERSETTING& server = theApp.m_Operation.m_Server;
  if (server.m_OperationMode == 1) {
    m_ModeRadio = 1;
    m_ServerText = server.m_OnpremisesServer;
  } else {
    m_ModeRadio = 0;
    m_ServerText.Empty();
  }
  if (server.m_OperationMode == kOnpremisesFileMode) {
    m_SiteRadio.ShowWindow(SW_HIDE);
    m_OnpremisesRadio.ShowWindow(SW_HIDE);
    m_ServerEdit.ShowWindow(SW_HIDE);
    m_ModeGroup.ShowWindow(SW_HIDE);
  }
  m_ProxyCombo.ResetContent();
  for (int i = 0; i < static_cast<int>(std::size(kProxyEntries)); ++i) {
    m_ProxyCombo.AddString(CString(kProxyEntries[i].text));
    if (kProxyEntries[i].proxyType == server.m_ProxyType) m_ProxyCombo.SetCurSel(i);
  }
  m_Timeout = server.m_Timeout;
  m_ServerEdit.EnableWindow(m_ModeRadio == 1);
  UpdateData(FALSE);
  return TRUE;
}

void CSystemSettingDlg::OnModeChanged() {
  UpdateData(TRUE);
  m_ServerEdit.EnableWindow(m_ModeRadio == 1);
}

void CSystemSettingDlg::OnOK() {
  // Checked first: a refused value changes nothing and keeps the dialog open.
  if (!UpdateData(TRUE)) return;
  SERVERSETTING& server = theApp.m_Operation.m_Server;
  const bool modeEditable = server.m_OperationMode != kOnpremisesFileMode;
  if (modeEditable && m_ModeRadio == 1 && !CTabroOperation::IsStorableServer(m_ServerText)) {
    theApp.DoMessageBox(CString(kServerNotStorable), MB_OK);
    return;
  }
  bool changed = false;
  if (modeEditable) {
    if (m_ModeRadio == 0 && server.m_OperationMode != 0) {
      server.m_OperationMode = 0;
      server.m_OnpremisesServer.Empty();
      changed = true;
    } else if (m_ModeRadio == 1) {
      if (server.m_OperationMode != 1) {
        server.m_OperationMode = 1;
        changed = true;
      }
      if (server.m_OnpremisesServer != m_ServerText) {
        server.m_OnpremisesServer = m_ServerText;
        changed = true;
      }
    }
  }
  const int sel = m_ProxyCombo.GetCurSel();
  if (sel >= 0 && sel < static_cast<int>(std::size(kProxyEntries)) &&
      kProxyEntries[sel].proxyType != server.m_ProxyType) {
    server.m_ProxyType = kProxyEntries[sel].proxyType;
    changed = true;
  }
  if (m_Timeout != server.m_Timeout) {
    server.m_Timeout = m_Timeout;
    changed = true;
  }
  if (changed) theApp.m_Operation.SaveSystemIni();
  EndDialog(IDOK);
}
