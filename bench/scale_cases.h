// The registry work measured at scale: the writers and the restores of both
// Windows families on machines of many adapters, and the machines themselves,
// written through the registry interface so that the same seeding serves the
// in-memory registry and a real one.
#pragma once
#include <string>
#include <vector>

#include "state/app_state.h"
#include "platform/registry.h"
#include "tuning/write_report.h"

namespace bench {

enum class Operation { Apply9x, ApplyNt, Restore9x, RestoreNt };

const std::vector<Operation>& AllOperations();
const char* Name(Operation op);
bool IsNtFamily(Operation op);

// The walks visit indices 0..99, so a machine holds at most 100 adapters.
constexpr int kMaxAdapters = 100;

// Adds `adapters` LAN adapters at indices 0.. and the global TCP/IP keys.
// On Wine the NT cards must be volatile keys.
void SeedMachine9x(vl::IRegistry& reg, int adapters);
void SeedMachineNt(vl::IRegistry& reg, int adapters, bool volatileCards);
void SeedMachine(vl::IRegistry& reg, Operation op, int adapters, bool volatileCards);

// Every key path the seeding may have made, deepest first, for a caller that
// can delete keys (the in-memory registry starts empty anyway).
std::vector<std::string> MachineKeys(Operation op);

// An application state ready for the operation: OS name, automatic LAN mode
// and its values, product name.
void PrepareApp(vl::AppState& app, Operation op);
vl::WriteReport Run(vl::AppState& app, Operation op);
// The same operation as the main window makes it: recorded in the change
// history first and read back after (an Apply or a restore of the menu).
vl::WriteReport RunRecorded(vl::AppState& app, Operation op);

// The four-digit index text of the 9x family.
std::string FourDigits(int index);

}  // namespace bench
