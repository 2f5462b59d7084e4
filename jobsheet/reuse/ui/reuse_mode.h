#pragma once
// CReuseMode: "ジョブ保存画面", whether a run is kept as a reusable job. After OK,
// m_Mode is 0 (overwrite the job the input came from), 1 (a new job named
// m_NewName) or 2 (do not register).

#include <utility>
#include <vector>

#include "jobsheet/reuse/reuse_command.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

class CReuseMode : public CDialogEx {
 public:
  explicit CReuseMode(CWnd* parent = nullptr);
  DECLARE_MESSAGE_MAP()

 public:
  // Stores the names before the dialog runs: the job that would be overwritten,
  // the proposed new name, whether only a new job is offered, whether the current
  // job is locked, and the names in use for the base name (entry order).
  void SetJobNames(const CString& currentName, const CString& newName, int newOnly, int locked,
                   const std::vector<REUSECOMMAND_SAMECSVFILE>& jobs);

  int m_Mode = 0;
  CString m_NewName;       // at most 100 characters
  CString m_CurrentName;   // at most 100 characters
  std::vector<CString> m_UsedNames;
  int m_NewOnly = 0;
  int m_Locked = 0;
  // (base name, job name) of every stored job: a new name must not share one of
  // their settings files.
  std::vector<std::pair<CString, CString>> m_StoredJobs;
  CString m_BaseName;      // base name of the jobs: a new name must make a storable settings file

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnNewClicked();
  afx_msg void OnOverwriteClicked();
  afx_msg void OnNoneClicked();
  afx_msg void OnShowNames();
  afx_msg void OnConfirm();
  void EnableNewName(BOOL enable);
};
