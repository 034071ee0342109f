#pragma once

#include "audio/GameEvent.h"
#include "core/EventChannels.h"

#include <memory>
#include <string>
#include <vector>

// Listens on the game event channel and keeps the names it hears.
class GameEventLog : public fb::evt::SubjectObserver<fb::evt::GameEvent> {
public:
    static std::shared_ptr<GameEventLog> Attach()
    {
        auto log = std::make_shared<GameEventLog>();
        fb::evt::GameEventSubject::Get()->Attach(log);
        return log;
    }

    void OnNotify(const fb::evt::GameEvent& event) override { names.push_back(event.GetName()); }

    int Count(const std::string& name) const
    {
        int count = 0;
        for (const std::string& heard : names)
            count += heard == name;
        return count;
    }

    std::vector<std::string> names;
};
