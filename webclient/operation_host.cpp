#include "webclient/operation_host.h"

#include "webclient/tabro_operation.h"

namespace {

// The host of a client that serves no application: nothing to read, nowhere to
// keep answers.
class CDetachedHost final : public COperationHost {
 public:
  CString ProgramFolder() const override { return CString(); }
  bool UseAltServer() const override { return false; }
  CString SaveDirectory() const override { return CString(); }
  CString TestModeOutTemp() const override { return CString(); }
  int16_t InputKind() const override { return 0; }
  const CGridSet& Grids() const override {
    static const CGridSet empty;
    return empty;
  }
  CString ClientIdentificationNumber() const override { return CString(); }
  void SetClientIdentificationNumber(const CString&) override {}
  void SetPrintCounts(int, int) override {}
  void RememberTestModeOutFile(const CString&) override {}
};

COperationHost& DetachedHost() {
  static CDetachedHost host;
  return host;
}

}  // namespace

CTabroOperation::CTabroOperation() : m_Host(&DetachedHost()) {}

void CTabroOperation::SetHost(COperationHost* host) { m_Host = host != nullptr ? host : &DetachedHost(); }
