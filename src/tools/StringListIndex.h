#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Whether index picks an entry of the list.
inline bool IsInside(int index, const std::vector<std::string>& list)
{
    return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

// A selection that a refreshed list no longer holds is dropped (-1).
inline void KeepIndexInside(int& index, const std::vector<std::string>& list)
{
    if (!IsInside(index, list))
        index = -1;
}
