#pragma once

// Call before SDL starts anything. Two ways in which SDL, started under an X server, could
// end up drawing where nobody sees it:
//  - SDL opens the D-Bus session bus (input methods, screen-saver inhibition); where none
//    runs, libdbus "autolaunches" one through the X server: a dbus-launch racing the
//    program's own X connection and a dbus-daemon left running after every start. Where no
//    session bus is known, none is started: the show needs none.
//  - When its X11 driver cannot start, SDL quietly takes its "offscreen" one: the show (or
//    the about program) then runs with no window at all and never ends. With $DISPLAY set,
//    X11 is the driver, and a failure to reach it is said and ends the program.
void PrepareSdlEnvironment();
