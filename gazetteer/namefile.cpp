#include "gazetteer/namefile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#ifdef _WIN32
#include <filesystem>
#include <io.h>
#endif

#include "core/sheet.h"

namespace tufu {

namespace {

constexpr int kMaxNameLength = 15;  // two lines of the sheet table: 7 + 8
// Longer than any line a name file can hold: a 12-character key, a tab and
// 15 characters of at most 4 bytes, with room for comments.
constexpr std::size_t kMaxLineBytes = 1024;

std::string quoted(std::string_view s) {
  std::string out = "\"";
  out += s;
  out += '"';
  return out;
}

std::string located(const std::string& file, int line, const std::string& reason) {
  return file + ":" + std::to_string(line) + ": " + reason;
}

// Opens the file at `path` (UTF-8) for reading; -1 and errno when it cannot.
int openforreading(const std::string& path) {
#ifdef _WIN32
  // Windows names files in UTF-16.
  try {
    const std::u8string_view u8(reinterpret_cast<const char8_t*>(path.data()), path.size());
    const std::filesystem::path wide(u8);
    const int fd = ::_wopen(wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    // Windows refuses to open a folder as "access denied".
    std::error_code ec;
    if (fd < 0 && errno == EACCES && std::filesystem::is_directory(wide, ec)) errno = EISDIR;
    return fd;
  } catch (const std::exception&) {
    errno = EINVAL;  // not UTF-8
    return -1;
  }
#else
  return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
#endif
}

bool isregular(int fd) {
#ifdef _WIN32
  struct _stat64 st {};
  return ::_fstat64(fd, &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFREG;
#else
  struct stat st {};
  return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
#endif
}

}  // namespace

bool isnamekey(std::string_view key) {
  for (char c : key)
    if (c >= 'a' && c <= 'z') return false;
  // 1:2.5万, 1:1万 and 1:5000 sheets carry no names.
  const auto s = parsenew(key, Edition::k1992, Reading::Typed).sheet;
  return s && s->scale->named;
}

std::optional<int> utf8length(std::string_view s) {
  int count = 0;
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t more = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if (b < 0x80) {
      cp = b;
    } else if ((b & 0xE0) == 0xC0) {
      more = 1; cp = b & 0x1Fu; least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      more = 2; cp = b & 0x0Fu; least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      more = 3; cp = b & 0x07u; least = 0x10000;
    } else {
      return std::nullopt;  // stray continuation byte or invalid lead byte
    }
    if (s.size() - i - 1 < more) return std::nullopt;
    for (std::size_t k = 1; k <= more; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      return std::nullopt;  // overlong form, beyond Unicode, or a surrogate
    }
    i += more + 1;
    ++count;
  }
  return count;
}

std::string whybadname(std::string_view name) {
  if (name.empty()) return "图名为空";
  const std::optional<int> length = utf8length(name);
  if (!length) return "图名不是有效的 UTF-8 文本";
  for (char c : name) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) return "图名含有控制字符";
  }
  if (*length > kMaxNameLength) {
    return "图名 " + quoted(name) + " 有 " + std::to_string(*length) + " 个字, 最多 " +
           std::to_string(kMaxNameLength) + " 个";
  }
  return "";
}

NameFile parsenames(std::string_view text, const std::string& file) {
  NameFile result;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::unordered_map<std::string_view, int> seen;  // key -> line
  int lineno = 0;
  while (!text.empty()) {
    ++lineno;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.size() > kMaxLineBytes) {
      result.error = located(file, lineno,
                             "行太长 (超过 " + std::to_string(kMaxLineBytes) + " 字节)");
      break;
    }
    if (line.empty() || line.front() == '#') continue;

    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
      result.error = located(file, lineno, "应为 图幅号<TAB>图名, 缺少制表符");
      break;
    }
    if (line.find('\t', tab + 1) != std::string_view::npos) {
      result.error = located(file, lineno, "应为 图幅号<TAB>图名, 多了制表符");
      break;
    }
    const std::string_view key = line.substr(0, tab);
    const std::string_view name = line.substr(tab + 1);
    if (!isnamekey(key)) {
      result.error = located(file, lineno,
                             "图幅号 " + quoted(key) +
                                 " 不是1:100万至1:5万的大写新图幅编号或1:20万代码");
      break;
    }
    if (const std::string why = whybadname(name); !why.empty()) {
      result.error = located(file, lineno, why);
      break;
    }
    if (const auto [it, fresh] = seen.emplace(key, lineno); !fresh) {
      result.error = located(file, lineno,
                             "图幅号 " + std::string(key) + " 与第 " +
                                 std::to_string(it->second) + " 行重复");
      break;
    }
    result.rows.push_back({std::string(key), std::string(name), lineno});
  }
  if (!result.error.empty()) result.rows.clear();
  return result;
}

std::string errortext(int error) {
  switch (error) {
    case ENOENT: return "没有这个文件或目录";
    case EACCES: return "没有权限";
    case EPERM: return "不允许这样操作";
    case EISDIR: return "是一个目录";
    case ENOTDIR: return "路径中有一项不是目录";
    case ENOSPC: return "设备上没有空间";
    case EROFS: return "文件系统是只读的";
    case EIO: return "输入输出错误";
    case EPIPE: return "管道已断开";
    case ENAMETOOLONG: return "文件名太长";
    case ELOOP: return "符号链接层数太多";
    case EMFILE:
    case ENFILE: return "打开的文件太多";
    case ENOMEM: return "内存不足";
    case EFBIG: return "文件太大";
#ifdef EDQUOT
    case EDQUOT: return "超出磁盘配额";
#endif
    case EBADF: return "文件描述符无效";
    case EINVAL: return "参数无效";
    default: return "错误代码 " + std::to_string(error);
  }
}

NameFile readnamefile(const std::string& path) {
  NameFile result;
  // Only a regular file is read: a device such as /dev/zero or a pipe
  // without a writer would never end.
  const int fd = openforreading(path);
  if (fd < 0) {
    result.error = path + ": 无法打开: " + errortext(errno);
    return result;
  }
  if (!isregular(fd)) {
    ::close(fd);
    result.error = path + ": 不是普通文件";
    return result;
  }
  std::string text;
  char buffer[65536];
  std::size_t linestart = 0;
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      result.error = path + ": 无法读取: " + errortext(errno);
      ::close(fd);
      return result;
    }
    if (got == 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
    // A line longer than any name file's ends the reading: what has been
    // read shows it, with its line number.
    if (const std::size_t nl = text.rfind('\n'); nl != std::string::npos && nl >= linestart)
      linestart = nl + 1;
    if (text.size() - linestart > kMaxLineBytes + 1) break;
  }
  ::close(fd);
  return parsenames(text, path);
}

}  // namespace tufu
