#include "tools/Editor.h"

std::shared_ptr<fb::edt::Editor> gEditor = std::make_shared<fb::edt::Editor>();

namespace fb::edt {

void Editor::OnNotify(const evt::EntityEvent&) {}

void Editor::Update() {}

} // namespace fb::edt
