#include "support/SavePng.h"

#include <algorithm>
#include <stb/stb_image_write.h>

bool SavePng(const std::filesystem::path& file, const std::vector<GLTestWindow::Pixel>& bottomUp, int width,
             int height)
{
    std::vector<GLTestWindow::Pixel> topDown(bottomUp.size());
    for (int row = 0; row < height; ++row) {
        std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(row) * width, width,
                    topDown.begin() + static_cast<std::ptrdiff_t>(height - 1 - row) * width);
    }
    return stbi_write_png(file.c_str(), width, height, 4, topDown.data(), width * 4) != 0;
}
