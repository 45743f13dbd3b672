// Numbers of the program's resources, shared by the resource script and the code. Plain
// macros: the resource compiler reads this file too.
#pragma once

#define ORV_CONFIG_DIALOG 2003  // the configure dialog
#define ORV_SAVER_NAME 1        // string: the screen saver's name in the system's list
#define ORV_ICON_GROUP 101      // the only icon (its image is icon 1)
