// Qt's own texts (message-box buttons, the open-file dialog, text-box menus) in Japanese, as
// on the system the game runs on, whatever language this system is set to.
#pragma once

// Installs Qt's Japanese translation into the running application. Where the translation is
// not installed, Qt's texts stay as they are; returns whether it was found.
bool UseJapanesePlatformTexts();
