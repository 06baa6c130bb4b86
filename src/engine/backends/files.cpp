// File length, deletion and whole-file replacement, never throwing.
#include <varnel2d/files.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

namespace varnel2d {
namespace {

std::error_code last_error() { return {errno, std::generic_category()}; }

// The file a write to `path` lands in: the end of its chain of symbolic links.
bool link_target(std::filesystem::path& path, std::error_code& error) {
  constexpr int most_links = 40;
  for (int links = 0; links < most_links; ++links) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return true;
    const std::filesystem::path next = std::filesystem::read_symlink(path, error);
    if (error) return false;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return false;
}

// A new file of a name no other file has, "<beside>.partial-" and eight hex digits; -1 on failure.
int create_temporary(const std::string& beside, std::string& name) {
  std::random_device random;
  constexpr int attempts = 100;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".partial-%08x", static_cast<unsigned>(random()));
    name = beside + suffix;
    const int file = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file >= 0 || errno != EEXIST) return file;
  }
  return -1;
}

bool write_all(int file, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(file, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// The temporary takes the owner (where allowed) and the permissions of the file it replaces.
bool take_permissions(int file, const std::string& target) {
  struct stat old {};
  if (::stat(target.c_str(), &old) != 0) return errno == ENOENT;
  struct stat made {};
  if (::fstat(file, &made) == 0 && (made.st_uid != old.st_uid || made.st_gid != old.st_gid))
    (void)!::fchown(file, old.st_uid, old.st_gid);
  return ::fchmod(file, old.st_mode & 07777) == 0;
}

// The folder's entry for the renamed file reaches the disk too; a failure here changes nothing.
void sync_folder(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) return;
  (void)::fsync(handle);
  ::close(handle);
}

}  // namespace

std::optional<int64_t> regular_file_length(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  return static_cast<int64_t>(size);
}

bool remove_file(const std::string& path) {
  std::error_code error;
  return std::filesystem::remove(path, error);
}

bool replace_file(const std::string& path, std::initializer_list<std::string_view> pieces, std::error_code& error) {
  error.clear();
  if (path.empty()) {
    error = std::make_error_code(std::errc::no_such_file_or_directory);
    return false;
  }
  std::filesystem::path target(path);
  if (!link_target(target, error)) return false;
  std::string temporary;
  const int file = create_temporary(target.string(), temporary);
  if (file < 0) {
    error = last_error();
    return false;
  }
  bool written = take_permissions(file, target.string());
  for (std::string_view piece : pieces) written = written && write_all(file, piece);
  written = written && ::fsync(file) == 0;
  if (!written) error = last_error();
  if (::close(file) != 0 && written) {
    written = false;
    error = last_error();
  }
  if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
    written = false;
    error = last_error();
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return false;
  }
  sync_folder(target);
  return true;
}

bool replace_file(const std::string& path, std::initializer_list<std::string_view> pieces) {
  std::error_code ignored;
  return replace_file(path, pieces, ignored);
}

}  // namespace varnel2d
