#include "cli/output.h"

#include <cerrno>
#include <charconv>

#include "cli/platform.h"
#include "core/utf8.h"

namespace tufu::cli {

namespace {

constexpr std::size_t kFlushAt = 1 << 16;
constexpr char kHex[] = "0123456789abcdef";

void hexbyte(Buffer& out, const char* prefix, unsigned v) {
  out += prefix;
  out += kHex[v >> 4 & 0xF];
  out += kHex[v & 0xF];
}

}  // namespace

void Buffer::grow(std::size_t n) {
  const std::size_t size = this->size();
  std::size_t cap = static_cast<std::size_t>(cap_ - data_);
  cap = cap == 0 ? 4096 : cap;
  while (cap - size < n) cap *= 2;
  char* grown = new char[cap];
  if (size > 0) std::memcpy(grown, data_, size);
  delete[] data_;
  data_ = grown;
  end_ = grown + size;
  cap_ = grown + cap;
}

Out::Out(int fd, bool linebuffered) : fd_(fd), linebuffered_(linebuffered) {
  buffer_.ensure(2 * kFlushAt);
}

Out::~Out() { flush(); }

void Out::endline(std::string_view end) {
  buffer_ += end;
  if (linebuffered_ || buffer_.size() >= kFlushAt) flush();
}

bool Out::flush() {
  std::size_t done = 0;
  while (done < buffer_.size() && error_ == 0) {
    const long n = writesome(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      error_ = n < 0 ? errno : EIO;
    }
  }
  buffer_.clear();
  return error_ == 0;
}

void jsonstring(Buffer& out, std::string_view s) {
  // The longest escape ("\ufffd" for one byte) is six bytes.
  out.ensure(6 * s.size() + 2);
  char* p = out.end();
  *p++ = '"';
  std::size_t i = 0;
  while (i < s.size()) {
    // Plain text is copied in runs.
    std::size_t run = i;
    while (run < s.size()) {
      const auto b = static_cast<unsigned char>(s[run]);
      if (b < 0x20 || b == '"' || b == '\\' || b >= 0x80) break;
      ++run;
    }
    std::memcpy(p, s.data() + i, run - i);
    p += run - i;
    i = run;
    if (i == s.size()) break;
    const auto b = static_cast<unsigned char>(s[i]);
    if (b >= 0x80) {
      const std::size_t n = utf8sequence(s.substr(i));
      if (n == 0) {
        std::memcpy(p, "\\ufffd", 6);
        p += 6;
        ++i;
      } else {
        std::memcpy(p, s.data() + i, n);
        p += n;
        i += n;
      }
      continue;
    }
    *p++ = '\\';
    switch (b) {
      case '"': *p++ = '"'; break;
      case '\\': *p++ = '\\'; break;
      case '\n': *p++ = 'n'; break;
      case '\r': *p++ = 'r'; break;
      case '\t': *p++ = 't'; break;
      default:
        std::memcpy(p, "u00", 3);
        p += 3;
        *p++ = kHex[b >> 4];
        *p++ = kHex[b & 0xF];
    }
    ++i;
  }
  *p++ = '"';
  out.setend(p);
}

void textsafe(Buffer& out, std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b >= 0x80) {
      const std::size_t n = utf8sequence(s.substr(i));
      if (n == 0) {
        hexbyte(out, "\\x", b);
        ++i;
      } else if (n == 2 && b == 0xC2 && static_cast<unsigned char>(s[i + 1]) < 0xA0) {
        // U+0080..U+009F: the C1 controls, CSI among them.
        hexbyte(out, "\\u00", static_cast<unsigned char>(s[i + 1]));
        i += 2;
      } else {
        out.append(s.data() + i, n);
        i += n;
      }
      continue;
    }
    switch (b) {
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (b < 0x20 || b == 0x7F)
          hexbyte(out, "\\x", b);
        else
          out += static_cast<char>(b);
    }
    ++i;
  }
}

void csvfield(Buffer& out, std::string_view s) {
  if (s.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += s;
    return;
  }
  out += '"';
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void number(Buffer& out, double v) {
  out.ensure(32);
  out.setend(std::to_chars(out.end(), out.end() + 32, v).ptr);
}

void number(Buffer& out, std::int64_t v) {
  out.ensure(24);
  out.setend(std::to_chars(out.end(), out.end() + 24, v).ptr);
}

Json& Json::key(std::string_view k) {
  // Keys are the tool's own, plain ASCII.
  out_.ensure(k.size() + 5);
  char* p = out_.end();
  if (any_[depth_]) {
    *p++ = ',';
    *p++ = ' ';
  }
  any_[depth_] = true;
  *p++ = '"';
  std::memcpy(p, k.data(), k.size());
  p += k.size();
  *p++ = '"';
  *p++ = ':';
  out_.setend(p);
  return *this;
}

Json& Json::item() {
  if (any_[depth_]) out_ += ", ";
  any_[depth_] = true;
  return *this;
}

Json& Json::begin(char c) {
  out_ += c;
  if (depth_ + 1 < static_cast<int>(std::size(any_))) ++depth_;
  any_[depth_] = false;
  return *this;
}

Json& Json::end(char c) {
  out_ += c;
  if (depth_ > 0) --depth_;
  return *this;
}

}  // namespace tufu::cli
