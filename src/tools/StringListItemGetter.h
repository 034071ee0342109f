#pragma once

// The item callback of the developer windows' list boxes: data is a
// std::vector<std::string>, and the list box asks only for indices below the
// count it was given.
bool StringListItemGetter(void* data, int index, const char** text);
