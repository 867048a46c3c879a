// A change of the TCP/IP values that can be seen to and undone: the writer or
// restore first runs with every write and delete held back; what it would
// change is then recorded as it stands, and only once that record is kept
// are the writes and deletes made, in the writer's order. Afterwards every
// value is read back and compared with what the writer meant.
#pragma once
#include <functional>

#include "platform/registry.h"
#include "tuning/change_record.h"
#include "tuning/write_report.h"

namespace vl {
struct AppState;

using ChangeWork = std::function<WriteReport(IRegistry& reg)>;

// Runs `work` as a recorded change of the kind and mode `record` names; the
// values and the time are filled in here. The report tells, beside what the
// work met: `tcpipMissing` (nothing was changed), `notRecorded` (the record
// could not be kept: nothing was changed), and as `failed` any value that
// did not read back as written.
WriteReport RunRecordedChange(AppState& app, ChangeRecord record, const ChangeWork& work);

}  // namespace vl
