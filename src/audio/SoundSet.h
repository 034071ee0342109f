#pragma once

#include "audio/SoundBinding.h"

#include <array>
#include <cstdint>
#include <rapidjson/document.h>
#include <string>
#include <vector>

namespace fb {

enum class SoundSetType : std::uint32_t {
    ErrorNoType, // the file could not be read
    CharacterSet,
    GeneralSet,
    ErrorMax,
};

// The bindings of one sound-set file, "assets/json/<file>": a root object
// with "name", "type" ("CharacterSet" or another string) and "events", an
// array of {"name", "eventStart", "eventEnd", "file", "loop", "volume"}.
// The document read is kept, so that saving writes back every key it held.
class SoundSet {
public:
    SoundSet();
    SoundSet(SoundSet&&) noexcept = default;
    SoundSet& operator=(SoundSet&&) noexcept = default;

    // Fills this set from "assets/json/" + file. A file that cannot be read
    // or is not a JSON object is traced and leaves a set named "ERROR" of
    // type ErrorNoType without bindings. A member that is missing or of the
    // wrong type is traced and reads as "", false or 0; every element of
    // "events" still makes a binding.
    void Parse(const std::string& file);

    // Plays and pauses the bindings that name the event, in file order.
    void OnEvent(const std::string& eventName);

    // The first binding of that name, or null.
    SoundBinding* FindBinding(const std::string& bindingName);
    // Appends the bindings' names in order.
    void GetBindingNames(std::vector<std::string>& names) const;

    // Copies the bindings back into the kept document, element by element.
    void UpdateDocument();
    // UpdateDocument, then writes the document to "assets/json/" + name +
    // ".json" with a four-space indent. Refused, with a trace, for a set that
    // was not read, a document without an "events" array, a name that is
    // not a plain file name, or a number that is not finite. The file is
    // written whole or not at all; false when nothing was written.
    bool Save();

    const std::string& GetName() const { return mName; }
    SoundSetType GetType() const { return mType; }
    const std::string& GetTypeName() const;
    std::vector<SoundBinding>& GetBindings() { return mBindings; }

private:
    void SetUnread();

    std::string mName;
    std::vector<SoundBinding> mBindings;
    SoundSetType mType = SoundSetType::ErrorNoType;
    std::array<std::string, 4> mTypeNames;
    rapidjson::Document mDocument;
};

} // namespace fb
