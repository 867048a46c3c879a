// The letter encoding of the settings store over any bytes: decoding never
// produces more than the prefix announces or the letters after it can carry,
// and whatever is encoded decodes back unchanged, padded or not.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "settings/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const std::string decoded = vl::Unscramble(text);
  size_t prefix = 0;
  while (prefix < text.size() && text[prefix] == 'Q') ++prefix;
  if (prefix == text.size()) {
    FUZZ_REQUIRE(decoded.empty());
  } else {
    const long long announced =
        16LL * static_cast<long long>(prefix) + static_cast<unsigned char>(text[prefix]) - 'A';
    FUZZ_REQUIRE(static_cast<long long>(decoded.size()) <= (announced > 0 ? announced : 0));
    FUZZ_REQUIRE(decoded.size() <= (text.size() - prefix - 1) / 2);
  }

  const std::string plain = vl::Scramble(text, false);
  FUZZ_REQUIRE(plain == vl::Scramble(text, false));  // names must scramble the same every time
  FUZZ_REQUIRE(vl::Unscramble(plain) == text);
  const std::string padded = vl::Scramble(text, true);
  FUZZ_REQUIRE(padded.size() % 23 == 0);
  FUZZ_REQUIRE(padded.compare(0, plain.size(), plain) == 0);
  FUZZ_REQUIRE(vl::Unscramble(padded) == text);
  for (char c : padded) FUZZ_REQUIRE(c >= 'A' && c <= 'Q');
  return 0;
}
