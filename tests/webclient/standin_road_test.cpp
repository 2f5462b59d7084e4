// The whole road against the stand-in's own answers, set up the way the launcher
// sets up a program folder: settings files first, then a job per document type.

#include <string>

#include "tests/webclient/webclient_fixture.h"

namespace {

class StandinRoad : public WebClientTest {
 protected:
  void SetUp() override {
    WebClientTest::SetUp();
    dir.Write("TabroDeployment.ini", "ServerBaseUrl=" + server.BaseUrl() +
                                         "\r\nUserId=standin\r\nPassword=standin\r\nAccessKey=k\r\n"
                                         "ClientIdentificationNumber=0000\r\n");
    dir.Write("TabroSystem.ini", "OperationMode=0\r\nProxyType=1\r\nTimeout=60\r\n");
    CTabroOperation fresh;
    op.m_Server = fresh.m_Server;
    op.LoadOnpremisesIni();
    op.LoadSystemIni();
    SetData({{u"品名", u"数量"}, {u"りんご", u"3"}});
    op.m_Request.m_DefaultName = u"売上";
    op.m_Request.m_NameSuffix = u"#PDF";
    op.m_OpenAfterSave = 1;
  }
};

TEST_F(StandinRoad, EachDocumentTypeComesBackAsAValidFile) {
  struct Row {
    DocType docType;
    const char* file;
    std::string start;
  };
  const Row rows[] = {{DocType::kPdf, "out/売上.pdf", "%PDF-1.4\n"},
                      {DocType::kExcel, "out/売上.xlsx", std::string("PK\x03\x04", 4)},
                      {DocType::kCsv, "out/売上.csv", "品名,数量\r\nりんご,3\r\n"}};
  for (const Row& r : rows) {
    op.m_Request.m_DocType = r.docType;
    EXPECT_EQ(op.SendDocumentJob(), 0) << r.file;
    const std::string bytes = testsupport::TempDir::Read(dir.path() / r.file);
    EXPECT_EQ(bytes.substr(0, r.start.size()), r.start) << r.file;
  }
  EXPECT_TRUE(testsupport::TempDir::Read(dir.path() / "out/売上.pdf").ends_with("%%EOF\n"));
  EXPECT_EQ(ui.OpenedDocuments().size(), 2u);
  EXPECT_EQ(Messages(), std::vector<CString>{u"CSVファイルを出力しました。"});

  op.QueryPrintCount();
  EXPECT_EQ(host.printCountKnown, 1);
  EXPECT_EQ(host.printContract, 100);
}

}  // namespace
