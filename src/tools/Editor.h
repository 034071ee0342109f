#pragma once

#include "core/EntityEvent.h"
#include "core/Subject.h"

#include <memory>

namespace fb::edt {

// The in-game developer editor; it hears of every entity added to the game.
class Editor : public evt::SubjectObserver<evt::EntityEvent> {
public:
    void OnNotify(const evt::EntityEvent& event) override;
    void Update();
};

} // namespace fb::edt

extern std::shared_ptr<fb::edt::Editor> gEditor;
