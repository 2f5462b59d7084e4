// The stand-in's own answers: a token, a print count, and small valid documents.

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>

#include "tools/standin/standin_server.h"

namespace standin {

namespace {

constexpr const char* kToken = "standin-token";
std::atomic<int> g_documentsMade{0};

Reply Json(int status, std::string body) {
  Reply r;
  r.status = status;
  r.body = std::move(body);
  r.headers.emplace_back("Content-Type", "application/json; charset=utf-8");
  return r;
}

// ---- a stored (uncompressed) zip archive, enough for a workbook ----

uint32_t Crc32(std::string_view bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void Put16(std::string& out, uint32_t v) {
  out.push_back(char(v & 0xFF));
  out.push_back(char((v >> 8) & 0xFF));
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& files) {
  std::string out, central;
  for (const auto& [name, data] : files) {
    const uint32_t offset = uint32_t(out.size());
    const uint32_t crc = Crc32(data);
    Put32(out, 0x04034b50);
    Put16(out, 20); Put16(out, 0); Put16(out, 0); Put16(out, 0); Put16(out, 0x21);
    Put32(out, crc); Put32(out, uint32_t(data.size())); Put32(out, uint32_t(data.size()));
    Put16(out, uint32_t(name.size())); Put16(out, 0);
    out += name;
    out += data;
    Put32(central, 0x02014b50);
    Put16(central, 20); Put16(central, 20); Put16(central, 0); Put16(central, 0);
    Put16(central, 0); Put16(central, 0x21);
    Put32(central, crc); Put32(central, uint32_t(data.size())); Put32(central, uint32_t(data.size()));
    Put16(central, uint32_t(name.size())); Put16(central, 0); Put16(central, 0);
    Put16(central, 0); Put16(central, 0); Put32(central, 0); Put32(central, offset);
    central += name;
  }
  const uint32_t centralOffset = uint32_t(out.size());
  out += central;
  Put32(out, 0x06054b50);
  Put16(out, 0); Put16(out, 0);
  Put16(out, uint32_t(files.size())); Put16(out, uint32_t(files.size()));
  Put32(out, uint32_t(central.size())); Put32(out, centralOffset);
  Put16(out, 0);
  return out;
}

std::string XmlEscape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out.push_back(c);
    }
  }
  return out;
}

// Splits CSV text into rows of fields (quotes as the program writes them).
std::vector<std::vector<std::string>> SplitCsv(std::string_view csv) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false, any = false;
  for (size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    any = true;
    if (quoted) {
      if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') { field.push_back('"'); ++i; }
      else if (c == '"') quoted = false;
      else field.push_back(c);
    } else if (c == '"' && field.empty()) {
      quoted = true;
    } else if (c == ',') {
      row.push_back(std::move(field));
      field.clear();
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') ++i;
      row.push_back(std::move(field));
      field.clear();
      rows.push_back(std::move(row));
      row.clear();
      any = false;
    } else {
      field.push_back(c);
    }
  }
  if (any) {
    row.push_back(std::move(field));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string ColumnName(size_t index) {
  std::string name;
  for (size_t n = index + 1; n > 0; n = (n - 1) / 26) name.insert(name.begin(), char('A' + (n - 1) % 26));
  return name;
}

// The stem the service names its document after: the uploaded name without its
// "(command)" part and extension.
std::string StemOfUpload(const std::string& csvName) {
  std::string stem = csvName;
  if (stem.size() >= 4 && stem.compare(stem.size() - 4, 4, ".csv") == 0) stem.resize(stem.size() - 4);
  size_t paren = stem.find('(');
  if (paren != std::string::npos && paren > 0) stem.resize(paren);
  return stem.empty() ? "document" : stem;
}

}  // namespace

std::string MakeOnePagePdf(std::string_view text) {
  std::string safe;
  for (char c : text) {
    if (c == '(' || c == ')' || c == '\\') safe.push_back('\\');
    if (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F) safe.push_back(c);
  }
  const std::string stream = "BT /F1 18 Tf 72 770 Td (" + safe + ") Tj ET\n";
  const std::string objects[] = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 4 0 R >> >> "
      "/Contents 5 0 R >>",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
      "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "endstream",
  };
  std::string pdf = "%PDF-1.4\n";
  std::vector<size_t> offsets;
  for (size_t i = 0; i < std::size(objects); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
  for (size_t off : offsets) {
    char line[32];
    std::snprintf(line, sizeof line, "%010zu 00000 n \n", off);
    pdf += line;
  }
  pdf += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

std::string MakeMinimalWorkbook(std::string_view csv) {
  std::string sheet =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
  const auto rows = SplitCsv(csv);
  for (size_t r = 0; r < rows.size(); ++r) {
    sheet += "<row r=\"" + std::to_string(r + 1) + "\">";
    for (size_t c = 0; c < rows[r].size(); ++c) {
      sheet += "<c r=\"" + ColumnName(c) + std::to_string(r + 1) + "\" t=\"inlineStr\"><is><t>" +
               XmlEscape(rows[r][c]) + "</t></is></c>";
    }
    sheet += "</row>";
  }
  sheet += "</sheetData></worksheet>";
  return StoredZip({
      {"[Content_Types].xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
       "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
       "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
       "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
       "<Override PartName=\"/xl/workbook.xml\" "
       "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
       "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
       "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
       "</Types>"},
      {"_rels/.rels",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" "
       "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
       "Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
       "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
       "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
       "<sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
       "<Relationship Id=\"rId1\" "
       "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
       "Target=\"worksheets/sheet1.xml\"/></Relationships>"},
      {"xl/worksheets/sheet1.xml", sheet},
  });
}

Reply DocumentServiceReply(const Request& request) {
  const std::string path = request.Path();
  if (path == kTokenPath) {
    if (request.Field("authorization").empty()) return Json(401, "{\"error\":\"no credentials\"}");
    return Json(200, std::string("{\"token\":\"") + kToken + "\"}");
  }
  if (path == kPrintCountPath) {
    if (request.Field("accesstoken") != kToken) return Json(401, "{\"error\":\"bad token\"}");
    return Json(200, "{\"prcnt\":\"" + std::to_string(g_documentsMade.load()) + "/100\"}");
  }
  if (path == kCommandPath) return Json(200, "{\"result\":\"0\"}");
  if (path == kDocumentPath) {
    if (request.Field("accesstoken") != kToken) {
      Reply r = Json(401, "{\"error\":\"bad token\"}");
      r.headers.emplace_back("csvTabro-Error-Code", "101");
      return r;
    }
    const std::string csv = request.Field("csvdata");
    const std::string doctype = request.Field("doctype");
    const std::string stem = StemOfUpload(request.Field("csvname"));
    Reply r;
    if (doctype == "1") {
      const auto rows = SplitCsv(csv);
      r.body = MakeOnePagePdf("Stand-in document: " + std::to_string(rows.size()) + " rows");
      r.headers.emplace_back("Content-Type", "application/pdf");
    } else if (doctype == "2") {
      r.body = MakeMinimalWorkbook(csv);
      r.headers.emplace_back("Content-Type",
                             "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");
    } else if (doctype == "4") {
      r.body = csv;
      r.headers.emplace_back("Content-Type", "text/csv; charset=utf-8");
    } else {
      Reply bad = Json(400, "{\"error\":\"unknown doctype\"}");
      bad.headers.emplace_back("csvTabro-Error-Code", "102");
      return bad;
    }
    r.headers.emplace_back("AttchFileName", PercentEncodeAll(stem));
    ++g_documentsMade;
    return r;
  }
  return Json(404, "{\"error\":\"not found\"}");
}

}  // namespace standin
