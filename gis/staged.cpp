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

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return out;
}

// The target's companion file with extension `ext`, written in the letter
// case of the target's own extension.
fs::path companion(const fs::path& target, std::string_view ext) {
  const std::string own = target.extension().string();
  const bool capitals = own.size() > 1 && own[1] >= 'A' && own[1] <= 'Z';
  fs::path p = target;
  p.replace_extension(capitals ? upper(ext) : std::string(ext));
  return p;
}

// Every spelling of a companion that a reader of the target may take for
// its own: as the target is spelt, in small letters and in capitals.
std::vector<fs::path> spellings(const fs::path& target, std::string_view ext) {
  std::vector<fs::path> out{companion(target, ext)};
  for (const std::string& e : {std::string(ext), upper(ext)}) {
    fs::path p = target;
    p.replace_extension(e);
    if (std::find(out.begin(), out.end(), p) == out.end()) out.push_back(p);
  }
  return out;
}

bool present(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

bool isfolder(const fs::path& p) {
  std::error_code ec;
  return fs::is_directory(fs::symlink_status(p, ec));
}

std::string quoted(const fs::path& p) { return "“" + p.string() + "”"; }

// The main file of another format beside `target` that `ext` is also a
// companion of ("roads.shp" for the "prj" of "roads.csv"); empty if none.
fs::path otherowner(const fs::path& target, const FormatInfo& format, std::string_view ext) {
  for (const FormatInfo& other : formats()) {
    if (other.format == format.format) continue;
    bool shared = false;
    for (std::string_view e : other.sidecars) shared = shared || e == ext;
    if (!shared) continue;
    for (const std::string& e : {std::string(other.extension), upper(other.extension)}) {
      fs::path p = target;
      p.replace_extension(e);
      if (p != target && present(p)) return p;
    }
  }
  return {};
}

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
  old_.clear();
  if (target == "-") return "不能写到标准输出 (“-”), 请给出文件名";
  if (target_.filename().empty() || target_.filename() == "." || target_.filename() == "..")
    return "输出文件名无效: " + quoted(target_);
  if (isfolder(target_)) return quoted(target_) + " 是一个文件夹, 不会被替换";
  if (format.ownextension && !hasextension(target, format))
    return std::string(format.title) + " 文件名应以 ." + std::string(format.extension) +
           " 结尾: " + quoted(target_);
  if (present(target_)) old_.push_back(target_);
  for (std::string_view ext : format.sidecars) {
    if (const fs::path owner = otherowner(target_, format, ext); !owner.empty())
      return quoted(companion(target_, ext)) + " 属于 " + quoted(owner) +
             ", 不会被改动; 请换一个文件名";
    for (const fs::path& p : spellings(target_, ext)) {
      if (!present(p)) continue;
      if (isfolder(p)) return quoted(p) + " 是一个文件夹, 不会被替换";
      old_.push_back(p);
    }
  }
  if (!old_.empty() && !overwrite) {
    exists = true;
    return quoted(old_.front()) + " 已存在";
  }

  std::error_code ec;
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

std::string StagedOutput::written() const {
  std::error_code ec;
  if (present(staged_)) return staged_.string();
  const std::string stem = target_.stem().string();
  for (const auto& entry : fs::directory_iterator(folder_, ec)) {
    const fs::path& p = entry.path();
    const std::string ext = p.extension().string();
    if (p.stem().string() == stem && ext.size() > 1 &&
        sameletters(std::string_view(ext).substr(1), format_->extension))
      return p.string();
  }
  return staged_.string();
}

std::string StagedOutput::commit() {
  std::error_code ec;
  // What the driver wrote, each with the name it takes beside the target.
  struct Move {
    fs::path from, to;
  };
  std::vector<Move> moves;
  bool main = false;
  const fs::path parent = target_.parent_path();
  const std::string stem = target_.stem().string();
  for (const auto& entry : fs::directory_iterator(folder_, ec)) {
    const fs::path& from = entry.path();
    if (!entry.is_regular_file(ec))
      return "写出的不是一个文件 (" + from.filename().string() + " 是文件夹), 没有写出文件";
    fs::path to = parent / from.filename();
    if (from.filename() == staged_.filename()) {
      to = target_;
    } else if (from.stem().string() == stem) {
      const std::string ext = from.extension().string();
      if (ext.size() > 1 && sameletters(std::string_view(ext).substr(1), format_->extension))
        to = target_;
      for (std::string_view side : format_->sidecars)
        if (ext.size() > 1 && sameletters(std::string_view(ext).substr(1), side))
          to = companion(target_, side);
    }
    main = main || to == target_;
    moves.push_back({from, to});
  }
  if (ec) return "无法读取临时文件夹 " + quoted(folder_) + ": " + systemreason(ec.value());
  if (!main) return "没有写出 " + quoted(target_);
  // The main file last, so that it appears once its companions are there.
  std::stable_partition(moves.begin(), moves.end(),
                        [&](const Move& m) { return m.to != target_; });

  // The old set is moved aside first, so that it can be put back whole.
  const fs::path aside = folder_ / ".old";
  fs::create_directory(aside, ec);
  if (ec) return "无法在文件夹 " + quoted(folder_) + " 中写入: " + systemreason(ec.value());
  std::vector<Move> done;  // renames made, to be undone on failure
  auto undo = [&](std::string why) {
    std::error_code ignored;
    for (auto m = done.rbegin(); m != done.rend(); ++m) fs::rename(m->to, m->from, ignored);
    return why;
  };
  std::vector<fs::path> old = old_;
  for (const Move& m : moves)
    if (present(m.to) && std::find(old.begin(), old.end(), m.to) == old.end())
      old.push_back(m.to);
  for (std::size_t i = 0; i < old.size(); ++i) {
    const Move m{old[i], aside / std::to_string(i)};
    fs::rename(m.from, m.to, ec);
    if (ec) return undo("无法替换 " + quoted(m.from) + ": " + systemreason(ec.value()));
    done.push_back(m);
  }
  for (const Move& m : moves) {
    fs::rename(m.from, m.to, ec);
    if (ec) return undo("无法把文件移到 " + quoted(m.to) + ": " + systemreason(ec.value()));
    done.push_back(m);
  }
  if (!present(target_)) return undo("没有写出 " + quoted(target_));
  fs::remove_all(folder_, ec);
  folder_.clear();
  return "";
}

}  // namespace tufu::gis
