#pragma once

#include "ui/settings_dlg.h"

// The settings as the last start of the program left them, in the user's configuration folder
// (tablitor/tablitor.ini); the defaults for whatever is missing or out of range.
DisplaySettings LoadSettings();
void SaveSettings(const DisplaySettings& settings);
