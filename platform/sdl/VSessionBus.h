#pragma once

// Call before SDL starts anything. SDL opens the D-Bus session bus (input methods, screen-saver
// inhibition); where none runs, libdbus would "autolaunch" one through the X server: a
// dbus-launch racing the program's own X connection (now and then SDL found no X11 at all and
// drew into a window that exists nowhere) and a dbus-daemon left running after every start.
// Where no session bus is known, none is started: the show needs none.
void KeepSessionBusFromAutolaunching();
