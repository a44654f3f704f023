// Font set-up done once at start-up, before any window exists.
#pragma once

// Maps the faces the dialog templates and drawing code name ("宋体"/"SimSun", "Arial") onto
// the free fonts the program installs with.
void InstallFontSubstitutions();
