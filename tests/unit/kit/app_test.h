// The in-memory application as a test fixture: no test may leave a key open.
#pragma once
#include <gtest/gtest.h>

#include <ostream>

#include "tests/unit/kit/mem_app.h"

namespace vl {

// A box in a failed expectation, as the user would read it.
inline void PrintTo(const ShownBox& box, std::ostream* os) {
  *os << "box owned by " << box.owner << " captioned \"" << box.caption << "\" with style 0x"
      << std::hex << box.style << std::dec << ": \"" << box.text << "\"";
}

class AppTest : public ::testing::Test, public MemApp {
 protected:
  void TearDown() override { EXPECT_EQ(0u, reg.OpenHandles()) << "a key was left open"; }
};

}  // namespace vl
