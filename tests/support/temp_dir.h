#pragma once
// A fresh temporary folder for one test, removed with everything in it afterwards.

#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Path of a file inside the folder.
  std::filesystem::path operator/(std::string_view name) const { return path_ / std::string(name); }
  // Writes the bytes as they are (no line-end translation) and returns the file's path.
  std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
  // Reads a file's bytes as they are; empty when it does not exist.
  static std::string Read(const std::filesystem::path& file);

 private:
  std::filesystem::path path_;
};

// Path of a fixture file under tests/data.
std::filesystem::path DataFile(std::string_view name);

}  // namespace testsupport
