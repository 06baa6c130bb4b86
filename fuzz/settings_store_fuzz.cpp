// Fuzz target: the settings store, asked for a text value and a number as the program asks.
#include "fuzz/fuzz_input.h"
#include "desktop/settings_store.h"
#include "shell/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace brisenfall;
  const std::string_view store = fuzz::text(data, size);
  settings_store_lookup(store, HKEY_CURRENT_USER,
                        std::string("Software\\") + INSTALL_PATH_APPLICATION + "\\" + INSTALL_PATH_SECTION,
                        INSTALL_PATH_KEY);
  settings_store_lookup(store, HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword");
  return 0;
}
