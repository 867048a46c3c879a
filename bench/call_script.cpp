#include "bench/call_script.h"

namespace bench {

ScriptedCall& RecordingRegistry::Add(CallOp op, vl::RegKey key) {
  ScriptedCall call;
  call.op = op;
  auto it = slotOf_.find(key);
  if (it != slotOf_.end())
    call.key = it->second;
  else
    call.root = key;  // a predefined key, or a handle that never came from us
  script_.calls.push_back(call);
  return script_.calls.back();
}

void RecordingRegistry::Opened(ScriptedCall& call, long status, vl::RegKey handle) {
  call.status = status;
  call.result = script_.slots++;
  if (status == vl::kErrorSuccess) slotOf_[handle] = call.result;
}

long RecordingRegistry::OpenKey(vl::RegKey root, const std::string& subkey, uint32_t access,
                                vl::RegKey* result) {
  ScriptedCall& call = Add(CallOp::Open, root);
  call.text = subkey;
  call.access = access;
  vl::RegKey handle = 0;
  long status = inner_.OpenKey(root, subkey, access, &handle);
  if (status == vl::kErrorSuccess) *result = handle;
  Opened(call, status, handle);
  return status;
}

long RecordingRegistry::CreateKey(vl::RegKey root, const std::string& subkey, uint32_t options,
                                  uint32_t access, vl::RegKey* result) {
  ScriptedCall& call = Add(CallOp::Create, root);
  call.text = subkey;
  call.options = options;
  call.access = access;
  vl::RegKey handle = 0;
  long status = inner_.CreateKey(root, subkey, options, access, &handle);
  if (status == vl::kErrorSuccess) *result = handle;
  Opened(call, status, handle);
  return status;
}

long RecordingRegistry::QueryValue(vl::RegKey key, const std::string& name, uint32_t* type,
                                   uint8_t* data, uint32_t* size) {
  ScriptedCall& call = Add(CallOp::Query, key);
  call.text = name;
  call.size = size ? *size : 0;
  call.withData = data != nullptr;
  call.status = inner_.QueryValue(key, name, type, data, size);
  return call.status;
}

long RecordingRegistry::SetValue(vl::RegKey key, const std::string& name, uint32_t type,
                                 const uint8_t* data, uint32_t size) {
  ScriptedCall& call = Add(CallOp::Set, key);
  call.text = name;
  call.type = type;
  if (data && size) call.data.assign(data, data + size);
  call.status = inner_.SetValue(key, name, type, data, size);
  return call.status;
}

long RecordingRegistry::DeleteValue(vl::RegKey key, const std::string& name) {
  ScriptedCall& call = Add(CallOp::Delete, key);
  call.text = name;
  call.status = inner_.DeleteValue(key, name);
  return call.status;
}

long RecordingRegistry::CloseKey(vl::RegKey key) {
  ScriptedCall& call = Add(CallOp::Close, key);
  call.status = inner_.CloseKey(key);
  slotOf_.erase(key);
  return call.status;
}

}  // namespace bench
