#include "ScriptTest.h"

#include <filesystem>
#include <fstream>

namespace {

class ScriptBehaviorTest : public ScriptTest {};

TEST_F(ScriptBehaviorTest, ArchetypeBehaviourRunsInitOnceUpdateEachFrameAndExitAtTheEnd)
{
    ASSERT_TRUE(EntityManager::LoadJson(kArchetypes + "lifecycle.json"));
    std::shared_ptr<fb::Entity> entity = EntityManager::LoadArchetype("lifecycle");
    ASSERT_NE(entity->GetBehavior(), nullptr);
    ASSERT_TRUE(entity->GetBehavior()->IsEnabled());
    std::shared_ptr<fb::cmp::Transform> transform = entity->GetComponent<fb::cmp::Transform>();
    EntityManager::Add(entity);

    Time::SetDt(0.02f);
    EntityManager::Update();
    Time::SetTimeScale(0.5f);
    EntityManager::Update();
    Time::SetTimeScale(0.0f);
    EntityManager::Update();

    EXPECT_EQ(Lua(entity, "return inits"), "1");
    EXPECT_EQ(Lua(entity, "return updates"), "3");
    EXPECT_EQ(Lua(entity, "return string.format('%.3f %.3f %.3f', times[1], times[2], times[3])"),
              "0.020 0.010 0.000");
    EXPECT_EQ(Lua(entity, "return seen"), "lifecycle#" + std::to_string(entity->GetID()));
    const unsigned int collider = static_cast<unsigned int>(std::stoi(Lua(entity, "return colliderID")));
    EXPECT_TRUE(InUse(collider));

    // Removal destroys the entity; its exit still sees it and frees the collider.
    const int id = entity->GetID();
    std::weak_ptr<fb::Entity> watch = entity;
    EntityManager::Remove(entity);
    entity.reset();
    EntityManager::Update();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(transform->GetLocalPosition(), glm::vec2(9.0f, static_cast<float>(id)));
    EXPECT_FALSE(InUse(collider));
    EXPECT_TRUE(mTraces.empty()) << mTraces.front();
}

TEST_F(ScriptBehaviorTest, EntitiesWithTheSameScriptHaveTheirOwnStates)
{
    auto first = Scripted(kScripts + "counter.lua");
    auto second = Scripted(kScripts + "counter.lua");
    first->Update();
    first->Update();
    second->Update();
    EXPECT_EQ(Lua(first, "return count"), "2");
    EXPECT_EQ(Lua(second, "return count"), "1");
}

TEST_F(ScriptBehaviorTest, TypesAreRegisteredAfterTheTopLevelCodeRuns)
{
    auto early = Scripted(kScripts + "top_level_transform.lua");
    EXPECT_FALSE(early->GetBehavior()->IsEnabled());
    EXPECT_TRUE(Traced("top_level_transform.lua\" failed in its top-level code"));
    EXPECT_TRUE(Traced("attempt to index a nil value (global 'Transform')"));

    auto late = Scripted(kScripts + "init_transform.lua");
    late->Update();
    EXPECT_TRUE(late->GetBehavior()->IsEnabled());
    EXPECT_EQ(Lua(late, "return made.rotation"), "0.0");
}

struct BrokenScript {
    const char* file;
    const char* where;
    const char* message;
};

class BrokenScriptTest : public ScriptTest, public ::testing::WithParamInterface<BrokenScript> {};

// Whatever is wrong, the trace names the file and gives Lua's message, the
// behaviour is switched off, and the entity's components go on.
TEST_P(BrokenScriptTest, IsTracedAndSwitchedOffWhileTheEntityGoesOn)
{
    const BrokenScript& broken = GetParam();
    auto entity = Scripted(kScripts + broken.file);
    for (int frame = 0; frame < 3; ++frame)
        entity->Update();
    std::shared_ptr<fb::cmp::Transform> transform = entity->GetComponent<fb::cmp::Transform>();
    std::weak_ptr<fb::Entity> watch = entity;
    entity.reset();
    EXPECT_TRUE(watch.expired());

    ASSERT_EQ(mTraces.size(), 1u) << (mTraces.empty() ? "" : mTraces.back());
    EXPECT_TRUE(Contains(mTraces[0], std::string("Lua script \"assets/script/") + kScripts + broken.file + "\""));
    EXPECT_TRUE(Contains(mTraces[0], broken.where));
    EXPECT_TRUE(Contains(mTraces[0], broken.message));
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, BrokenScriptTest,
    ::testing::Values(
        BrokenScript{"no_such_script.lua", "could not be loaded", "cannot open"},
        BrokenScript{"syntax_error.lua", "could not be loaded", "syntax_error.lua:2: unexpected symbol near '='"},
        BrokenScript{"init_error.lua", "failed in \"init\"", "init_error.lua:2: the crate has no lid"},
        BrokenScript{"update_error.lua", "failed in \"update\"", "method 'GetTransfrom'"},
        BrokenScript{"exit_error.lua", "failed in \"exit\"", "bad argument #1 to 'SetPosition' (number expected"},
        BrokenScript{"missing_update.lua", "failed in \"update\"", "there is no global function \"update\""},
        BrokenScript{"error_object.lua", "failed in \"init\"", "the error is a table value"},
        BrokenScript{"endless.lua", "failed in \"update\"", "instructions without returning"}),
    [](const ::testing::TestParamInfo<BrokenScript>& info) {
        const std::string file = info.param.file;
        return file.substr(0, file.find('.'));
    });

TEST_F(ScriptBehaviorTest, AFailedScriptIsNeverCalledAgain)
{
    auto entity = Scripted(kScripts + "init_error.lua");
    entity->Update();
    entity->Update();
    EXPECT_FALSE(entity->GetBehavior()->IsEnabled());
    EXPECT_EQ(Lua(entity, "return updated"), "nil");
}

class PrecompiledScriptTest : public ScriptTest {
protected:
    void TearDown() override
    {
        std::filesystem::remove(mFile);
        ScriptTest::TearDown();
    }

