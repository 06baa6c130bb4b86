// Written numbers and texts, and the shared header lines.
#include "engine/extras/engine_files.h"

namespace varnel2d {

std::string written_number(int64_t value) {
  return (value < 0 ? "" : " ") + std::to_string(value) + " ";
}

std::string written_text(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const bool plain = text.find_first_of(",\r\n") == std::string_view::npos &&
                     (text.empty() || (text.front() != '"' && !blank(text.front()) && !blank(text.back())));
  if (plain) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string engine_header(std::string_view title) {
  std::string header;
  for (std::string_view line : {title, engine_name_line, engine_address_line}) {
    header += line;
    header += "\r\n";
  }
  for (int32_t part : engine_version) header += written_number(part);
  header += "\r\n";
  return header;
}

bool read_engine_header(delimited_reader& reader, std::string_view title) {
  for (std::string_view line : {title, engine_name_line, engine_address_line})
    if (reader.text_field() != line) return false;
  for (int part = 0; part < 3; ++part)
    if (!reader.number_field()) return false;
  return true;
}

}  // namespace varnel2d
