// A short text kept in place: sheet numbers, old numbers and edge texts are
// written into these without allocating.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace tufu {

template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t kCapacity = N;

  FixedText() = default;
  explicit FixedText(std::string_view s) { assign(s); }
  // Only the bytes in use are copied.
  FixedText(const FixedText& o) : size_(o.size_) { std::memcpy(data_, o.data_, size_); }
  FixedText& operator=(const FixedText& o) {
    size_ = o.size_;
    std::memmove(data_, o.data_, size_);
    return *this;
  }

  std::string_view view() const { return {data_, size_}; }
  operator std::string_view() const { return view(); }
  std::string str() const { return std::string(view()); }
  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }

  /// Writing in place: the buffer, then the end of what was written.
  char* begin() { return data_; }
  void end(const char* p) { size_ = static_cast<std::size_t>(p - data_); }

  void assign(std::string_view s) {
    size_ = s.size() < N ? s.size() : N;
    if (size_ > 0) std::memcpy(data_, s.data(), size_);
  }
  void clear() { size_ = 0; }

  friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

 private:
  char data_[N];  // bytes past size_ are never read
  std::size_t size_ = 0;
};

}  // namespace tufu
