#include "XWindowClose.h"

#include "PrivateXServer.h"

#include <X11/Xlib.h>

namespace {

using OpenDisplay = Display* (*)(const char*);
using CloseDisplay = int (*)(Display*);
using InternAtom = Atom (*)(Display*, const char*, Bool);
using SendEvent = Status (*)(Display*, Window, Bool, long, XEvent*);
using Sync = int (*)(Display*, Bool);

struct XCalls {
    OpenDisplay openDisplay = nullptr;
    CloseDisplay closeDisplay = nullptr;
    InternAtom internAtom = nullptr;
    SendEvent sendEvent = nullptr;
    Sync sync = nullptr;
    bool ok() const { return openDisplay && closeDisplay && internAtom && sendEvent && sync; }
};

const XCalls& X()
{
    static const XCalls calls{
        reinterpret_cast<OpenDisplay>(FindXFunction("libX11.so.6", "XOpenDisplay")),
        reinterpret_cast<CloseDisplay>(FindXFunction("libX11.so.6", "XCloseDisplay")),
        reinterpret_cast<InternAtom>(FindXFunction("libX11.so.6", "XInternAtom")),
        reinterpret_cast<SendEvent>(FindXFunction("libX11.so.6", "XSendEvent")),
        reinterpret_cast<Sync>(FindXFunction("libX11.so.6", "XSync")),
    };
    return calls;
}

} // namespace

bool AskXWindowToClose(const std::string& display, unsigned long window)
{
    if (!X().ok())
        return false;
    Display* connection = X().openDisplay(display.c_str());
    if (!connection)
        return false;
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = X().internAtom(connection, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(X().internAtom(connection, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    const Status sent = X().sendEvent(connection, window, False, NoEventMask, &message);
    X().sync(connection, False);
    X().closeDisplay(connection);
    return sent != 0;
}
