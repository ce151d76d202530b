#include "plugin/EffectIdentifier.h"

std::string effectIdentifierWithoutQuotes(const std::string& identifier)
{
    // A lone '"' is both first and last character but not a quoted text: keep it.
    if (identifier.size() >= 2 && identifier.front() == '"' && identifier.back() == '"') {
        return identifier.substr(1, identifier.size() - 2);
    }
    return identifier;
}
