#include "audio/SoundSet.h"

#include "core/JsonFile.h"
#include "core/JsonMembers.h"
#include "core/JsonWriting.h"
#include "core/PlainFileName.h"
#include "core/Trace.h"

#include <cfloat>
#include <cmath>
#include <map>
#include <set>
#include <string_view>
#include <utility>

namespace fb {
namespace {

const std::string kFolder = "assets/json/";
// No set needs more, and one event never starts more sounds than the mixer has channels.
constexpr rapidjson::SizeType kMaxBindings = 256;
constexpr int kMaxBindingsOfAnEvent = 64;

// Reads the members of one object of a sound-set file. A member that is
// missing or has the wrong type is traced with the file and reads as empty.
class MemberReader {
public:
    MemberReader(const rapidjson::Value& object, std::string where)
        : mObject(object)
        , mWhere(std::move(where))
    {
    }

    std::string String(const char* key) const { return ReadJsonString(mObject, key, Complaint()); }

    // Only the JSON value true is true.
    bool Bool(const char* key) const { return ReadJsonBool(mObject, key, Complaint()); }

    float Number(const char* key) const { return static_cast<float>(ReadJsonNumber(mObject, key, Complaint())); }

private:
    JsonMemberComplaint Complaint() const
    {
        return [this](const char* key, const char* expected, const char* read) {
            Trace("-Sound Binder- " + mWhere + ": \"" + key + "\" is missing or not " + expected + ", read as " + read,
                  3);
        };
    }

