#include "platform/file_replace.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Follows symbolic links of the last component (a chain of them too); a
// link that dangles names the file it would create.
bool resolveLinks(fs::path& path, std::string& error) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code code;
    const fs::file_status status = fs::symlink_status(path, code);
    if (!fs::is_symlink(status)) return true;
    const fs::path target = fs::read_symlink(path, code);
    if (code) {
      error = "cannot follow the link " + path.string() + ": " + code.message();
      return false;
    }
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  error = path.string() + " is a loop of symbolic links";
  return false;
}

std::string kindOf(const fs::file_status& status) {
  switch (status.type()) {
    case fs::file_type::directory: return "a folder";
    case fs::file_type::block:
    case fs::file_type::character: return "a device";
    case fs::file_type::fifo: return "a FIFO";
    case fs::file_type::socket: return "a socket";
    default: return "not a regular file";
  }
}

}  // namespace

bool planFileReplacement(const std::string& path, FileReplacement& plan, std::string& error) {
  fs::path target(path);
  if (!resolveLinks(target, error)) return false;
  std::error_code code;
  const fs::file_status status = fs::status(target, code);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    error = path + " is " + kindOf(status) + "; only a regular file is replaced";
    return false;
  }
  if (target.filename().empty()) {
    error = path + " names a folder, not a file";
    return false;
  }
  plan.target = target.string();
  fs::path temporary = target;
  temporary.replace_filename(target.stem().string() + ".partial" + target.extension().string());
  plan.temporary = temporary.string();
  return true;
}

bool commitFileReplacement(const FileReplacement& plan, std::string& error) {
  std::error_code code;
  // The new file keeps the old one's permissions.
  const fs::file_status old = fs::status(plan.target, code);
  if (fs::exists(old)) fs::permissions(plan.temporary, old.permissions(), code);
  fs::rename(plan.temporary, plan.target, code);
  if (!code) return true;
  error = "cannot rename " + plan.temporary + " to " + plan.target + ": " + code.message();
  abandonFileReplacement(plan);
  return false;
}

void abandonFileReplacement(const FileReplacement& plan) {
  std::error_code code;
  if (!plan.temporary.empty()) fs::remove(plan.temporary, code);
}

bool replaceFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
  FileReplacement plan;
  if (!planFileReplacement(path, plan, error)) return false;
  if (!writeFileDurably(plan.temporary, bytes)) {
    error = "cannot write " + plan.temporary;
    abandonFileReplacement(plan);
    return false;
  }
  return commitFileReplacement(plan, error);
}