    // Writes `bytes` to a scratch file and names it relative to the script folder.
    std::string Write(const std::string& bytes)
    {
        mFile = std::filesystem::temp_directory_path() /
                ("vendrabolt-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".lua");
        std::ofstream(mFile, std::ios::binary) << bytes;
        return std::filesystem::relative(mFile, "assets/script").generic_string();
    }

    std::filesystem::path mFile;
};

int AppendBytes(lua_State*, const void* data, size_t size, void* out)
{
    static_cast<std::string*>(out)->append(static_cast<const char*>(data), size);
    return 0;
}

TEST_F(PrecompiledScriptTest, AChunkCompiledByLuaIsRefused)
{
    lua_State* compiler = luaL_newstate();
    const char* source = "function init(e) end function update(e, dt) end function exit(e) end";
    ASSERT_EQ(luaL_loadstring(compiler, source), LUA_OK);
    std::string chunk;
    lua_dump(compiler, AppendBytes, &chunk, 0);
    lua_close(compiler);

    auto entity = Scripted(Write(chunk));
    entity->Update();
    EXPECT_FALSE(entity->GetBehavior()->IsEnabled());
    EXPECT_TRUE(Traced("could not be loaded"));
    EXPECT_TRUE(Traced("attempt to load a binary chunk (mode is 't')"));
}

TEST_F(PrecompiledScriptTest, CraftedBytesBehindTheChunkSignatureAreRefusedUnread)
{
    auto entity = Scripted(Write(std::string("\x1bLua\x53\x00\xff\xff\xff\xff\x7f\x00\x01", 13)));
    entity->Update();
    EXPECT_FALSE(entity->GetBehavior()->IsEnabled());
    EXPECT_TRUE(Traced("attempt to load a binary chunk"));
}

TEST_F(PrecompiledScriptTest, TheLoadersAScriptCallsTakeTextOnly)
{
    auto entity = Probe();
    const std::string refused = "attempt to load a binary chunk";
    EXPECT_TRUE(Contains(Lua(entity, "return select(2, load(string.dump(function() end)))"), refused));
    EXPECT_TRUE(Contains(Lua(entity, "return select(2, load(string.dump(function() end), 'x', 'b'))"), refused));
    EXPECT_EQ(Lua(entity, "return load('return 1 + 1')()"), "2");
    EXPECT_EQ(Lua(entity, "return load('return answer', 'x', 'bt', { answer = 42 })()"), "42");

    lua_State* state = entity->GetBehavior()->GetState();
    std::string chunk;
    ASSERT_EQ(luaL_loadstring(state, "return 'compiled'"), LUA_OK);
    lua_dump(state, AppendBytes, &chunk, 0);
    lua_pop(state, 1);
    Write(chunk);
    const std::string file = mFile.generic_string();
    EXPECT_TRUE(Contains(Lua(entity, "return select(2, loadfile('" + file + "'))"), refused));
    EXPECT_TRUE(Contains(Lua(entity, "dofile('" + file + "')"), refused));
    const std::string module = mFile.stem().generic_string();
    const std::string folder = mFile.parent_path().generic_string();
    EXPECT_TRUE(Contains(Lua(entity, "package.path = '" + folder + "/?.lua' require('" + module + "')"), refused));

    Write("return 'text'");
    EXPECT_EQ(Lua(entity, "return dofile('" + file + "')"), "text");
    EXPECT_EQ(Lua(entity, "package.path = '" + folder + "/?.lua' return require('" + module + "')"), "text");
    EXPECT_TRUE(Contains(Lua(entity, "require('no_such_module_here')"), "no file"));
}

} // namespace
