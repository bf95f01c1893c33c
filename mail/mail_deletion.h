#pragma once

struct TMailParts;

// Deletes the selected messages on the server: one after its safety check, several after a
// warning. Runs on the user-interface thread in a POP3 session of its own.
void DeleteSelectedMail(const TMailParts& parts);
