// Columns of texts as the C interface receives and writes them: records of
// UTF-8 bytes or of UTF-32 code points, or an array of C strings.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "tufu/tufu.h"

namespace tufu::capi {

inline bool validinput(const tufu_text_column* c) {
  if (c == nullptr || c->data == nullptr) return false;
  if (c->encoding == TUFU_POINTERS) return true;
  return (c->encoding == TUFU_UTF8 || c->encoding == TUFU_UTF32) && c->width > 0;
}

inline bool validoutput(const tufu_text_column* c) {
  return c != nullptr && c->data != nullptr && c->width > 0 &&
         (c->encoding == TUFU_UTF8 || c->encoding == TUFU_UTF32);
}

/// Reads element i of an input column as UTF-8.  A UTF-32 record is
/// converted into storage of the reader's own, reused for every element: a
/// view stays valid until the next read.
class TextReader {
 public:
  explicit TextReader(const tufu_text_column& c) : c_(c) {}

  /// Nothing for a NULL element of a column of pointers.
  std::optional<std::string_view> read(std::size_t i) {
    switch (c_.encoding) {
      case TUFU_POINTERS: {
        const char* s = static_cast<const char* const*>(c_.data)[i];
        if (s == nullptr) return std::nullopt;
        return std::string_view(s);
      }
      case TUFU_UTF8: {
        const char* r = static_cast<const char*>(c_.data) + i * c_.width;
        const void* nul = std::memchr(r, 0, c_.width);
        return std::string_view(r, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - r)
                                       : c_.width);
      }
      default: {
        const std::uint32_t* r = static_cast<const std::uint32_t*>(c_.data) + i * c_.width;
        // Sheet numbers are short and ASCII: those go through a small buffer.
        std::size_t k = 0;
        for (; k < c_.width && k < sizeof small_ && r[k] != 0 && r[k] < 0x80; ++k)
          small_[k] = static_cast<char>(r[k]);
        if (k == c_.width || r[k] == 0) return std::string_view(small_, k);
        scratch_.assign(small_, k);
        for (; k < c_.width && r[k] != 0; ++k) append(r[k]);
        return std::string_view(scratch_);
      }
    }
  }

 private:
  // One code point as UTF-8; a value that is no Unicode scalar value becomes
  // the byte 0xFF, which no UTF-8 text holds, so it is refused as a bad byte.
  void append(std::uint32_t u) {
    if (u < 0x80) {
      scratch_ += static_cast<char>(u);
    } else if (u < 0x800) {
      scratch_ += static_cast<char>(0xC0 | (u >> 6));
      scratch_ += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000 && (u < 0xD800 || u > 0xDFFF)) {
      scratch_ += static_cast<char>(0xE0 | (u >> 12));
      scratch_ += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      scratch_ += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u >= 0x10000 && u <= 0x10FFFF) {
      scratch_ += static_cast<char>(0xF0 | (u >> 18));
      scratch_ += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
      scratch_ += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      scratch_ += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      scratch_ += '\xFF';
    }
  }

  const tufu_text_column& c_;
  char small_[64];
  std::string scratch_;
};

/// Writes element i of an output column from UTF-8 that the library formed
/// (well-formed).
class TextWriter {
 public:
  explicit TextWriter(const tufu_text_column& c) : c_(c) {}

  void clear(std::size_t i) {
    if (c_.encoding == TUFU_UTF8)
      std::memset(static_cast<char*>(c_.data) + i * c_.width, 0, c_.width);
    else
      std::memset(static_cast<std::uint32_t*>(c_.data) + i * c_.width, 0,
                  c_.width * sizeof(std::uint32_t));
  }

  /// Room of the buffers that writeascii takes.
  static constexpr std::size_t kPadded = 32;

  /// Writes ASCII text of `n` bytes from `padded`, a buffer of kPadded bytes
  /// that are zero after the text: whole records are copied without a test
  /// per character.  False (and an empty record) when it does not fit.
  bool writeascii(std::size_t i, const char* padded, std::size_t n) {
    if (n > c_.width) {
      clear(i);
      return false;
    }
    if (c_.width > kPadded) return write(i, std::string_view(padded, n));
    if (c_.encoding == TUFU_UTF8) {
      std::memcpy(static_cast<char*>(c_.data) + i * c_.width, padded, c_.width);
      return true;
    }
    std::uint32_t* r = static_cast<std::uint32_t*>(c_.data) + i * c_.width;
    for (std::size_t j = 0; j < c_.width; ++j) r[j] = static_cast<unsigned char>(padded[j]);
    return true;
  }

  /// False (and an empty record) when the text does not fit.
  bool write(std::size_t i, std::string_view text) {
    if (c_.encoding == TUFU_UTF8) {
      char* r = static_cast<char*>(c_.data) + i * c_.width;
      if (text.size() > c_.width) {
        std::memset(r, 0, c_.width);
        return false;
      }
      if (!text.empty()) std::memcpy(r, text.data(), text.size());
      std::memset(r + text.size(), 0, c_.width - text.size());
      return true;
    }
    std::uint32_t* r = static_cast<std::uint32_t*>(c_.data) + i * c_.width;
    if (text.size() <= c_.width) {  // numbers and edge digits: ASCII, one unit a byte
      std::size_t j = 0;
      for (; j < text.size() && static_cast<unsigned char>(text[j]) < 0x80; ++j)
        r[j] = static_cast<unsigned char>(text[j]);
      if (j == text.size()) {
        for (; j < c_.width; ++j) r[j] = 0;
        return true;
      }
    }
    std::size_t k = 0;
    for (std::size_t j = 0; j < text.size(); ++k) {
      if (k == c_.width) {
        std::memset(r, 0, c_.width * sizeof(std::uint32_t));
        return false;
      }
      const auto b = static_cast<unsigned char>(text[j]);
      std::uint32_t u;
      std::size_t len;
      if (b < 0x80) {
        u = b, len = 1;
      } else if (b < 0xE0) {
        u = b & 0x1Fu, len = 2;
      } else if (b < 0xF0) {
        u = b & 0x0Fu, len = 3;
      } else {
        u = b & 0x07u, len = 4;
      }
      for (std::size_t m = 1; m < len && j + m < text.size(); ++m)
        u = (u << 6) | (static_cast<unsigned char>(text[j + m]) & 0x3Fu);
      r[k] = u;
      j += len;
    }
    for (std::size_t m = k; m < c_.width; ++m) r[m] = 0;
    return true;
  }

 private:
  const tufu_text_column& c_;
};

}  // namespace tufu::capi
