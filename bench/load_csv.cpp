// Loads one CSV or TSV file the way the program does (text-file stream, splitter,
// data grid, row tables, backup set, shape analysis, column types) and prints what
// it found, so that the whole load can be timed against other programs.
// Usage: load_csv FILE      load_csv --empty (a started program: nothing loaded)
// Peak memory of the process is printed last (kB, from the kernel).

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "app/tabro_client_app.h"
#include "app/tabro_client_dlg.h"
#include "platform/cstring.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: load_csv FILE | --empty\n");
    return 2;
  }
  int status = 0;
  if (std::strcmp(argv[1], "--empty") != 0) {
    theApp.m_InputKind = INPUT_DROPPED;
    CTabroClientDlg dlg;
    const int result = dlg.LoadCsv(CString::FromUtf8(argv[1]), nullptr, LOAD_FILE);
    theApp.m_TitleRow =
        dlg.AnalyseCsvShape(theApp.m_DataCols, theApp.m_DataRows, theApp.m_RowFilledCount);
    theApp.DetectColumnTypes(0);
    std::printf("result %d rows %d columns %d title row %d code type %d\n", result,
                theApp.m_DataRows, theApp.m_DataCols, theApp.m_TitleRow, theApp.m_SourceCodeType);
    status = result == 1 ? 0 : 1;
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak memory %ld kB\n", usage.ru_maxrss);
  // The load is what is measured: the grids are not freed one string at a time.
  std::fflush(stdout);
  _exit(status);
}
