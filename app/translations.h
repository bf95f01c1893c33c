#pragma once

// Installs the program's and the toolkit's catalogues for the user's language (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG). English and the C locale load none: every text stays as written.
void LoadTranslations();
