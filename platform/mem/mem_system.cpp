#include "platform/mem/mem_system.h"

#include <cctype>

namespace vl {

int MemMessageBoxes::Show(WindowHandle owner, const std::string& text, const std::string& caption,
                          unsigned style) {
  ShownBox box{owner, text, caption, style};
  shown.push_back(box);
  if (onShow) onShow(box);
  if (!answers.empty()) {
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  return (style & 0xF) == kMbYesNo ? kIdNo : kIdOk;
}

ShellCall& MemShell::Record(const char* kind, WindowHandle owner, const std::string& file,
                           int showCmd) {
  calls.emplace_back();
  ShellCall& c = calls.back();
  c.kind = kind;
  c.owner = owner;
  c.file = file;
  c.showCmd = showCmd;
  return c;
}

intptr_t MemShell::ShellExecuteA(WindowHandle owner, const std::string& operation,
                                const std::string& file, const std::string& parameters,
                                const std::string& directory, int showCmd) {
  ShellCall& c = Record("ShellExecute", owner, file, showCmd);
  c.operation = operation;
  c.parameters = parameters;
  c.directory = directory;
  return shellExecuteResult;
}

unsigned MemShell::WinExec(const std::string& commandLine, int showCmd) {
  Record("WinExec", 0, commandLine, showCmd);
  return winExecResult;
}

bool MemShell::WinHelpA(WindowHandle owner, const std::string& helpFile, unsigned command,
                       const std::string& data) {
  ShellCall& c = Record("WinHelp", owner, helpFile, 0);
  c.command = command;
  c.parameters = data;
  return true;
}

MemFiles::MemFiles() { AddDirectory("C:\\"); AddDirectory(windowsDirectory); }

std::string MemFiles::Lower(const std::string& s) {
  std::string r(s);
  for (auto& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

std::string MemFiles::FullPath(const std::string& path) const {
  std::string p = path;
  for (auto& c : p)
    if (c == '/') c = '\\';
  std::string full;
  if (p.size() >= 2 && p[1] == ':') {
    full = p;
  } else if (!p.empty() && p[0] == '\\') {
    full = cwd_.substr(0, 2) + p;
  } else {
    full = cwd_;
    if (full.empty() || full.back() != '\\') full += '\\';
    full += p;
  }
  // Collapse doubled separators and "." components; drop a trailing separator
  // except after the drive.
  std::string out;
  size_t i = 0;
  std::vector<std::string> parts;
  std::string drive = full.substr(0, 2);
  i = 2;
  while (i <= full.size()) {
    size_t j = full.find('\\', i);
    if (j == std::string::npos) j = full.size();
    std::string part = full.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  out = drive + "\\";
  for (size_t k = 0; k < parts.size(); ++k) out += (k ? "\\" : "") + parts[k];
  return out;
}

std::string MemFiles::Parent(const std::string& full) const {
  size_t slash = full.rfind('\\');
  if (slash == std::string::npos || slash <= 2) return full.substr(0, 3);
  return full.substr(0, slash);
}

MemFiles::Node* MemFiles::Find(const std::string& full) {
  auto it = nodes_.find(Lower(full));
  return it == nodes_.end() ? nullptr : &it->second;
}
const MemFiles::Node* MemFiles::Find(const std::string& full) const {
  auto it = nodes_.find(Lower(full));
  return it == nodes_.end() ? nullptr : &it->second;
}

bool MemFiles::Fail(const std::string& op, const std::string& path) {
  log.push_back(op + " " + path);
  return fault && fault(op, path);
}

uint32_t MemFiles::GetFileAttributesA(const std::string& path) {
  if (Fail("GetAttributes", path)) return kInvalidFileAttributes;
  const Node* n = Find(FullPath(path));
  if (!n) return kInvalidFileAttributes;
  if (n->directory) return kFileAttributeDirectory | n->attributes;
  return n->attributes == 0 ? kFileAttributeNormal : n->attributes;
}

bool MemFiles::SetFileAttributesA(const std::string& path, uint32_t attributes) {
  if (Fail("SetAttributes", path)) return false;
  Node* n = Find(FullPath(path));
  if (!n) return false;
  n->attributes = attributes & ~(kFileAttributeNormal | kFileAttributeDirectory);
  return true;
}

bool MemFiles::SetCurrentDirectoryA(const std::string& path) {
  if (Fail("SetCurrentDirectory", path)) return false;
  if (path.empty()) return false;
  std::string full = FullPath(path);
  const Node* n = Find(full);
  if (!n || !n->directory) return false;
  cwd_ = full;
  return true;
}

bool MemFiles::CreateDirectoryA(const std::string& path) {
  if (Fail("CreateDirectory", path)) return false;
  std::string full = FullPath(path);
  if (Find(full)) return false;
  const Node* parent = Find(Parent(full));
  if (!parent || !parent->directory) return false;
  nodes_[Lower(full)] = Node{full, true, "", 0};
  return true;
}

bool MemFiles::CopyFileA(const std::string& from, const std::string& to, bool failIfExists) {
  if (Fail("CopyFile", from + " -> " + to)) return false;
  const Node* src = Find(FullPath(from));
  if (!src || src->directory) return false;
  std::string dest = FullPath(to);
  const Node* parent = Find(Parent(dest));
  if (!parent || !parent->directory) return false;
  if (Node* d = Find(dest)) {
    if (failIfExists || d->directory) return false;
    if (d->attributes & (kFileAttributeReadOnly | kFileAttributeHidden)) return false;
  }
  nodes_[Lower(dest)] = Node{dest, false, src->content, src->attributes};
  return true;
}

bool MemFiles::DeleteFileA(const std::string& path) {
  if (Fail("DeleteFile", path)) return false;
  std::string full = FullPath(path);
  Node* n = Find(full);
  if (!n || n->directory || (n->attributes & kFileAttributeReadOnly)) return false;
  nodes_.erase(Lower(full));
  return true;
}

bool MemFiles::WriteTextFile(const std::string& path, const std::string& text) {
  if (Fail("WriteTextFile", path)) return false;
  std::string full = FullPath(path);
  const Node* parent = Find(Parent(full));
  if (!parent || !parent->directory) return false;
  if (Node* n = Find(full)) {
    if (n->directory) return false;
    if (n->attributes & (kFileAttributeReadOnly | kFileAttributeHidden | kFileAttributeSystem))
      return false;
    n->content = text;
    return true;
  }
  nodes_[Lower(full)] = Node{full, false, text, kFileAttributeArchive};
  return true;
}

bool MemFiles::ReadFirstLine(const std::string& path, size_t maxBytes, std::string* line) {
  if (Fail("ReadFirstLine", path)) return false;
  const Node* n = Find(FullPath(path));
  if (!n || n->directory) return false;
  std::string content = n->content.substr(0, maxBytes);
  size_t end = content.find('\n');
  std::string first = content.substr(0, end);
  if (!first.empty() && first.back() == '\r') first.pop_back();
  *line = first;
  return true;
}

void MemFiles::AddDirectory(const std::string& path) {
  std::string full = FullPath(path);
  std::string parent = Parent(full);
  if (parent != full && !Find(parent)) AddDirectory(parent);
  if (!Find(full)) nodes_[Lower(full)] = Node{full, true, "", 0};
}

void MemFiles::AddFile(const std::string& path, const std::string& content, uint32_t attributes) {
  std::string full = FullPath(path);
  AddDirectory(Parent(full));
  nodes_[Lower(full)] = Node{full, false, content, attributes};
}

bool MemFiles::Exists(const std::string& path) const { return Find(FullPath(path)) != nullptr; }

bool MemFiles::IsDirectory(const std::string& path) const {
  const Node* n = Find(FullPath(path));
  return n && n->directory;
}

std::string MemFiles::Content(const std::string& path) const {
  const Node* n = Find(FullPath(path));
  return n ? n->content : "<absent>";
}

}  // namespace vl
