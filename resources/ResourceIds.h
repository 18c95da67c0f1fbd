// The resources the host reads by the ids the plug-in reports, shared by the resource script and the code.
#pragma once

// Bitmaps, 34 by 34: the plug-in's button picture, and the plug-in component's default picture.
#define IDB_PLUGIN_BUTTON 100
#define IDB_DEFAULT_PLUGIN 101

// Strings: the plug-in's description, and the plug-in component's default description.
#define IDS_DESCRIPTION 0
#define IDS_DEFAULT_DESCRIPTION 1
