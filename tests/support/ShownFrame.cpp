#include "support/ShownFrame.h"

#include <GL/glew.h>

std::vector<GLTestWindow::Pixel> ReadShownFrame(int width, int height)
{
    std::vector<GLTestWindow::Pixel> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glReadBuffer(GL_BACK);
    return pixels;
}
