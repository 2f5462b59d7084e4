#pragma once
// A host for the web client under test: plain fields in place of the application.

#include <memory>
#include <vector>

#include "grid/grid_set.h"
#include "grid/input_kind.h"
#include "webclient/operation_host.h"

struct FakeOperationHost final : COperationHost {
  CString programFolder;
  bool altServer = false;
  CString saveDirectory;
  CString testModeOutTemp;
  int16_t inputKind = INPUT_DROPPED;
  std::unique_ptr<CGridSet> grids = std::make_unique<CGridSet>();
  CString clientIdentificationNumber;
  int printCountKnown = 0;
  int printUsed = -1;
  int printContract = -1;
  std::vector<CString> testModeOutFiles;

  CString ProgramFolder() const override { return programFolder; }
  bool UseAltServer() const override { return altServer; }
  CString SaveDirectory() const override { return saveDirectory; }
  CString TestModeOutTemp() const override { return testModeOutTemp; }
  int16_t InputKind() const override { return inputKind; }
  const CGridSet& Grids() const override { return *grids; }
  CString ClientIdentificationNumber() const override { return clientIdentificationNumber; }
  void SetClientIdentificationNumber(const CString& number) override {
    clientIdentificationNumber = number;
  }
  void SetPrintCounts(int used, int contract) override {
    printUsed = used;
    printContract = contract;
    printCountKnown = 1;
  }
  void RememberTestModeOutFile(const CString& path) override { testModeOutFiles.push_back(path); }
};
