// std::string's members compiled here, with the program's flags: the copies
// in Debian's libstdc++ are built for the Pentium Pro (CMOV), and the
// library's header only declares them (extern template) up to C++17.
#include <string>

template class std::basic_string<char>;
