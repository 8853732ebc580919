// The desktop's wish for dark windows. GTK follows its own setting
// (gtk-application-prefer-dark-theme, from settings.ini or the X settings)
// and a dark theme by name itself; GNOME keeps the wish in its colour scheme
// instead, which GTK 3 does not read: it is followed here, also when it changes.
#pragma once

namespace zuno {

void FollowDesktopDarkPreference();

}  // namespace zuno
