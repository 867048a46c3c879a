// Reading a fuzz input as a stream of small decisions, and stopping loudly
// when a property does not hold. An exhausted input reads as zeros, so every
// prefix of an input is itself a valid input.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint16_t Word() {
    uint16_t low = Byte();
    return static_cast<uint16_t>(low | (Byte() << 8));
  }
  // Up to `n` raw bytes, fewer when the input runs out.
  std::string Bytes(size_t n) {
    const size_t left = size_ - pos_;
    const size_t take = n < left ? n : left;
    std::string out(reinterpret_cast<const char*>(data_ + pos_), take);
    pos_ += take;
    return out;
  }
  // A length byte, then that many bytes.
  std::string Text() { return Bytes(Byte()); }
  // Like Text, without NUL bytes: what an edit box or list can hold.
  std::string CleanText() {
    std::string t = Text();
    for (char& c : t)
      if (c == '\0') c = '?';
    return t;
  }
  std::string Rest() { return Bytes(size_ - pos_); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what);
  std::abort();
}

}  // namespace fuzz

#define FUZZ_REQUIRE(cond) \
  do {                     \
    if (!(cond)) ::fuzz::Fail(#cond, __FILE__, __LINE__); \
  } while (0)
