#pragma once

class Character;

// The commands that input applies to a player's character once a frame.
// The parameter is the direction code of the stick or keys (Controller.h).
class Action {
public:
    explicit Action(int parameter)
        : mParameter(parameter)
    {
    }
    virtual ~Action() = default;
    virtual void Execute(Character* target) = 0;

    int GetParameter() const { return mParameter; }
    void SetParameter(int parameter) { mParameter = parameter; }

private:
    int mParameter;
};

class Jump : public Action {
public:
    using Action::Action;
    void Execute(Character* target) override;
};

class Move : public Action {
public:
    using Action::Action;
    void Execute(Character* target) override;
};

// The punch.
class BasicAttack : public Action {
public:
    using Action::Action;
    void Execute(Character* target) override;
};

// Bound to nothing that does anything yet.
class SpecialAttack : public Action {
public:
    using Action::Action;
    void Execute(Character*) override {}
};

class Block : public Action {
public:
    Block()
        : Action(0)
    {
    }
    void Execute(Character*) override {}
};

// The jump button went up (or is up, on the keyboard): an air jump may come
// next if the double jump is still there, and jumping is no longer held.
void ReleaseJump(Character* character);
