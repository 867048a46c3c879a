// Placeholder until the tuning engine lands.
#include "tuning/adapters.h"

#include "app/app_state.h"

namespace vl {
void WalkAdapters9x(IRegistry&, AdapterFilter, const AdapterAction&) {}
void WalkAdaptersNt(IRegistry&, AdapterFilter, const AdapterAction&) {}
AdapterCensus TakeAdapterCensus(AppState&) { return {}; }
AdapterFilter FilterForMode(int configMode) {
  return configMode == ModeAutoDialUp || configMode == ModeManualDialUp ? AdapterFilter::DialUp
                                                                        : AdapterFilter::Lan;
}
}  // namespace vl
