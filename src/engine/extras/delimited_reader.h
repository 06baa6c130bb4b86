// The one reader of the engine's delimited text files (map files, pack indexes, high scores): fields
// end at a comma or a line break, blanks around a field are dropped, a field in double quotes runs to
// the closing quote (two quotes in a row inside it stand for one), and numbers skip line breaks
// before them, so a row may run across lines.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace varnel2d {

class delimited_reader {
 public:
  // Reads from memory; the text must outlive the reader.
  explicit delimited_reader(std::string_view text) : text_(text) {}
  // Reads a whole stream into the reader's own buffer first.
  explicit delimited_reader(std::istream& in);
  delimited_reader(const delimited_reader&) = delete;
  delimited_reader& operator=(const delimited_reader&) = delete;

  // The next text field, blanks around it dropped (quotes removed from a quoted one). An empty line
  // is an empty field. Nothing once the text has ended.
  std::optional<std::string> text_field();
  // The next field as a whole decimal number with an optional sign; it ends at a blank, a comma or
  // a line break. Nothing at the end of the text or when the field is not such a number.
  std::optional<int64_t> number_field();
  // True when only blanks and line breaks are left.
  bool at_end() const;
  // The characters not read yet.
  size_t left() const { return text_.size() - at_; }

 private:
  void skip_blanks();
  // After a field: blanks, then one comma or one line break (CR, LF or CR LF) if it comes next.
  void end_field();

  std::string owned_;
  std::string_view text_;
  size_t at_ = 0;
};

}  // namespace varnel2d
