// Feeds arbitrary bytes to the JSON reader of the service's answers.

#include <cstddef>
#include <cstdint>
#include <string>

#include "webclient/json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  json::CJson value;
  std::string error;
  json::CJson::Parse(value, text, error);
  // Walk what came out the way the client reads it.
  (void)value["token"].GetString();
  for (const auto& [key, member] : value.GetObject()) {
    (void)member.GetInt();
    (void)member.GetDouble();
    (void)member.GetArray().size();
  }
  return 0;
}
