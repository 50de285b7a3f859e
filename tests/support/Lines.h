#pragma once
// The items of a string list as a vector, so a whole list is checked in one
// comparison.

#include <string>
#include <vector>

#include "classlib/StringList.h"

namespace cltest {

using Lines = std::vector<std::string>;

inline Lines LinesOf(const cl::TStrings& list) {
    Lines out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Get(i));
    return out;
}

}  // namespace cltest
