// A sound-set file, read and played: every event that it names is raised.
#include "FuzzInput.h"
#include "audio/AudioEngine.h"
#include "audio/SoundSet.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    AudioEngine::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WriteInput(data, size);
    fb::SoundSet set;
    // Sound sets are read from assets/json/.
    set.Parse(InputFrom(2));
    std::vector<std::string> events;
    for (fb::SoundBinding& binding : set.GetBindings()) {
        events.push_back(binding.GetEventStart());
        events.push_back(binding.GetEventEnd());
    }
    for (const std::string& event : events)
        set.OnEvent(event);
    set.UpdateDocument();
    AudioEngine::Update();
    return 0;
}
