#pragma once
// COperationHost: what the web-service client needs of the application that owns
// it: where its settings files are, the run's settings, the grids a job uploads,
// and where the answers it keeps go. The application implements it over theApp;
// tests give their own. The client never reads the application object itself.

#include <cstdint>

#include "grid/grid_set.h"
#include "platform/cstring.h"

class COperationHost {
 public:
  virtual ~COperationHost() = default;

  // Folder of the settings files, no trailing separator.
  virtual CString ProgramFolder() const = 0;
  // Requests go to the alternative server (the user setting "ServerConnectMode").
  virtual bool UseAltServer() const = 0;
  // Output folder of documents, and the folder of test-run documents.
  virtual CString SaveDirectory() const = 0;
  virtual CString TestModeOutTemp() const = 0;
  // How the current input came in (INPUT_*).
  virtual int16_t InputKind() const = 0;
  // The grids and counts a document job uploads.
  virtual const CGridSet& Grids() const = 0;

  // The number sent with the token request, read from the deployment file.
  virtual CString ClientIdentificationNumber() const = 0;
  virtual void SetClientIdentificationNumber(const CString& number) = 0;
  // The print counts of the service, stored once an answer gave them.
  virtual void SetPrintCounts(int used, int contract) = 0;
  // A test-run document was saved at path (deleted when the program ends).
  virtual void RememberTestModeOutFile(const CString& path) = 0;
};
