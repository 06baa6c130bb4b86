// Field-by-field reading of the engine's delimited text files.
#include "engine/extras/delimited_reader.h"

#include <charconv>
#include <iterator>

namespace varnel2d {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_line_break(char c) { return c == '\r' || c == '\n'; }

}  // namespace

delimited_reader::delimited_reader(std::istream& in)
    : owned_(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), text_(owned_) {}

void delimited_reader::skip_blanks() {
  while (at_ < text_.size() && is_blank(text_[at_])) ++at_;
}

void delimited_reader::end_field() {
  skip_blanks();
  if (at_ >= text_.size()) return;
  if (text_[at_] == ',') {
    ++at_;
  } else if (text_[at_] == '\r') {
    ++at_;
    if (at_ < text_.size() && text_[at_] == '\n') ++at_;
  } else if (text_[at_] == '\n') {
    ++at_;
  }
}

bool delimited_reader::at_end() const {
  for (size_t i = at_; i < text_.size(); ++i)
    if (!is_blank(text_[i]) && !is_line_break(text_[i])) return false;
  return true;
}

std::optional<std::string> delimited_reader::text_field() {
  if (at_ >= text_.size()) return std::nullopt;
  skip_blanks();
  std::string field;
  if (at_ < text_.size() && text_[at_] == '"') {
    for (size_t from = at_ + 1;;) {
      const size_t close = text_.find('"', from);
      if (close == std::string_view::npos) return std::nullopt;  // an unclosed quote is a damaged file
      field.append(text_.substr(from, close - from));
      at_ = close + 1;
      if (at_ >= text_.size() || text_[at_] != '"') break;
      field.push_back('"');  // a doubled quote inside the quotes stands for one
      from = at_ + 1;
    }
    // Whatever stands between the closing quote and the delimiter is not part of the field.
    while (at_ < text_.size() && text_[at_] != ',' && !is_line_break(text_[at_])) ++at_;
  } else {
    const size_t start = at_;
    while (at_ < text_.size() && text_[at_] != ',' && !is_line_break(text_[at_])) ++at_;
    size_t end = at_;
    while (end > start && is_blank(text_[end - 1])) --end;
    field.assign(text_.substr(start, end - start));
  }
  end_field();
  return field;
}

std::optional<int64_t> delimited_reader::number_field() {
  while (at_ < text_.size() && (is_blank(text_[at_]) || is_line_break(text_[at_]))) ++at_;
  const size_t start = at_;
  while (at_ < text_.size() && !is_blank(text_[at_]) && text_[at_] != ',' && !is_line_break(text_[at_])) ++at_;
  if (start == at_) return std::nullopt;
  const char* first = text_.data() + start;
  const char* last = text_.data() + at_;
  if (*first == '+' && last - first > 1 && first[1] != '-') ++first;
  int64_t value = 0;
  const auto [ptr, error] = std::from_chars(first, last, value);
  if (error != std::errc() || ptr != last) return std::nullopt;
  end_field();
  return value;
}

}  // namespace varnel2d
