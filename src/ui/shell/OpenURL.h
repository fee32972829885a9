#pragma once

#include <QString>

#include <functional>

// Hands a file, a folder, a web link or a "mailto:" link to the desktop to open. The outcome is
// never examined: a missing file or a link nobody handles leaves the program as it was.
class TMisc final {
public:
    // Callers put double quotes around file paths; they are removed here, so paths with spaces
    // reach the desktop whole.
    static void Open(const QString& target);

    // Tests only: while set, targets go to the responder instead of the desktop.
    using Responder = std::function<void(const QString& target)>;
    static void setResponder(Responder responder);
};
