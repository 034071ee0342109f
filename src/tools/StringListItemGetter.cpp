#include "tools/StringListItemGetter.h"

#include <string>
#include <vector>

bool StringListItemGetter(void* data, int index, const char** text)
{
    const auto& items = *static_cast<const std::vector<std::string>*>(data);
    *text = items[static_cast<std::size_t>(index)].c_str();
    return true;
}
