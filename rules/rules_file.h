#pragma once
#include "rules/mail_rules.h"

#include <string>
#include <string_view>

// "mail.rules" beside "mail.acc": UTF-8 lines, fields apart by tabs, a backslash escaping a
// backslash, tab, CR or LF inside a field; "#" starts a comment line.
//   rule <account> sender|subject|header|size contains|matches|above <value>
//   delete|highlight|ignore allow <address or domain> block <address or domain>

std::string RulesText(const TMailRules& rules);

// Reads what it can: a line it does not understand is skipped and counted in skipped (when
// given), so a damaged file loses only its damaged lines.
TMailRules ParseRulesText(std::string_view text, int* skipped = nullptr);

// Full path of "mail.rules" in the current working directory at the moment of the call.
std::string RulesFilePath();

// A missing file reads as no rules; false when the file exists but cannot be read (rules then
// empty). Files larger than any hand would write are read only in part.
bool LoadRules(TMailRules& rules, const std::string& path, int* skipped = nullptr);

// Replaces the file whole, readable by its owner only, or gives false leaving the old one.
bool SaveRules(const TMailRules& rules, const std::string& path);
