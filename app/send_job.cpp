// CTabroClientDlg::SendJob and ResetJobSettings: the two ends of one job.
#include <algorithm>

#include "app/tabro_client_dlg.h"
#include "platform/paths.h"

namespace {

// The document type asked for a job's output format; a number that names no
// format asks for a PDF, as a request does before it is set.
DocType DocTypeOf(OutputFormat format) {
  switch (format) {
    case OutputFormat::kPdf: return DocType::kPdf;
    case OutputFormat::kExcel: return DocType::kExcel;
    case OutputFormat::kCsv: return DocType::kCsv;
  }
  return DocType::kPdf;
}

}  // namespace

unsigned CTabroClientDlg::SendJob(int test, int dataSource, const CString& outputFolder, int openAfterSave,
                                  int timestampMode) {
  // The caller chose the input's reusable job, whose command stands in
  // m_Command as stored; the data goes as loaded.
  if (dataSource == SEND_REUSE_JOB) {
    dataSource = SEND_DATA_GRID;
  } else {
    m_Command = BuildCommandText();
  }
  CTabroOperation& op = theApp.m_Operation;
  DOCREQUEST& req = op.m_Request;
  // Each job starts from a cleared request: nothing of the previous job is sent.
  req = DOCREQUEST{};
  req.m_SourcePath = m_InputPath;
  req.m_DocType = DocTypeOf(m_JobSetting.m_OutputFormat);
  switch (m_JobSetting.m_CharCode) {
    case 0: req.m_CharCode = u"UTF8"; break;
    case 1: req.m_CharCode = u"SJIS"; break;
    case 2: req.m_CharCode.Empty(); break;
    default: break;
  }
  req.m_DefaultName = m_OutputName.IsEmpty() ? m_BaseName : m_OutputName;
  if (test) {
    req.m_NameSuffix = u"$" + m_Command;
  } else {
    req.m_NameSuffix = m_Command.IsEmpty() ? CString() : u"#" + m_Command;
  }
  op.m_DataSource = dataSource;
  op.m_OutputFolder = outputFolder;
  op.m_OpenAfterSave = openAfterSave;
  op.m_TimestampMode = timestampMode;
  op.m_SaveNameMode = test ? SAVENAME_TESTRUN : (theApp.m_SameFileNameOverWrite == 0 ? SAVENAME_OVERWRITE
                                                                                      : SAVENAME_NUMBERED);
  const unsigned result = static_cast<unsigned>(op.SendDocumentJob());
  // Only a document that was written and closed lets the input go: a declined
  // overwrite or a file left in use ends the job as done but saved nothing.
  const bool saved = result == 0 && op.m_DocumentSaved;
  m_LastSendResult = saved ? 0u : (result != 0 ? result : static_cast<unsigned>(DOCJOB_NOT_SAVED));
  // Only the very file that was read is deleted: one renamed over its name
  // since then is another input and stays.
  if (m_DeleteAfterSend && !test && saved && !m_InputPath.IsEmpty()) {
    const RemoveOutcome removed = RemoveFileIfSame(m_InputPath, theApp.m_SourceIdentity);
    if (removed == RemoveOutcome::kRemoved || removed == RemoveOutcome::kGone) m_InputPath.Empty();
  }
  return result;
}

void CTabroClientDlg::ResetJobSettings(int flag) {
  m_JobSetting.Reset();
  std::fill(std::begin(m_ColumnCodes), std::end(m_ColumnCodes), 0);
  m_UsedColumns.clear();
  if (flag == RESET_JOB_AND_GRIDS) {
    theApp.m_EditCols = theApp.m_EditRows = theApp.m_DataCols = theApp.m_DataRows = theApp.m_SendRows = 0;
    theApp.m_DataGrid.Clear();
    theApp.m_EditGrid.Clear();
  }
  theApp.m_RowFilledCount.fill(0);
  theApp.m_RowTextCount.fill(0);
  theApp.m_RowLastTextCol.fill(0);
  theApp.m_RowFieldCount.fill(0);
}
