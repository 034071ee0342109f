#pragma once

#include "audio/CharacterEvent.h"
#include "audio/GameEvent.h"
#include "core/EntityEvent.h"
#include "core/Subject.h"

namespace fb::evt {

// The three program-wide channels, each made on its first Get.
class EntitySubject : public Subject<SubjectObserver<EntityEvent>, EntityEvent> {
public:
    static EntitySubject* Get();
};

class CharacterEventSubject : public Subject<SubjectObserver<CharacterEvent>, CharacterEvent> {
public:
    static CharacterEventSubject* Get();
};

class GameEventSubject : public Subject<SubjectObserver<GameEvent>, GameEvent> {
public:
    static GameEventSubject* Get();
};

// Destroys the character channel, then the entity channel; a later Get makes
// a fresh, empty channel. The game channel lives until the process ends.
void ReleaseSingletons();

} // namespace fb::evt
