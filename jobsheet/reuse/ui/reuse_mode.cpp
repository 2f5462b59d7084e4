#include "jobsheet/reuse/ui/reuse_mode.h"

#include "edittools/chain/edit_settings_path.h"
#include "jobsheet/reuse/reuse_rules.h"
#include "res/reuse_mode.h"

namespace {
constexpr int kMaxNameChars = 100;
constexpr char16_t kDuplicateNameMessage[] = u"ジョブ名が重複しています。修正して下さい";
}  // namespace

BEGIN_MESSAGE_MAP(CReuseMode, CDialogEx)
  ON_BN_CLICKED(res::IDC_REUSEMODE_NEW, &CReuseMode::OnNewClicked)
  ON_BN_CLICKED(res::IDC_REUSEMODE_OVERWRITE, &CReuseMode::OnOverwriteClicked)
  ON_BN_CLICKED(res::IDC_REUSEMODE_NONE, &CReuseMode::OnNoneClicked)
  ON_BN_CLICKED(res::IDC_REUSEMODE_NAMES, &CReuseMode::OnShowNames)
  ON_BN_CLICKED(IDOK, &CReuseMode::OnConfirm)
END_MESSAGE_MAP()

CReuseMode::CReuseMode(CWnd* parent) : CDialogEx(res::IDD_REUSE_MODE, parent) {}

void CReuseMode::SetJobNames(const CString& currentName, const CString& newName, int newOnly, int locked,
                             const std::vector<REUSECOMMAND_SAMECSVFILE>& jobs) {
  m_CurrentName = currentName;
  m_NewName = newName;
  m_NewOnly = newOnly;
  m_Locked = locked;
  m_UsedNames.clear();
  for (const REUSECOMMAND_SAMECSVFILE& job : jobs) m_UsedNames.push_back(job.jobName);
}

void CReuseMode::DoDataExchange(CDataExchange* pDX) {
  CDialogEx::DoDataExchange(pDX);
  DDX_Radio(pDX, res::IDC_REUSEMODE_OVERWRITE, m_Mode);
  DDX_Text(pDX, res::IDC_REUSEMODE_NEWNAME, m_NewName);
  DDV_MaxChars(pDX, m_NewName, kMaxNameChars);
  DDX_Text(pDX, res::IDC_REUSEMODE_CURNAME, m_CurrentName);
  DDV_MaxChars(pDX, m_CurrentName, kMaxNameChars);
}

void CReuseMode::EnableNewName(BOOL enable) {
  GetDlgItem(res::IDC_REUSEMODE_NEWNAME)->EnableWindow(enable);
  GetDlgItem(res::IDC_REUSEMODE_NAMES)->EnableWindow(enable);
}

BOOL CReuseMode::OnInitDialog() {
  CDialogEx::OnInitDialog();
  EnableNewName(FALSE);
  if (m_NewOnly) {
    m_Mode = 1;
    GetDlgItem(res::IDC_REUSEMODE_OVERWRITE)->EnableWindow(FALSE);
    EnableNewName(TRUE);
    GetDlgItem(res::IDC_REUSEMODE_NEWLABEL)->EnableWindow(TRUE);
    GetDlgItem(res::IDC_REUSEMODE_OVERWRITE)->ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_REUSEMODE_CURLABEL)->ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_REUSEMODE_CURNAME)->ShowWindow(SW_HIDE);
  }
  if (m_Locked) {
    m_Mode = 1;
    UpdateData(FALSE);
    OnNewClicked();
  }
  UpdateData(FALSE);
  return TRUE;
}

void CReuseMode::OnNewClicked() {
  UpdateData(TRUE);
  EnableNewName(TRUE);
  GetDlgItem(res::IDC_REUSEMODE_NEWNAME)->SetFocus();
  UpdateData(FALSE);
}

void CReuseMode::OnOverwriteClicked() { EnableNewName(FALSE); }

void CReuseMode::OnNoneClicked() {
  GetDlgItem(res::IDC_REUSEMODE_NEWNAME)->EnableWindow(FALSE);
  CDialogEx::OnOK();
}

void CReuseMode::OnShowNames() {
  CString list;
  for (size_t i = 0; i < m_UsedNames.size(); ++i) {
    if (i > 0) list += u"\n";
    list += m_UsedNames[i];
  }
  AfxMessageBox(list, MB_ICONINFORMATION);
}

void CReuseMode::OnConfirm() {
  if (!UpdateData(TRUE)) return;
  if (m_Mode == 1) {
    if (m_NewName.IsEmpty()) {
      AfxMessageBox(CString(kEmptyJobNameMessage));
      return;
    }
    if (!IsValidJobName(m_NewName)) {
      AfxMessageBox(CString(kInvalidJobNameMessage));
      return;
    }
    if (!EditSettingsNameFits(m_BaseName, m_NewName)) {
      AfxMessageBox(CString(kLongJobNameMessage));
      return;
    }
    for (const CString& used : m_UsedNames) {
      if (used == m_NewName) {
        AfxMessageBox(CString(kDuplicateNameMessage));
        return;
      }
    }
    for (const auto& stored : m_StoredJobs) {
      if (SharesSettingsFile({m_BaseName, m_NewName}, stored)) {
        CString text;
        text.Format(kSharedSettingsFileFormat, m_BaseName.GetString(), m_NewName.GetString(),
                    stored.first.GetString(), stored.second.GetString());
        AfxMessageBox(text);
        return;
      }
    }
  }
  EndDialog(IDOK);
}
