// Which window system the program runs on.
#pragma once

namespace platform {

// On a Wayland session the program runs through XWayland (Qt's xcb
// platform), since only there is a module panel's window handle a window
// that a plug-in library can draw into. Nothing changes when the user chose
// a platform (QT_QPA_PLATFORM) or when there is no X server to reach.
// Call before the application object is made.
void kiesVensterSysteem();

} // namespace platform
