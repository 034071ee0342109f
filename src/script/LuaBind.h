#pragma once

#include "script/LuaTypes.h"

#include <cstdint>
#include <lua.hpp>
#include <memory>
#include <new>

// The small layer between the Lua C API and the engine types scripts see.
//
// Every bound value is a full userdata holding a std::shared_ptr<T> under the
// metatable named kLuaName<T>. The pointer either shares an engine object
// (entities, components), owns a copy made for Lua (vectors, layers, results,
// colliders made in a script), or points without owning anything (the pool
// colliders, which outlive every script). A handle whose pointer is empty has
// been released, and using it is a Lua error.
//
// Lua errors unwind with longjmp, past C++ destructors: a bound function
// checks all of its arguments before it makes a C++ object of its own.
namespace lua {

template <class T>
using Handle = std::shared_ptr<T>;

// Pushes a reference sharing `object`, or nil for an empty pointer.
template <class T>
void PushShared(lua_State* state, std::shared_ptr<T> object)
{
    if (!object) {
        lua_pushnil(state);
        return;
    }
    void* memory = lua_newuserdata(state, sizeof(Handle<T>));
    new (memory) Handle<T>(std::move(object));
    luaL_setmetatable(state, kLuaName<T>);
}

// Pushes a copy that belongs to Lua.
template <class T>
void PushCopy(lua_State* state, const T& value)
{
    PushShared(state, std::make_shared<T>(value));
}

// Pushes a reference that neither owns nor keeps `object` alive, for engine
// objects that live for the whole run. Nil for null.
template <class T>
void PushUnowned(lua_State* state, T* object)
{
    PushShared(state, std::shared_ptr<T>(std::shared_ptr<void>(), object));
}

// The handle at `index`, released or not; a Lua error if it is not a T.
template <class T>
Handle<T>& CheckHandle(lua_State* state, int index)
{
    return *static_cast<Handle<T>*>(luaL_checkudata(state, index, kLuaName<T>));
}

// The object at `index`; a Lua error if it is not a T or has been released.
template <class T>
T& Check(lua_State* state, int index)
{
    Handle<T>& handle = CheckHandle<T>(state, index);
    if (!handle)
        luaL_argerror(state, index, lua_pushfstring(state, "this %s has been released", kLuaName<T>));
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
    if (!luaL_testudata(state, 3, kLuaName<T>))
        SetterTypeError(state, kLuaName<T>);
    return Check<T>(state, 3);
}
float CheckSetFloat(lua_State* state);

// The __gc of a handle: it empties the pointer rather than destroying it, so
// an object brought back to life by a finalizer reads as released. An empty
// shared_ptr holds nothing, so nothing leaks.
template <class T>
int ReleaseHandle(lua_State* state)
{
    CheckHandle<T>(state, 1).reset();
    return 0;
}

// What one bound type offers. The lists end with a {nullptr, nullptr} entry
// and may be null. The global table `name` holds "new" when there is a
// constructor.
struct TypeSpec {
    const char* name;
    const luaL_Reg* methods;
    const luaL_Reg* getters;
    const luaL_Reg* setters;
    lua_CFunction constructor;
    lua_CFunction collect;
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
