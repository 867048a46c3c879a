// Current Settings: one row per value the program writes on this Windows
// family, for the adapters of both kinds and the global keys, with what the
// registry holds now and what the form's current choice would write there.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vl {
struct AppState;

struct SettingRow {
  std::string setting;     // "MTU (MaxMTU)"
  std::string where;       // the adapter's description, or "All adapters"
  std::string now;         // as the registry holds it, or "(not set)"
  std::string wouldWrite;  // what the current choice writes there; empty for none
  std::string note;        // why Windows does not use it, or empty

  bool operator==(const SettingRow& o) const {
    return setting == o.setting && where == o.where && now == o.now &&
           wouldWrite == o.wouldWrite && note == o.note;
  }
};

struct SettingsTable {
  std::vector<std::string> columns;  // the note column only when a row has a note
  std::vector<SettingRow> rows;
};

extern const char kAllAdapters[];  // "All adapters"
extern const char kNotSet[];       // "(not set)"
extern const char kNotUsedSinceVista[];

// Reads the table; nothing is written, and every key is opened for reading.
SettingsTable ReadCurrentSettings(AppState& app);

// A value as the list shows it: a text up to its end, a REG_DWORD as a
// decimal number, anything else as its type and bytes.
std::string RegistryValueText(uint32_t type, const std::vector<uint8_t>& data);

// The table as text for the clipboard: a line of column names, then a line
// per row, cells separated by tabs, every line ended by CR LF.
std::string SettingsTableText(const SettingsTable& table);
// A row's cells in the order of the table's columns.
std::vector<std::string> RowCells(const SettingsTable& table, const SettingRow& row);

}  // namespace vl
