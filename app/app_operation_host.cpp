#include "app/app_operation_host.h"

#include "app/app_startup.h"
#include "app/tabro_client_app.h"
#include "app/user_settings.h"

namespace {

class CAppOperationHost final : public COperationHost {
 public:
  CString ProgramFolder() const override { return theApp.m_ProgramFolder; }
  bool UseAltServer() const override { return theApp.m_ServerConnectMode != 0; }
  CString SaveDirectory() const override { return DocumentFolder(theApp.m_SaveDirectory); }
  CString TestModeOutTemp() const override { return theApp.m_TestModeOutTemp; }
  int16_t InputKind() const override { return theApp.m_InputKind; }
  const CGridSet& Grids() const override { return theApp; }
  CString ClientIdentificationNumber() const override { return theApp.m_ClientIdentificationNumber; }
  void SetClientIdentificationNumber(const CString& number) override {
    theApp.m_ClientIdentificationNumber = number;
  }
  void SetPrintCounts(int used, int contract) override {
    theApp.m_PrintUsed = used;
    theApp.m_PrintContract = contract;
    theApp.m_PrintCountKnown = 1;
  }
  void RememberTestModeOutFile(const CString& path) override { ::RememberTestModeOutFile(path); }
};

}  // namespace

COperationHost& AppOperationHost() {
  static CAppOperationHost host;
  return host;
}
