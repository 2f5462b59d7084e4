// Expected-output cases of the join step: each folder under tests/cases/join holds
// the loaded CSV (input.csv), the additional CSVs, the join definition as the
// data-edit settings file stores it (join.txt, an "@AddCSV" section whose file names
// are taken inside the folder), the data grid expected afterwards (expected.csv) and
// the step's result with every message shown (expected.txt: "step N", then each
// message's text followed by a line "--").

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/tabro_client_dlg.h"
#include "grid/csv_split.h"
#include "grid/csv_text_file.h"
#include "platform/paths.h"
#include "platform/ui_hooks.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

fs::path CasesRoot() { return fs::path(TABRO_TEST_DATA_DIR).parent_path() / "cases" / "join"; }

// Reads the "@AddCSV" lines of join.txt into theApp.m_JoinDef.
void ReadJoinDefinition(const fs::path& folder) {
  JOINDEF& def = theApp.m_JoinDef;
  CCsvTextFile file;
  ASSERT_TRUE(file.Open(FromFsPath(folder / "join.txt"), u"r", CCsvTextFile::CODETYPE_UTF8));
  CString line;
  std::vector<CString> f;
  auto num = [&](int i) { return i < static_cast<int>(f.size()) ? std::stoi(f[i].ToUtf8()) : 0; };
  while (file.ReadLine(line)) {
    line.TrimRight();
    const int eq = line.Find(u'=');
    if (eq < 0) continue;
    const CString key = line.Left(eq + 1);
    CString value = line.Mid(eq + 1);
    SplitCsvLine(f, value, false);
    if (key == u"SerealFg=") def.SerealFg = num(0);
    if (key == u"AddCsvCnt=") def.AddCsvCnt = num(0);
    if (key == u"AddCsv=") {
      const int i = num(0);
      def.AddCsvCols[i] = num(1);
      def.AddCsvRows[i] = num(2);
      def.AddCsvPath[i] = FromFsPath(folder / f[4].ToUtf8());
      def.AddCsvTitle[i] = f[5];
    }
    if (key == u"AdelSelect=") {
      for (size_t j = 1; j < f.size(); ++j) def.AdelSelect[num(0)][j - 1] = static_cast<uint8_t>(num(j));
    }
    if (key == u"ArrayCount=") def.AlignArry[num(0)].resize(num(1));
    if (key == u"AlignArry=") def.AlignArry[num(0)][num(1)] = ALIGN{num(2), num(3), num(4), num(5)};
  }
}

// The data grid's region as CSV lines; a cell holding a comma or a quote is quoted.
std::string GridText() {
  std::string text;
  for (int r = 0; r < theApp.m_DataRows; ++r) {
    for (int c = 0; c < theApp.m_DataCols; ++c) {
      if (c > 0) text += ',';
      const std::string cell = theApp.m_DataGrid.GetAt(r, c).ToUtf8();
      if (cell.find_first_of(",\"") == std::string::npos) {
        text += cell;
        continue;
      }
      text += '"';
      for (char ch : cell) text += ch == '"' ? std::string("\"\"") : std::string(1, ch);
      text += '"';
    }
    text += '\n';
  }
  return text;
}

std::string Transcript(int result, const RecordingUiHooks& hooks) {
  std::string text = "step " + std::to_string(result) + "\n";
  for (const CString& m : hooks.Messages()) text += m.ToUtf8() + "\n--\n";
  return text;
}

class AddCsvCases : public ::testing::TestWithParam<std::string> {};

TEST_P(AddCsvCases, Replay) {
  const fs::path folder = CasesRoot() / GetParam();
  theApp.ResetToolSettings(0);
  theApp.m_DataGrid.Clear();
  theApp.m_StepGrid.Clear();
  theApp.m_InputKind = INPUT_DROPPED;
  CTabroClientDlg dlg;
  {
    RecordingUiHooks loading;
    ASSERT_EQ(dlg.LoadCsv(FromFsPath(folder / "input.csv"), nullptr, LOAD_FILE), 1);
  }
  theApp.m_TitleRow = dlg.AnalyseCsvShape(theApp.m_DataCols, theApp.m_DataRows, theApp.m_RowFilledCount);
  ReadJoinDefinition(folder);
  theApp.m_ToolAbort = 0;

  RecordingUiHooks hooks;
  const int result = dlg.RunAddCsvStep(0, 1);
  EXPECT_EQ(Transcript(result, hooks), testsupport::TempDir::Read(folder / "expected.txt"));
  EXPECT_EQ(GridText(), testsupport::TempDir::Read(folder / "expected.csv"));
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(CasesRoot())) {
    if (e.is_directory()) names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Join, AddCsvCases, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
