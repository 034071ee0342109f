#include "core/Game.h"
#include "core/StateManager.h"
#include "render/DebugShapes.h"
#include "render/GLSupport.h"
#include "render/Renderer.h"
#include "render/TextRenderer.h"
#include "support/GLTestWindow.h"
#include "support/StateStandIn.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

// Mesa's version override stands in for a driver that offers less than
// the game needs; it takes effect when the context is made.

class NeverReached : public fb::GS {
public:
    void Init() override { reached = true; }
    void Update() override { StateManager::Quit(); }
    bool reached = false;
};

struct GameRun {
    int result;
    std::string printed;
    std::string errors;
};

GameRun RunTheGame(NeverReached& intro)
{
    StateStandIn introName("IntroState", intro);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int result = RunGame();
    const std::string printed = testing::internal::GetCapturedStdout();
    return {result, printed, testing::internal::GetCapturedStderr()};
}

// The driver offers its own version again once the test is over.
class RendererStartup : public ::testing::Test {
protected:
    void TearDown() override { unsetenv("MESA_GL_VERSION_OVERRIDE"); }
};

TEST_F(RendererStartup, AContextBelowOpenGL33StopsTheGameWithAClearMessage)
{
    setenv("MESA_GL_VERSION_OVERRIDE", "3.0", 1);
    NeverReached intro;
    const GameRun run = RunTheGame(intro);
    EXPECT_NE(run.result, 0);
    EXPECT_FALSE(intro.reached);
    EXPECT_NE(run.printed.find("Renderer: needs OpenGL version 3.3 or better, the context has 3.0"),
              std::string::npos)
        << run.printed;
    EXPECT_NE(run.errors.find("Vendrabolt stopped: Renderer needs OpenGL 3.3 or better"), std::string::npos)
        << run.errors;
}

// A source the compiler rejects, for the reporting paths.
constexpr const char* kBrokenShader = "#version 330 core\nvoid main() { undeclared = 1.0; }\n";

TEST(ShaderReports, AFailedCompileIsPrintedWithTheCompilersLog)
{
    GLTestWindow window(32, 32);
    const GLuint shader = glCreateShader(GL_FRAGMENT_SHADER);
    EXPECT_FALSE(CompileShader(shader, kBrokenShader));
    EXPECT_NE(InfoLog(shader).find("undeclared"), std::string::npos) << InfoLog(shader);

    testing::internal::CaptureStdout();
    EXPECT_FALSE(TextRenderer::CheckCompileErrors(shader, "FRAGMENT"));
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed.rfind("ERROR::SHADER_COMPILATION_ERROR of type: FRAGMENT\n", 0), 0u) << printed;
    EXPECT_NE(printed.find("undeclared"), std::string::npos);
    EXPECT_NE(printed.find("\n -- --------------------------------------------------- -- \n"), std::string::npos);
}

TEST(ShaderReports, AFailedLinkIsPrintedAsALinkingError)
{
    GLTestWindow window(32, 32);
    // A vertex stage alone has no main for the fragment stage to meet; one
    // without main fails to link.
    const GLuint shader = glCreateShader(GL_VERTEX_SHADER);
    ASSERT_TRUE(CompileShader(shader, "#version 330 core\nfloat unused() { return 1.0; }\n"));
    const GLuint program = glCreateProgram();
    glAttachShader(program, shader);
    EXPECT_FALSE(LinkProgram(program));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(TextRenderer::CheckCompileErrors(program, "PROGRAM"));
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed.rfind("ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM\n", 0), 0u) << printed;
}

TEST(ShaderReports, TheShippedShadersCompileOnTheWindowsContext)
{
    GLTestWindow window(32, 32);
    testing::internal::CaptureStdout();
    EXPECT_NO_THROW(Renderer::Initialize());
    EXPECT_NO_THROW(TextRenderer::Initialize());
    EXPECT_NO_THROW(Render::Initialize());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    Render::Shutdown();
    Renderer::Shutdown();
}

} // namespace
