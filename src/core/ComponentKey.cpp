#include "core/ComponentKey.h"

#include <cstdlib>
#include <cxxabi.h>
#include <deque>
#include <memory>
#include <utility>

namespace fb {

namespace {

std::string Demangle(const char* mangled)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> text(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && text ? text.get() : mangled;
    // Strip the namespace, but not inside template arguments.
    std::size_t depth = 0, cut = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '<')
            ++depth;
        else if (name[i] == '>' && depth > 0)
            --depth;
        else if (depth == 0 && name[i] == ':' && i + 1 < name.size() && name[i + 1] == ':')
            cut = i + 2;
    }
    return name.substr(cut);
}

} // namespace

const std::string& UnqualifiedName(const std::type_index& type)
{
    // Few types, asked for all the time (every component lookup compares
    // names): a short list searched by the address of the type's name, then
    // by the type itself. A deque keeps the names in place as it grows.
    static std::deque<std::pair<std::type_index, std::string>> cache;
    for (const auto& [known, name] : cache) {
        if (known.name() == type.name())
            return name;
    }
    for (const auto& [known, name] : cache) {
        if (known == type)
            return name;
    }
    cache.emplace_back(type, Demangle(type.name()));
    return cache.back().second;
}

bool ByUnqualifiedName::operator()(const std::type_index& a, const std::type_index& b) const
{
    if (a == b)
        return false;
    const std::string& nameA = UnqualifiedName(a);
    const std::string& nameB = UnqualifiedName(b);
    if (nameA != nameB)
        return nameA < nameB;
    // Same name in different namespaces: fall back to a stable type order.
    return a < b;
}

} // namespace fb
