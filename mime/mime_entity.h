#pragma once
#include "mime/header_fields.h"
#include "mime/mime_parameters.h"

#include <string>
#include <vector>

// One MIME entity of a message (RFC 2045, 2046) as far as the lines given hold it.
struct TMimeEntity {
    std::vector<THeaderField> Fields;
    TParameterized Type;           // "text/plain" unless the header says otherwise
    TParameterized Disposition;    // empty Value when the header has none
    std::string Encoding;          // the transfer encoding in lower case, "7bit" when none
    std::vector<std::string> Body; // lines without their line ends; empty for a multipart
    std::vector<TMimeEntity> Parts;
    bool Complete = true; // false when the lines ended before the entity did
};

// The entity of the lines (no line ends, no POP3 dot-stuffing or terminator left). A multipart
// without its closing delimiter is read up to where the lines end, its last part incomplete;
// nesting deeper than a reader would follow is kept as the body of the innermost part.
TMimeEntity ParseEntity(const std::vector<std::string>& lines, bool complete = true);
