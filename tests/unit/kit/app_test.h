// The in-memory application as a test fixture: no test may leave a key open.
#pragma once
#include <gtest/gtest.h>

#include "tests/unit/kit/mem_app.h"

namespace vl {

class AppTest : public ::testing::Test, public MemApp {
 protected:
  void TearDown() override { EXPECT_EQ(0u, reg.OpenHandles()) << "a key was left open"; }
};

}  // namespace vl
