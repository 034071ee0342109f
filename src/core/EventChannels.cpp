#include "core/EventChannels.h"

namespace fb::evt {

namespace {

EntitySubject* gEntitySubject = nullptr;
CharacterEventSubject* gCharacterSubject = nullptr;
GameEventSubject* gGameSubject = nullptr;

} // namespace

EntitySubject* EntitySubject::Get()
{
    if (!gEntitySubject)
        gEntitySubject = new EntitySubject();
    return gEntitySubject;
}

CharacterEventSubject* CharacterEventSubject::Get()
{
    if (!gCharacterSubject)
        gCharacterSubject = new CharacterEventSubject();
    return gCharacterSubject;
}

GameEventSubject* GameEventSubject::Get()
{
    if (!gGameSubject)
        gGameSubject = new GameEventSubject();
    return gGameSubject;
}

void ReleaseSingletons()
{
    delete gCharacterSubject;
    gCharacterSubject = nullptr;
    delete gEntitySubject;
    gEntitySubject = nullptr;
}

} // namespace fb::evt
