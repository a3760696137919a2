#include "gis/staged.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <vector>

namespace tufu::gis {

namespace fs = std::filesystem;

namespace {

// The target's companion file with extension `ext`, written in the letter
// case of the target's own extension.
fs::path companion(const fs::path& target, std::string_view ext) {
  std::string e(ext);
  const std::string own = target.extension().string();
  if (own.size() > 1 && own[1] >= 'A' && own[1] <= 'Z')
    for (char& c : e) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  fs::path p = target;
  p.replace_extension(e);
  return p;
}

std::string quoted(const fs::path& p) { return "“" + p.string() + "”"; }

}  // namespace

std::string systemreason(int error) {
  switch (error) {
    case ENOENT: return "文件夹不存在";
    case ENOTDIR: return "路径中有一项不是文件夹";
    case EACCES:
    case EPERM: return "没有写入权限";
    case EROFS: return "文件系统只读";
    case ENOSPC: return "磁盘已满";
    case EDQUOT: return "超出磁盘配额";
    case EISDIR: return "是一个文件夹";
    case ENAMETOOLONG: return "文件名太长";
    default: return std::strerror(error);
  }
}

StagedOutput::~StagedOutput() {
  if (folder_.empty()) return;
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

std::string StagedOutput::open(const std::string& target, const FormatInfo& format,
                               bool overwrite, bool& exists) {
  exists = false;
  format_ = &format;
  target_ = fs::path(target);
  if (target_.filename().empty() || target_.filename() == "." || target_.filename() == "..")
    return "输出文件名无效: " + quoted(target_);
  std::error_code ec;
  if (fs::is_directory(target_, ec)) {
    exists = true;
    return quoted(target_) + " 是一个文件夹";
  }
  std::vector<fs::path> present;
  if (fs::exists(fs::symlink_status(target_, ec))) present.push_back(target_);
  for (std::string_view ext : format.sidecars) {
    const fs::path p = companion(target_, ext);
    if (fs::exists(fs::symlink_status(p, ec))) present.push_back(p);
  }
  if (!present.empty() && !overwrite) {
    exists = true;
    return quoted(present.front()) + " 已存在";
  }

  fs::path parent = target_.parent_path();
  if (parent.empty()) parent = ".";
  std::string pattern = (parent / ("." + target_.filename().string() + ".tufu-XXXXXX")).string();
  if (!fs::exists(parent, ec)) return "文件夹 " + quoted(parent) + " 不存在";
  if (!fs::is_directory(parent, ec)) return quoted(parent) + " 不是文件夹";
  if (mkdtemp(pattern.data()) == nullptr) {
    const int error = errno;
    // Some file systems (/proc) answer that the new name does not exist.
    return "无法在文件夹 " + quoted(parent) + " 中写入: " +
           (error == ENOENT ? std::string("不能在其中建立文件") : systemreason(error));
  }
  folder_ = pattern;
  staged_ = folder_ / target_.filename();
  return "";
}

std::string StagedOutput::commit() {
  std::error_code ec;
  std::vector<fs::path> written;
  for (const auto& entry : fs::directory_iterator(folder_, ec))
    if (entry.is_regular_file(ec)) written.push_back(entry.path());
  if (ec) return "无法读取临时文件夹 " + quoted(folder_) + ": " + systemreason(ec.value());
  // The main file last, so that it appears once its companions are there.
  std::stable_partition(written.begin(), written.end(),
                        [&](const fs::path& p) { return p.filename() != staged_.filename(); });
  const fs::path parent = target_.parent_path();
  for (const fs::path& from : written) {
    const fs::path to = parent / from.filename();
    fs::rename(from, to, ec);
    if (ec) return "无法把文件移到 " + quoted(to) + ": " + systemreason(ec.value());
  }
  // Companions of an earlier file that the new one does not have (an old
  // spatial index, say) would no longer match it.
  for (std::string_view ext : format_->sidecars) {
    const fs::path p = companion(target_, ext);
    bool fresh = false;
    for (const fs::path& w : written) fresh = fresh || w.filename() == p.filename();
    if (!fresh) fs::remove(p, ec);
  }
  fs::remove_all(folder_, ec);
  folder_.clear();
  return "";
}

}  // namespace tufu::gis