    const rapidjson::Value& mObject;
    std::string mWhere;
};

// Why an element of "events" makes no binding, or "" when it makes one. The
// four strings and a volume that a float holds are required; "loop" is read
// leniently (only true is true).
std::string ElementFault(const rapidjson::Value& element)
{
    if (!element.IsObject())
        return "not an object";
    for (const char* key : {"name", "eventStart", "eventEnd", "file"}) {
        const rapidjson::Value* value = FindJsonMember(element, key);
        if (!value || !value->IsString())
            return std::string("\"") + key + "\" is missing or not a string";
    }
    const rapidjson::Value* volume = FindJsonMember(element, "volume");
    if (!volume || !volume->IsNumber() || !(std::fabs(volume->GetDouble()) <= FLT_MAX))
        return "\"volume\" is missing or not a number that a float holds";
    return {};
}

// The first event name that more bindings name than any event may, or "".
std::string OverboundEvent(const std::vector<SoundBinding>& bindings)
{
    std::map<std::string, int> users;
    for (const SoundBinding& binding : bindings) {
        std::set<std::string> names = {binding.GetEventStart(), binding.GetEventEnd()};
        names.erase("");
        for (const std::string& name : names) {
            if (++users[name] > kMaxBindingsOfAnEvent)
                return name;
        }
    }
    return {};
}

rapidjson::Value Text(const std::string& text, rapidjson::Document::AllocatorType& allocator)
{
    return rapidjson::Value(text.c_str(), static_cast<rapidjson::SizeType>(text.size()), allocator);
}

// Overwrites a string member the element already has, when the binding
// holds another string; adds none.
void UpdateString(rapidjson::Value& element, const char* key, const std::string& text,
                  rapidjson::Document::AllocatorType& allocator)
{
    auto member = element.FindMember(key);
    if (member != element.MemberEnd() &&
        !(member->value.IsString() && text == std::string_view(member->value.GetString(), member->value.GetStringLength())))
        member->value = Text(text, allocator);
}

} // namespace

SoundSet::SoundSet()
    : mTypeNames{"ERROR_NO_TYPE", "CharacterSet", "GeneralSet", "ERROR_MAX"}
{
}

void SoundSet::SetUnread()
{
    mName = "ERROR";
    mType = SoundSetType::ErrorNoType;
    mBindings.clear();
    mElements.clear();
}

void SoundSet::Parse(const std::string& file)
{
    const std::string path = kFolder + file;
    std::string error;
    const JsonFileStatus status = ReadJsonFile(path, mDocument, error);
    if (status == JsonFileStatus::Missing)
        Trace("-Sound Binder- Failed to load file: " + path, 4);
    if (status != JsonFileStatus::Read) {
        Trace("-Sound Binder- Failed to parse json: " + error, 4);
        SetUnread();
        return;
    }
    if (!mDocument.IsObject()) {
        Trace("-Sound Binder- Failed to parse json: " + path + ": the root is not an object", 4);
        SetUnread();
        return;
    }

    mBindings.clear();
    mElements.clear();
    auto events = mDocument.FindMember("events");
    if (events == mDocument.MemberEnd() || !events->value.IsArray()) {
        Trace("-Sound Binder- " + path + ": \"events\" is missing or not an array; no sounds are bound", 3);
    } else if (!ReadBindings(events->value, path)) {
        SetUnread();
        return;
    }

    const MemberReader root(mDocument, path);
    mName = root.String("name");
    mType = root.String("type") == "CharacterSet" ? SoundSetType::CharacterSet : SoundSetType::GeneralSet;
}

bool SoundSet::ReadBindings(const rapidjson::Value& events, const std::string& path)
{
    if (events.Size() > kMaxBindings) {
        Trace("-Sound Binder- " + path + ": " + std::to_string(events.Size()) + " elements in \"events\", more than the " +
                  std::to_string(kMaxBindings) + " a set may hold; the set is not read",
              4);
        return false;
    }
    mBindings.reserve(events.Size());
    for (rapidjson::SizeType i = 0; i < events.Size(); ++i) {
        const std::string where = path + " event " + std::to_string(i);
        if (const std::string fault = ElementFault(events[i]); !fault.empty()) {
            Trace("-Sound Binder- " + where + ": " + fault + "; the element is skipped", 4);
            continue;
        }
        const MemberReader entry(events[i], where);
        mBindings.emplace_back(entry.String("name"), entry.String("file"), entry.String("eventStart"),
                               entry.String("eventEnd"), entry.Bool("loop"), entry.Number("volume"));
        mElements.push_back(i);
    }
    if (const std::string event = OverboundEvent(mBindings); !event.empty()) {
        Trace("-Sound Binder- " + path + ": more than " + std::to_string(kMaxBindingsOfAnEvent) +
                  " bindings name the event \"" + event + "\"; the set is not read",
              4);
        return false;
    }
    return true;
}

void SoundSet::OnEvent(const std::string& eventName)
{
    for (SoundBinding& binding : mBindings)
        binding.OnEvent(eventName);
}

SoundBinding* SoundSet::FindBinding(const std::string& bindingName)
{
    for (SoundBinding& binding : mBindings) {
        if (binding.GetName() == bindingName)
            return &binding;
    }
    return nullptr;
}

void SoundSet::GetBindingNames(std::vector<std::string>& names) const
{
    for (const SoundBinding& binding : mBindings)
        names.push_back(binding.GetName());
}

const std::string& SoundSet::GetTypeName() const
{
    return mTypeNames[static_cast<std::size_t>(mType)];
}

void SoundSet::UpdateDocument()
{
    if (!mDocument.IsObject())
        return;
    auto events = mDocument.FindMember("events");
    if (events == mDocument.MemberEnd() || !events->value.IsArray())
        return;
    rapidjson::Value& list = events->value;
    auto& allocator = mDocument.GetAllocator();
    for (std::size_t i = 0; i < mBindings.size() && i < mElements.size(); ++i) {
        if (mElements[i] >= list.Size() || !list[mElements[i]].IsObject())
            continue;
        rapidjson::Value& element = list[mElements[i]];
        const SoundBinding& binding = mBindings[i];
        UpdateString(element, "name", binding.GetName(), allocator);
        UpdateString(element, "eventStart", binding.GetEventStart(), allocator);
        UpdateString(element, "eventEnd", binding.GetEventEnd(), allocator);
        UpdateString(element, "file", binding.GetFile(), allocator);
        // A "loop" that is not true was read as false, and stays as written until the loop is switched on.
        if (auto loop = element.FindMember("loop"); loop != element.MemberEnd() && loop->value.IsTrue() != binding.GetLoop())
            loop->value.SetBool(binding.GetLoop());
        if (auto volume = element.FindMember("volume"); volume != element.MemberEnd())
            SetJsonFloat(volume->value, binding.GetVolume());
    }
}

bool SoundSet::Save()
{
    if (mType == SoundSetType::ErrorNoType) {
        Trace("-Sound Binder- The set \"" + mName + "\" was not read from a file and is not saved", 4);
        return false;
    }
    if (!mDocument.IsObject() || !mDocument.HasMember("events") || !mDocument["events"].IsArray()) {
        Trace("-Sound Binder- The set \"" + mName + "\" has no \"events\" array to write and is not saved", 4);
        return false;
    }
    if (!IsPlainFileName(mName)) {
        Trace("-Sound Binder- The set name \"" + mName + "\" is not a plain file name; the set is not saved", 4);
        return false;
    }
    UpdateDocument();
    std::string error;
    if (!SaveJsonFile(kFolder + mName + ".json", mDocument, JsonLayout::Indented, error)) {
        Trace("Sound Binder: FAILED TO WRITE FILE: " + error, 4);
        return false;
    }
    return true;
}

} // namespace fb
