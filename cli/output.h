// Output of tufu-cli: one buffer that every answer is written into and that
// goes to the file descriptor in large writes (after every line only when it
// is a terminal), with JSON, CSV and text escaping that allocates nothing per
// key.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tufu::cli {

/// A growing byte buffer whose appends are inline: the answers of a run are
/// formed here.
class Buffer {
 public:
  Buffer() = default;
  ~Buffer() { delete[] data_; }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  /// Room for `n` more bytes.
  void ensure(std::size_t n) {
    if (static_cast<std::size_t>(cap_ - end_) < n) grow(n);
  }
  /// Writing in place: ensure() room, write at end(), then setend().
  char* end() { return end_; }
  void setend(char* p) { end_ = p; }

  void append(const char* s, std::size_t n) {
    if (n == 0) return;  // an empty view may hold no pointer at all
    ensure(n);
    std::memcpy(end_, s, n);
    end_ += n;
  }
  Buffer& operator+=(std::string_view s) {
    append(s.data(), s.size());
    return *this;
  }
  Buffer& operator+=(char c) {
    ensure(1);
    *end_++ = c;
    return *this;
  }
  void push_back(char c) { *this += c; }

  const char* data() const { return data_; }
  std::size_t size() const { return static_cast<std::size_t>(end_ - data_); }
  std::string_view view() const { return {data_, size()}; }
  void clear() { end_ = data_; }

 private:
  void grow(std::size_t n);

  char* data_ = nullptr;
  char* end_ = nullptr;
  char* cap_ = nullptr;
};

class Out {
 public:
  /// Writes to `fd`; `linebuffered` flushes after every line.
  Out(int fd, bool linebuffered);
  ~Out();
  Out(const Out&) = delete;
  Out& operator=(const Out&) = delete;

  Buffer& buffer() { return buffer_; }
  Out& put(std::string_view s) {
    buffer_ += s;
    return *this;
  }
  Out& put(char c) {
    buffer_ += c;
    return *this;
  }
  /// Ends a line: "\n" (or `end`), then a write when the buffer is full or
  /// the output is a terminal.
  void endline(std::string_view end = "\n");
  /// Writes what is buffered.  False once any write has failed.
  bool flush();
  /// The errno of the first failed write, 0 while none has failed.
  int error() const { return error_; }

 private:
  Buffer buffer_;
  int fd_;
  bool linebuffered_;
  int error_ = 0;
};

/// `s` as a JSON string, quoted.  Control characters are escaped; bytes that
/// are not well-formed UTF-8 become U+FFFD, so every line stays valid JSON.
void jsonstring(Buffer& out, std::string_view s);

/// `s` for a line of text on a terminal: control characters (C0, DEL and
/// the C1 range) and bytes that are not well-formed UTF-8 are written as
/// escapes (\n, \t, \x1b, \u009b, \xff), so an input can neither split a
/// line nor send the terminal a command.  Other text is unchanged.
void textsafe(Buffer& out, std::string_view s);

/// `s` as one CSV field: quoted when it holds a comma, a quote, a carriage
/// return or a line feed, with quotes doubled (RFC 4180).
void csvfield(Buffer& out, std::string_view s);

/// `v` in the shortest decimal form that reads back as the same double.
void number(Buffer& out, double v);
void number(Buffer& out, std::int64_t v);

/// A JSON object or array written straight into a buffer, with ", " between
/// members as the tool has always written them.
class Json {
 public:
  explicit Json(Buffer& out) : out_(out) {}

  Json& open() { return begin('{'); }
  Json& close() { return end('}'); }
  Json& openarray() { return begin('['); }
  Json& closearray() { return end(']'); }

  /// A member's key: `"key":`.
  Json& key(std::string_view k);
  /// An array element's separator.
  Json& item();

  Json& str(std::string_view k, std::string_view v) {
    key(k);
    jsonstring(out_, v);
    return *this;
  }
  /// A string that the program formed itself (numbers, edge and size texts,
  /// labels): well-formed UTF-8 without quotes, backslashes or control
  /// characters, written as it is.
  Json& own(std::string_view k, std::string_view v) {
    key(k);
    out_.ensure(v.size() + 2);
    char* p = out_.end();
    *p++ = '"';
    if (!v.empty()) std::memcpy(p, v.data(), v.size());
    p += v.size();
    *p++ = '"';
    out_.setend(p);
    return *this;
  }
  Json& num(std::string_view k, std::int64_t v) {
    key(k);
    number(out_, v);
    return *this;
  }
  Json& boolean(std::string_view k, bool v) {
    key(k);
    out_ += v ? "true" : "false";
    return *this;
  }
  Json& raw(std::string_view text) {
    out_ += text;
    return *this;
  }
  Buffer& out() { return out_; }

 private:
  Json& begin(char c);
  Json& end(char c);

  Buffer& out_;
  // Whether the open object or array at each depth has a member yet.
  bool any_[16] = {};
  int depth_ = 0;
};

}  // namespace tufu::cli
