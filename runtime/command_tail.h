// What WinMain receives as its command line: the process's command line
// without the program's name and the blanks after it.
#pragma once

namespace vl {

const char* CommandTail(const char* commandLine);

}  // namespace vl
