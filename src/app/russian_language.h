#pragma once
// The program speaks Russian, Qt's own windows included: Qt's translations, and Russian as the
// default locale (dates, sizes and the descriptions of file types in the file dialogs).

// Call once, after the application object exists.
void InstallRussianLanguage();
