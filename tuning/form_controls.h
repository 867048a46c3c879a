// What the tuning engine and the Apply command need of the form: the check
// state and text of its controls at write time, and the mode radios.
#pragma once
#include <string>

namespace vl {

class IFormControls {
 public:
  virtual ~IFormControls() = default;
  virtual bool IsChecked(int controlId) const = 0;      // BM_GETCHECK == BST_CHECKED
  virtual std::string GetText(int controlId) const = 0;  // GetDlgItemText
  virtual void SetCheck(int controlId, bool checked) = 0;  // BM_SETCHECK
};

}  // namespace vl
