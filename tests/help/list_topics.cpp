// Prints the program's help keywords with their pages, one
// "keyword<TAB>page" line each, for the help's checks: they read the
// program's own table instead of a copy of it.
#include <cstdio>

#include "links/help.h"

int main() {
  for (size_t i = 0; i < vl::kHelpTopicCount; ++i)
    std::printf("%s\t%s\n", vl::kHelpTopics[i].keyword, vl::kHelpTopics[i].page);
  return 0;
}
