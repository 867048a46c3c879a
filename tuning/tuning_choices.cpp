// Placeholder until the settings issue lands.
#include "tuning/tuning_choices.h"

namespace vl {
int Atoi(const std::string& text) { return std::atoi(text.c_str()); }
}  // namespace vl
