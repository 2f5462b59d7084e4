#pragma once
// Files the fuzz targets hand their input through.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// A path in /tmp of this process, named after the target; ext with its dot.
inline std::string FuzzTempPath(const char* target, const char* ext) {
  return "/tmp/tabro_" + std::string(target) + "_" + std::to_string(::getpid()) + ext;
}

// Writes the bytes as the whole file; a file that cannot be written ends the run.
inline void WriteFuzzBytes(const std::string& path, const void* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}
