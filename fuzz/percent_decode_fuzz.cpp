// Feeds arbitrary texts to PercentDecode: the bytes as one character each (byte
// mode), and the bytes taken in pairs as UTF-16 units (wide mode when any is above U+00FF).

#include <cstddef>
#include <cstdint>
#include <string>

#include "webclient/web_codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string narrow(data, data + size);
  (void)PercentDecode(CString(narrow));
  std::u16string wide;
  for (size_t i = 0; i + 1 < size; i += 2) wide.push_back(char16_t(data[i] | (data[i + 1] << 8)));
  (void)PercentDecode(CString(wide));
  return 0;
}
