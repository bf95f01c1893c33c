#pragma once
#include <string>
#include <vector>

struct TMailParts;

// Deletes the selected messages on the server: one after its safety check, several after a
// warning. Runs on the user-interface thread in a POP3 session of its own.
void DeleteSelectedMail(const TMailParts& parts);

// Deletes the messages the rules marked (ascending numbers of the current account's rows) after
// one question that names their count, each after the same check as a selection of several.
void DeleteMarkedMail(const TMailParts& parts, const std::vector<int>& marked);
std::string MarkedQuestion(int count);
