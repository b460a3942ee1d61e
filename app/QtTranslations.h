#pragma once
// Qt's own dialogs (print, preview, page set-up, file dialogs, the standard buttons) in Korean,
// like the rest of the program, whatever the user's locale.

class QCoreApplication;

namespace ledgra {

// Installs Qt's Korean translations (Debian's qt6-translations-l10n) into the application;
// they live as long as it does. False when they are not installed: Qt's dialogs stay English.
bool InstallKoreanQtTranslations(QCoreApplication& application);

}  // namespace ledgra
