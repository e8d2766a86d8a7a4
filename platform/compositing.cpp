#include "compositing.h"

#include <QByteArray>
#include <QGuiApplication>
#include <xcb/xcb.h>

namespace {

// The screen of the X display the program was given (":0.1" is screen 1): the one its windows open on.
int displayScreen()
{
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype colon = display.lastIndexOf(':'), dot = display.lastIndexOf('.');
    bool read = false;
    const int screen = dot > colon ? display.mid(dot + 1).toInt(&read) : 0;
    return read ? screen : 0;
}

bool x11ComposesWindows()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(displayScreen());
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, true, uint16_t(name.size()), name.constData()), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t selection = atom->atom;
    free(atom);
    if (selection == XCB_ATOM_NONE)
        return false; // nobody ever asked for the name: no compositing manager has run
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool composes = owner && owner->owner != XCB_WINDOW_NONE;
    free(owner);
    return composes;
}

} // namespace

bool desktopComposesWindows()
{
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland")))
        return true;
    if (platform == QLatin1String("xcb"))
        return x11ComposesWindows();
    return false;
}
