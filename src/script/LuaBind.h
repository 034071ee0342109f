#pragma once

#include "script/LuaTypes.h"

#include <cstdint>
#include <lua.hpp>
#include <memory>
#include <new>
#include <type_traits>

// The small layer between the Lua C API and the engine types scripts see.
//
// Every bound value is a full userdata laid out as a Box<T>: a header that
// names the type the value was made as, then a std::shared_ptr<T>. The
// pointer either shares an engine object (entities, components), owns a copy
// made for Lua (vectors, layers, results, colliders made in a script), or
// points without owning anything (the pool colliders, which outlive every
// script). Types are checked from the header, never from the metatable, which
// a script can swap with the debug library. A handle whose pointer is empty
// has been released, and using it is a Lua error; so is using a pool record
// that has gone back to the pool since the handle was made.
//
// Lua errors unwind with longjmp, past C++ destructors: a bound function
// checks all of its arguments before it makes a C++ object of its own, and
// hands its objects to the push functions below, which let go of them before
// they raise an error.
namespace lua {

template <class T>
using Handle = std::shared_ptr<T>;

struct BoxHeader {
    // The type the value was made as: the address of its kLuaName, which is
    // one object in the whole program (the name's own text may not be).
    const char* const* type = nullptr;
    // Lets go of the handle. It is what "__gc" runs, so a value given
    // another type's metatable is still released as what it is.
    void (*release)(void* box) = nullptr;
    // For a pool record: the pool's count of the record's returns, and its
    // value when the handle was made. Null for everything else.
    const std::uint32_t* generationNow = nullptr;
    std::uint32_t generation = 0;
};

template <class T>
struct Box {
    BoxHeader header;
    Handle<T> handle;
};

// Every box has this size; Lua makes no other full userdata in a script.
inline constexpr std::size_t kBoxSize = sizeof(Box<int>);

// What "__gc" does for a T: empty the pointer rather than destroy the box, so
// a value brought back to life by a finalizer reads as released. Entities
// differ (EntityBinding.cpp).
template <class T>
void ReleaseBox(void* box)
{
    static_cast<Box<T>*>(box)->handle.reset();
}
template <>
void ReleaseBox<fb::Entity>(void* box);

// A Lua error while the script's state is being closed: nothing made then
// would ever be released.
void RefuseWhileClosing(lua_State* state);

// Pushes the memory of a new box, with no metatable yet. On failure (out of
// memory, a closing state, a finalizer's error) it pushes the error instead
// and returns false, so that the caller can let go of its C++ objects before
// raising it.
bool PushBoxMemory(lua_State* state);

// Pushes a value of type T around `handle`, or nil for an empty pointer.
template <class T>
void PushHandle(lua_State* state, Handle<T> handle, const std::uint32_t* generationNow = nullptr)
{
    static_assert(std::is_standard_layout_v<Box<T>> && sizeof(Box<T>) == kBoxSize);
    if (!handle) {
        lua_pushnil(state);
        return;
    }
    if (!PushBoxMemory(state)) {
        handle.reset();
        lua_error(state);
    }
    auto* box = new (lua_touserdata(state, -1))
        Box<T>{BoxHeader{&kLuaName<T>, ReleaseBox<T>, generationNow, 0}, std::move(handle)};
    if (generationNow)
        box->header.generation = *generationNow;
    luaL_setmetatable(state, kLuaName<T>);
}

// Pushes a reference sharing `object`, or nil for an empty pointer.
template <class T>
void PushShared(lua_State* state, std::shared_ptr<T> object)
{
    PushHandle(state, std::move(object));
}

// Pushes a copy that belongs to Lua.
template <class T>
void PushCopy(lua_State* state, const T& value)
{
    PushShared(state, std::make_shared<T>(value));
}

// Pushes a reference that neither owns nor keeps `object` alive, for engine
// objects that outlive the script. Nil for null.
template <class T>
void PushUnowned(lua_State* state, T* object)
{
    PushHandle(state, std::shared_ptr<T>(std::shared_ptr<void>(), object));
}

// Pushes an unowned reference to a pooled record that stays usable only
// while the pool's return count `generationNow` keeps its present value.
template <class T>
void PushPooled(lua_State* state, T* object, const std::uint32_t& generationNow)
{
    PushHandle(state, std::shared_ptr<T>(std::shared_ptr<void>(), object), &generationNow);
}

// The header of the bound value at `index`, or null for anything else.
BoxHeader* TestHeader(lua_State* state, int index);
// "Entity" for a bound value, Lua's type name for anything else.
const char* TypeName(lua_State* state, int index);
// Raises "bad argument #index (<expected> expected, got <TypeName>)".
int TypeError(lua_State* state, int index, const char* expected);

template <class T>
bool Is(lua_State* state, int index)
{
    const BoxHeader* header = TestHeader(state, index);
    return header && header->type == &kLuaName<T>;
}

// The handle at `index`, released or not; a Lua error if it is not a T.
template <class T>
Handle<T>& CheckHandle(lua_State* state, int index)
{
    if (!Is<T>(state, index))
        TypeError(state, index, kLuaName<T>);
    return static_cast<Box<T>*>(lua_touserdata(state, index))->handle;
}

// Raises the error for a handle that can no longer be used.
int ReleasedError(lua_State* state, int index);

// The object at `index`; a Lua error if it is not a T, has been released, or
// is a pool record that went back to the pool.
template <class T>
T& Check(lua_State* state, int index)
{
    Handle<T>& handle = CheckHandle<T>(state, index);
    const BoxHeader& header = *TestHeader(state, index);
    if (!handle || (header.generationNow && *header.generationNow != header.generation))
        ReleasedError(state, index);
    return *handle;
}

// As Check, but nil (or nothing) gives null.
template <class T>
T* CheckOptional(lua_State* state, int index)
{
    if (lua_isnoneornil(state, index))
        return nullptr;
    return &Check<T>(state, index);
}

// An integer that fits 32 bits; 2.5, "x" or 2^40 are Lua errors.
std::int32_t CheckInt32(lua_State* state, int index);
float CheckFloat(lua_State* state, int index);

// Property accessors are called with the object at 1 and the member's name
// at 2; setters also get the new value at 3. These give a setter's type
// error as "Transform.scale takes a vec2, not a number".
// Raises the error; it returns only in name.
int SetterTypeError(lua_State* state, const char* expected);
template <class T>
T& CheckSetValue(lua_State* state)
{
    if (!Is<T>(state, 3))
        SetterTypeError(state, kLuaName<T>);
    return Check<T>(state, 3);
}
float CheckSetFloat(lua_State* state);

// What one bound type offers. The lists end with a {nullptr, nullptr} entry
// and may be null. The global table `name` holds "new" when there is a
// constructor.
struct TypeSpec {
    const char* name;
    const luaL_Reg* methods;
    const luaL_Reg* getters;
    const luaL_Reg* setters;
    lua_CFunction constructor;
};

void RegisterType(lua_State* state, const TypeSpec& spec);

// A global table of named integers, such as "Layer".
struct NamedInteger {
    const char* name;
    lua_Integer value;
};
template <std::size_t N>
void RegisterIntegers(lua_State* state, const char* table, const NamedInteger (&values)[N])
{
    lua_createtable(state, 0, static_cast<int>(N));
    for (const NamedInteger& entry : values) {
        lua_pushinteger(state, entry.value);
        lua_setfield(state, -2, entry.name);
    }
    lua_setglobal(state, table);
}

} // namespace lua
