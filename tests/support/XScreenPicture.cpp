#include "XScreenPicture.h"

#include "PrivateXServer.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stb/stb_image_write.h>

namespace {

using OpenDisplay = Display* (*)(const char*);
using CloseDisplay = int (*)(Display*);
using GetImage = XImage* (*)(Display*, Drawable, int, int, unsigned, unsigned, unsigned long, int);

struct XCalls {
    OpenDisplay openDisplay = nullptr;
    CloseDisplay closeDisplay = nullptr;
    GetImage getImage = nullptr;
    bool ok() const { return openDisplay && closeDisplay && getImage; }
};

const XCalls& X()
{
    static const XCalls calls = [] {
        XCalls found;
        found.openDisplay = reinterpret_cast<OpenDisplay>(FindXFunction("libX11.so.6", "XOpenDisplay"));
        found.closeDisplay = reinterpret_cast<CloseDisplay>(FindXFunction("libX11.so.6", "XCloseDisplay"));
        found.getImage = reinterpret_cast<GetImage>(FindXFunction("libX11.so.6", "XGetImage"));
        return found;
    }();
    return calls;
}

int Shift(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1u)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

} // namespace

std::array<std::uint8_t, 3> XScreenPicture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {0, 0, 0};
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(x)) * 4;
    return {rgba[at], rgba[at + 1], rgba[at + 2]};
}

bool XScreenPicture::SavePng(const std::filesystem::path& file) const
{
    return !IsEmpty() && stbi_write_png(file.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
}

XScreenPicture CaptureXScreen(const std::string& display)
{
    XScreenPicture picture;
    if (!X().ok())
        return picture;
    Display* connection = X().openDisplay(display.c_str());
    if (!connection)
        return picture;
    Screen* screen = ScreenOfDisplay(connection, DefaultScreen(connection));
    XImage* image = X().getImage(connection, RootWindowOfScreen(screen), 0, 0, static_cast<unsigned>(screen->width),
                                 static_cast<unsigned>(screen->height), AllPlanes, ZPixmap);
    if (image && image->bits_per_pixel == 32) {
        picture.width = image->width;
        picture.height = image->height;
        picture.rgba.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4);
        const int red = Shift(image->red_mask);
        const int green = Shift(image->green_mask);
        const int blue = Shift(image->blue_mask);
        std::uint8_t* out = picture.rgba.data();
        for (int y = 0; y < image->height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(image->data + y * image->bytes_per_line);
            for (int x = 0; x < image->width; ++x) {
                const std::uint32_t value = row[x];
                *out++ = static_cast<std::uint8_t>(value >> red);
                *out++ = static_cast<std::uint8_t>(value >> green);
                *out++ = static_cast<std::uint8_t>(value >> blue);
                *out++ = 255;
            }
        }
    }
    if (image)
        XDestroyImage(image);
    X().closeDisplay(connection);
    return picture;
}
