// Fuzz target: the command-line options; the input is the argument list, arguments separated by NUL.
// The last argument also stands for XSCREENSAVER_WINDOW when the options ask for the host's window.
#include <variant>

#include "fuzz/fuzz_input.h"
#include "shell/run_options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace brisenfall;
  std::vector<std::string> arguments(1);
  for (const char c : fuzz::text(data, size)) {
    if (c == '\0')
      arguments.emplace_back();
    else
      arguments.back().push_back(c);
  }
  const auto parsed = parse_run_options(arguments);
  if (const auto* request = std::get_if<run_request>(&parsed)) choose_host(*request, arguments.back().c_str());
  return 0;
}
