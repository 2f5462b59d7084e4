#pragma once
// A stand-in for the document web service, for tests and for trying the program
// by hand. It listens on 127.0.0.1 only, on a free port, answers one connection at
// a time on its own thread and records every request it receives byte for byte.
//
// Tests script the answers per request path (status, body, headers, how the
// Content-Length is announced, a delay, an answer dripping byte by byte, a dropped
// connection); a path without a scripted answer gets the handler's answer, by
// default DocumentServiceReply.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace standin {

struct Request {
  std::string head;    // request line and header lines as received, up to the blank line
  std::string method;  // "POST"
  std::string target;  // the request target as sent ("/csvTabro/..." or an absolute URL)
  std::vector<std::pair<std::string, std::string>> headers;  // in order, as sent
  std::string body;    // the raw body

  // Value of the first header of that name (ASCII case ignored); empty when absent.
  std::string Header(std::string_view name) const;
  // Path part of the target (an absolute URL, as a proxy sees it, loses its scheme and host).
  std::string Path() const;
  // Form fields of a url-encoded body in order, names and values percent-decoded
  // ("+" is left alone: the program never sends it for a space).
  std::vector<std::pair<std::string, std::string>> Form() const;
  // The first form value of that name; empty when absent.
  std::string Field(std::string_view name) const;
};

struct Reply {
  enum class Length {
    kExact,     // Content-Length is the body's length
    kAbsent,    // no Content-Length; the body follows and the connection closes
    kAnnounce,  // Content-Length is `announced`, the body is sent as is, then the connection closes
  };
  int status = 200;
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;  // extra answer headers
  Length length = Length::kExact;
  unsigned long long announced = 0;
  int delayMs = 0;      // wait before answering (cut short when the server stops)
  int dripMs = 0;       // send the body one byte at a time, this long apart, after the head
  bool drop = false;    // close the connection without answering
};

using Handler = std::function<Reply(const Request&)>;

class Server {
 public:
  // Starts listening on 127.0.0.1 at the port (0: a free one). Without a handler,
  // unscripted requests get DocumentServiceReply. IsListening tells whether it worked.
  explicit Server(Handler handler = {}, int port = 0);
  ~Server();  // stops and joins the thread
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  bool IsListening() const { return port_ > 0; }
  int Port() const { return port_; }
  std::string BaseUrl() const;  // "http://127.0.0.1:<port>"

  // Queues an answer for the next request to path (exact match of Request::Path).
  void Script(const std::string& path, Reply reply);
  // Every request received so far, in order.
  std::vector<Request> Requests() const;
  // Stops accepting and ends any delay; idempotent.
  void Stop();

 private:
  void Loop();
  void Serve(int fd);
  Reply Answer(const Request& request);
  void WaitFor(int ms);

  Handler handler_;
  int listenFd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mu_;
  std::condition_variable stopCv_;
  std::map<std::string, std::deque<Reply>> scripted_;
  std::vector<Request> requests_;
  std::thread thread_;
};

// The service paths.
inline constexpr const char* kTokenPath = "/csvTabro/webapi/oauth2/v1_0/token";
inline constexpr const char* kPrintCountPath = "/csvTabro/webapi/document/v1_0/getTabroPrtCnt/";
inline constexpr const char* kCommandPath = "/csvTabro/webapi/document/v1_0/CsvCmd/";
inline constexpr const char* kDocumentPath = "/csvTabro/webapi/document/v1_0/csvTabroDoc/";

// A small working service: a token for any credentials, a print count of "0/100",
// an accepted CSV command, and for a document request a small valid document of the
// requested type: doctype 1 a one-page PDF, 2 a minimal workbook, 4 the CSV itself,
// named in "AttchFileName" after the uploaded name. Anything else: 404.
Reply DocumentServiceReply(const Request& request);

// The small documents themselves.
std::string MakeOnePagePdf(std::string_view text);
std::string MakeMinimalWorkbook(std::string_view csv);

// Percent coding of the forms: decode "%XX" (other bytes as they are), encode every
// byte other than ASCII letters and digits as "%XX".
std::string PercentDecodeForm(std::string_view text);
std::string PercentEncodeAll(std::string_view bytes);

}  // namespace standin
