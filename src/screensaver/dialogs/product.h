// The product's title, version and addresses as the dialogs show them.
#pragma once

#include <string>

namespace brisenfall {

inline constexpr const char* PRODUCT_TITLE = "Brisenfall Screensaver";
inline constexpr int PRODUCT_VERSION_MAJOR = BRISENFALL_VERSION_MAJOR;
inline constexpr int PRODUCT_VERSION_MINOR = BRISENFALL_VERSION_MINOR;
inline constexpr int PRODUCT_VERSION_REVISION = BRISENFALL_VERSION_PATCH;

// The home page the About screen opens, and the maker's notice it shows above it.
inline constexpr const char* PRODUCT_HOME_PAGE = "https://brisenfall.example.org/";
inline constexpr const char* MAKER_NOTICE = "Freeware by Tamsk.\nhttps://tamsk.example.org/";

// "Version: " and the three numbers in plain decimal, joined by dots.
std::string version_text(int major, int minor, int revision);

}  // namespace brisenfall
