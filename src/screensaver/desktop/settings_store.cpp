// Reading values out of the settings store's text.
#include "desktop/settings_store.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace brisenfall {
namespace {

constexpr std::array<std::string_view, 7> ROOT_NAMES = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",     "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};

std::string_view trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool same_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<registry_value> parse_value(std::string_view text) {
  constexpr std::string_view dword_prefix = "dword:";
  if (text.size() >= dword_prefix.size() && same_name(text.substr(0, dword_prefix.size()), dword_prefix)) {
    const std::string_view digits = trim(text.substr(dword_prefix.size()));
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t number = 0;
    for (char c : digits) {
      if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
      number = number * 16 + static_cast<uint32_t>(std::isdigit(static_cast<unsigned char>(c))
                                                       ? c - '0'
                                                       : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    }
    registry_value value{REG_DWORD, std::string(4, '\0')};
    for (int i = 0; i < 4; ++i) value.bytes[static_cast<size_t>(i)] = static_cast<char>((number >> (8 * i)) & 0xFF);
    return value;
  }
  registry_value value{REG_SZ, std::string(text)};
  value.bytes.push_back('\0');
  return value;
}

}  // namespace

std::string_view root_key_name(int32_t root) {
  const int64_t index = static_cast<int64_t>(root) - HKEY_CLASSES_ROOT;
  if (index < 0 || index >= static_cast<int64_t>(ROOT_NAMES.size())) return {};
  return ROOT_NAMES[static_cast<size_t>(index)];
}

std::optional<registry_value> settings_store_lookup(std::string_view store_text, int32_t root,
                                                    std::string_view key_path, std::string_view value_name) {
  const std::string_view root_name = root_key_name(root);
  if (root_name.empty()) return std::nullopt;
  const std::string section = std::string(root_name) + "\\" + std::string(key_path);

  bool in_section = false;
  while (!store_text.empty()) {
    const size_t end = store_text.find('\n');
    const std::string_view line = trim(store_text.substr(0, end));
    store_text.remove_prefix(end == std::string_view::npos ? store_text.size() : end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      in_section = line.back() == ']' && same_name(trim(line.substr(1, line.size() - 2)), section);
      continue;
    }
    const size_t equals = line.find('=');
    if (!in_section || equals == std::string_view::npos) continue;
    if (same_name(trim(line.substr(0, equals)), value_name)) return parse_value(trim(line.substr(equals + 1)));
  }
  return std::nullopt;
}

}  // namespace brisenfall
