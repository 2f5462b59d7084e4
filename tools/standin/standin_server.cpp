#include "tools/standin/standin_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/ascii_text.h"

namespace standin {

namespace {

// A client that stops sending for this long is given up (keeps the loop bounded).
constexpr int kReadIdleMs = 5000;
// Largest request accepted; the program's uploads are far smaller.
constexpr size_t kMaxRequest = 64u << 20;

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
  return std::string(s.substr(b, e - b));
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads until the blank line and then Content-Length bytes of body. False when the
// client closed early, went idle, or sent something too large.
bool ReadRequest(int fd, Request& request) {
  std::string data;
  size_t headEnd = std::string::npos;
  size_t need = 0;
  char buf[16384];
  while (true) {
    if (headEnd == std::string::npos) {
      headEnd = data.find("\r\n\r\n");
      if (headEnd != std::string::npos) {
        request.head = data.substr(0, headEnd + 2);
        size_t lineEnd = request.head.find("\r\n");
        std::string first = request.head.substr(0, lineEnd);
        size_t sp1 = first.find(' ');
        size_t sp2 = first.find(' ', sp1 == std::string::npos ? 0 : sp1 + 1);
        if (sp1 == std::string::npos || sp2 == std::string::npos) return false;
        request.method = first.substr(0, sp1);
        request.target = first.substr(sp1 + 1, sp2 - sp1 - 1);
        size_t pos = lineEnd + 2;
        while (pos < request.head.size()) {
          size_t end = request.head.find("\r\n", pos);
          std::string line = request.head.substr(pos, end - pos);
          pos = end + 2;
          size_t colon = line.find(':');
          if (colon == std::string::npos) continue;
          request.headers.emplace_back(line.substr(0, colon), Trim(line.substr(colon + 1)));
        }
        const std::string length = request.Header("Content-Length");
        need = length.empty() ? 0 : std::strtoull(length.c_str(), nullptr, 10);
        if (need > kMaxRequest) return false;
      }
    }
    if (headEnd != std::string::npos && data.size() - (headEnd + 4) >= need) {
      request.body = data.substr(headEnd + 4, need);
      return true;
    }
    if (data.size() > kMaxRequest) return false;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, kReadIdleMs) <= 0) return false;
    ssize_t n = recv(fd, buf, sizeof buf, 0);
    if (n <= 0) return false;
    data.append(buf, size_t(n));
  }
}

void SendAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n <= 0) return;
    bytes.remove_prefix(size_t(n));
  }
}

const char* ReasonOf(int status) {
  switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

}  // namespace

// ---- Request ----

std::string Request::Header(std::string_view name) const {
  for (const auto& [k, v] : headers)
    if (EqualsNoCaseAscii(k, name)) return v;
  return {};
}

std::string Request::Path() const {
  size_t scheme = target.find("://");
  if (scheme == std::string::npos) return target;
  size_t slash = target.find('/', scheme + 3);
  return slash == std::string::npos ? "/" : target.substr(slash);
}

std::vector<std::pair<std::string, std::string>> Request::Form() const {
  std::vector<std::pair<std::string, std::string>> fields;
  size_t pos = 0;
  std::string_view b = body;
  // The program's bodies end with the zero of their text; it is not part of a value.
  while (!b.empty() && b.back() == '\0') b.remove_suffix(1);
  while (pos <= b.size() && !b.empty()) {
    size_t amp = b.find('&', pos);
    std::string_view item = b.substr(pos, amp == std::string_view::npos ? b.npos : amp - pos);
    size_t eq = item.find('=');
    if (eq == std::string_view::npos)
      fields.emplace_back(PercentDecodeForm(item), "");
    else
      fields.emplace_back(PercentDecodeForm(item.substr(0, eq)), PercentDecodeForm(item.substr(eq + 1)));
    if (amp == std::string_view::npos) break;
    pos = amp + 1;
  }
  return fields;
}

std::string Request::Field(std::string_view name) const {
  for (const auto& [k, v] : Form())
    if (k == name) return v;
  return {};
}

// ---- Server ----

Server::Server(Handler handler, int port) : handler_(std::move(handler)) {
  listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return;
  int one = 1;
  setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<uint16_t>(port));
  socklen_t len = sizeof addr;
  if (bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      listen(listenFd_, 16) != 0 ||
      getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    close(listenFd_);
    listenFd_ = -1;
    return;
  }
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Loop(); });
}

Server::~Server() {
  Stop();
  if (thread_.joinable()) thread_.join();
  if (listenFd_ >= 0) close(listenFd_);
}

std::string Server::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }

void Server::Script(const std::string& path, Reply reply) {
  std::lock_guard<std::mutex> lock(mu_);
  scripted_[path].push_back(std::move(reply));
}

std::vector<Request> Server::Requests() const {
  std::lock_guard<std::mutex> lock(mu_);
  return requests_;
}

void Server::Stop() {
  {
    std::lock_guard<std::mutex> lock(mu_);
    stop_ = true;
  }
  stopCv_.notify_all();
  if (listenFd_ >= 0) shutdown(listenFd_, SHUT_RDWR);  // wakes the accept loop at once
}

void Server::WaitFor(int ms) {
  std::unique_lock<std::mutex> lock(mu_);
  stopCv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_.load(); });
}

void Server::Loop() {
  while (!stop_) {
    pollfd p{listenFd_, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    Serve(fd);
    close(fd);
  }
}

Reply Server::Answer(const Request& request) {
  {
    std::lock_guard<std::mutex> lock(mu_);
    auto it = scripted_.find(request.Path());
    if (it != scripted_.end() && !it->second.empty()) {
      Reply r = std::move(it->second.front());
      it->second.pop_front();
      return r;
    }
  }
  return handler_ ? handler_(request) : DocumentServiceReply(request);
}

void Server::Serve(int fd) {
  Request request;
  if (!ReadRequest(fd, request)) return;
  {
    std::lock_guard<std::mutex> lock(mu_);
    requests_.push_back(request);
  }
  Reply reply = Answer(request);
  if (reply.delayMs > 0) WaitFor(reply.delayMs);
  if (reply.drop || stop_) return;
  std::string out = "HTTP/1.1 " + std::to_string(reply.status) + " " + ReasonOf(reply.status) + "\r\n";
  for (const auto& [k, v] : reply.headers) out += k + ": " + v + "\r\n";
  switch (reply.length) {
    case Reply::Length::kExact: out += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n"; break;
    case Reply::Length::kAnnounce: out += "Content-Length: " + std::to_string(reply.announced) + "\r\n"; break;
    case Reply::Length::kAbsent: break;
  }
  out += "Connection: close\r\n\r\n";
  if (reply.dripMs > 0) {
    // The head at once, then the body one byte at a time; a send that fails (the
    // client gave up) ends the answer.
    SendAll(fd, out);
    for (size_t i = 0; i < reply.body.size() && !stop_; ++i) {
      WaitFor(reply.dripMs);
      if (send(fd, reply.body.data() + i, 1, MSG_NOSIGNAL) != 1) return;
    }
  } else {
    out += reply.body;
    SendAll(fd, out);
  }
  shutdown(fd, SHUT_WR);
}

// ---- percent coding ----

std::string PercentDecodeForm(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out.push_back(char(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string PercentEncodeAll(std::string_view bytes) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      out.push_back(char(c));
    } else {
      out.push_back('%');
      out.push_back(hex[c >> 4]);
      out.push_back(hex[c & 15]);
    }
  }
  return out;
}

}  // namespace standin
