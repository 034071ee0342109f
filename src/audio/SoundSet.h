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

    // Fills this set from "assets/json/" + file. A file that cannot be read,
    // is not a JSON object, has more than 256 elements in "events" or more
    // than 64 bindings naming one event is traced and leaves a set named
    // "ERROR" of type ErrorNoType without bindings. An element that is not an
    // object with the strings "name", "eventStart", "eventEnd" and "file" and
    // a "volume" that a float holds is traced and skipped; a "loop" or root
    // member that is missing or of the wrong type is traced and reads as
    // false or "".
    void Parse(const std::string& file);

    // Plays and pauses the bindings that name the event, in file order.
    void OnEvent(const std::string& eventName);

    // The first binding of that name, or null.
    SoundBinding* FindBinding(const std::string& bindingName);
    // Appends the bindings' names in order.
    void GetBindingNames(std::vector<std::string>& names) const;

    // Copies each binding back into the element of the kept document it was
    // read from. Only a member that reads as something else than the binding
    // holds is rewritten (a float in its shortest form), so that what nobody
    // changed, a "loop" of the wrong type too, stays as the file had it.
    void UpdateDocument();
    // UpdateDocument, then writes the document to "assets/json/" + name +
    // ".json" with a four-space indent. Refused, with a trace, for a set that
    // was not read, a document without an "events" array, a name that is
    // not a plain file name, or a number that is not finite. The file is
    // written whole or not at all (SaveTextFile); false when nothing was
    // written, traced "Sound Binder: FAILED TO WRITE FILE: " and why when
    // the writing failed.
    bool Save();

    const std::string& GetName() const { return mName; }
    SoundSetType GetType() const { return mType; }
    const std::string& GetTypeName() const;
    std::vector<SoundBinding>& GetBindings() { return mBindings; }

private:
    void SetUnread();
    // Reads the bindings of the "events" array; false, traced, when it holds
    // more than a set may.
    bool ReadBindings(const rapidjson::Value& events, const std::string& path);

    std::string mName;
    std::vector<SoundBinding> mBindings;
    // The index in "events" of the element each binding was read from.
    std::vector<rapidjson::SizeType> mElements;
    SoundSetType mType = SoundSetType::ErrorNoType;
    std::array<std::string, 4> mTypeNames;
    rapidjson::Document mDocument;
};

} // namespace fb
