#include "jobsheet/sheet/usage_line.h"

CString UsageLineText(int used, int contracted) {
  const double rate = contracted == 0 ? 0.0 : static_cast<double>(used) / contracted * 100.0;
  return CString::Build(u"使用回数[%d] 契約数[%d] 残数[%d] 使用率[%.1f％]", used, contracted, contracted - used, rate);
}
