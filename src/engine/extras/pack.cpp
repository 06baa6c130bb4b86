// Packing files into an index and a data file, unpacking them into the data folder, and deleting
// the unpacked files at shutdown.
#include "engine/extras/pack.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include <varnel2d/Varnel_2D_Engine.h>
#include "engine/engine_state.h"
#include "engine/extras/delimited_reader.h"
#include "engine/extras/engine_files.h"
#include <varnel2d/files.h>

namespace varnel2d {
namespace {

std::optional<std::vector<pack_entry>> read_index(delimited_reader& reader) {
  if (!read_engine_header(reader, pack_index_title)) return std::nullopt;
  const std::optional<int64_t> count = reader.number_field();
  if (!count || *count < 0) return std::nullopt;
  std::vector<pack_entry> entries;
  for (int64_t i = 0; i < *count; ++i) {
    std::optional<std::string> name = reader.text_field();
    if (!name) return std::nullopt;
    const std::optional<int64_t> size = reader.number_field();
    if (!size) return std::nullopt;
    entries.push_back({std::move(*name), *size});
  }
  return entries;
}

using file_handle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

file_handle open_file(const std::string& path, const char* mode) { return {std::fopen(path.c_str(), mode), &std::fclose}; }

// Copies `size` bytes from one open file to the other in pieces of at most the buffer's size: inside
// the kernel where it can, else through the buffer.
bool copy_bytes(std::FILE* from, std::FILE* to, int64_t size, std::vector<char>& buffer) {
  const int in = fileno(from);
  const int out = fileno(to);
  bool kernel_copy = true;
  while (size > 0) {
    const size_t piece = static_cast<size_t>(std::min<int64_t>(size, static_cast<int64_t>(buffer.size())));
    ssize_t copied = kernel_copy ? ::copy_file_range(in, nullptr, out, nullptr, piece, 0) : -1;
    if (copied < 0 && kernel_copy && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
      kernel_copy = false;
    }
    if (!kernel_copy) {
      copied = ::read(in, buffer.data(), piece);
      if (copied > 0 && ::write(out, buffer.data(), static_cast<size_t>(copied)) != copied) return false;
    }
    if (copied <= 0) return false;
    size -= copied;
  }
  return true;
}

// True when both paths name one existing file, however they are spelled (links, "..", hard links).
bool same_file(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

std::optional<std::vector<pack_entry>> read_pack_index(std::string_view text) {
  delimited_reader reader(text);
  return read_index(reader);
}

std::optional<std::vector<pack_entry>> read_pack_index(std::istream& in) {
  delimited_reader reader(in);
  return read_index(reader);
}

std::string format_pack_index(std::span<const pack_entry> entries) {
  std::string text = engine_header(pack_index_title);
  text += written_number(static_cast<int64_t>(entries.size()));
  text += "\r\n";
  for (const pack_entry& entry : entries) {
    text += entry.name;
    text += "\r\n";
    text += written_number(entry.size);
    text += "\r\n";
  }
  return text;
}

std::optional<std::string> pack_data_file(std::string_view index_path) {
  if (index_path.empty()) return std::nullopt;
  const char next = static_cast<char>(index_path.back() + 1);
  if (index_path.back() == '/' || next == '/' || next == '\\' || next <= ' ' || next > '~') return std::nullopt;
  std::string data(index_path);
  data.back() = next;
  return data;
}

bool safe_entry_name(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of(std::string_view("/\\\0", 3)) ==
                                                              std::string_view::npos;
}

bool entries_fit(std::span<const pack_entry> entries, int64_t data_length) {
  int64_t total = 0;
  for (const pack_entry& entry : entries) {
    if (!safe_entry_name(entry.name) || entry.size < 0 || entry.size > data_length - total) return false;
    total += entry.size;
  }
  return true;
}

}  // namespace varnel2d

using namespace varnel2d;

bool Varnel_2D_Engine::lib_filepack(std::span<const std::string> filearray, const std::string& destinationfullfilepath) {
  const std::optional<std::string> data_path = pack_data_file(destinationfullfilepath);
  if (!data_path) return false;
  // Every source is measured first, so a missing or oversized one writes nothing; nor does one that
  // is the pack's own index or data file, which writing the pack would destroy before it is read.
  std::vector<pack_entry> entries;
  int64_t total = 0;
  for (const std::string& source : filearray) {
    const std::optional<int64_t> length = regular_file_length(source);
    if (!length || *length > largest_pack_bytes - total) return false;
    if (same_file(source, destinationfullfilepath) || same_file(source, *data_path)) return false;
    total += *length;
    entries.push_back({lib_filepathgetname(source), *length});
  }
  if (!replace_file(destinationfullfilepath, {format_pack_index(entries)})) return false;
  const file_handle data = open_file(*data_path, "wb");
  if (!data) return false;
  std::vector<char> buffer(pack_piece_bytes);
  for (size_t i = 0; i < entries.size(); ++i) {
    const file_handle source = open_file(filearray[i], "rb");
    if (!source || !copy_bytes(source.get(), data.get(), entries[i].size, buffer)) return false;
  }
  return true;
}

bool Varnel_2D_Engine::lib_fileunpack(const std::string& filenameonly) {
  const std::string index_path = path + filenameonly;
  const std::optional<std::string> data_path = pack_data_file(index_path);
  if (!data_path) return false;
  const std::optional<std::string> index = read_whole_file(index_path);
  if (!index) return false;
  const std::optional<std::vector<pack_entry>> entries = read_pack_index(*index);
  const std::optional<int64_t> data_length = regular_file_length(*data_path);
  if (!entries || !data_length || !entries_fit(*entries, *data_length)) return false;
  // An entry that would overwrite the pack itself is refused before anything is written.
  for (const pack_entry& entry : *entries)
    if (same_file(path + entry.name, index_path) || same_file(path + entry.name, *data_path)) return false;
  const file_handle data = open_file(*data_path, "rb");
  if (!data) return false;
  // Only files this unpack has written are deleted at shutdown.
  state_->pack.unpacked_files.clear();
  std::vector<char> buffer(pack_piece_bytes);
  for (const pack_entry& entry : *entries) {
    const file_handle out = open_file(path + entry.name, "wb");
    if (!out) return false;
    state_->pack.unpacked_files.push_back(path + entry.name);
    if (!copy_bytes(data.get(), out.get(), entry.size, buffer)) return false;
  }
  return true;
}

void Varnel_2D_Engine::private_delete_unpacked_files() {
  for (const std::string& file : state_->pack.unpacked_files) {
    std::error_code ignored;
    if (lib_fileexists(file)) std::filesystem::remove(file, ignored);
  }
}
