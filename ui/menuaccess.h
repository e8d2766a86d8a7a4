#pragma once

// The commands of the program's menus as screen readers see them: as Qt's own, but with their shortcuts
// written as the menu shows them, in the language of the translation loaded ("Ctrl+Droite"), not in Qt's
// portable English ("Ctrl+Right"). Installed once, before the first menu opens.
void installMenuCommandAccess();
