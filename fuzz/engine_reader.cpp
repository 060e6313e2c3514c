// libFuzzer target: any bytes as "data.txt". The reader must never crash or
// allocate beyond what the text holds; small problems are fitted and
// formatted too, so the models and the solver see hostile numbers.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/FitExchange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const lunvex::ParseResult parsed = lunvex::ParseFitRequest(text);
  if (parsed.status != lunvex::ParseStatus::kOk) return 0;
  const lunvex::FitRequest& request = parsed.request;
  if (request.xValues.size() != request.yValues.size() || request.xValues.size() < request.initialValues.size()) {
    __builtin_trap();
  }
  if (request.xValues.size() > 64) return 0;
  const std::optional<lunvex::FitResult> result = lunvex::RunFit(request);
  if (result) (void)lunvex::FormatFitOutput(*result);
  return 0;
}
