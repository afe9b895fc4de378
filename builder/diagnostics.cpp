#include "builder/diagnostics.h"

bool Diagnostics::hasErrors() const { return errorCount() > 0; }

int Diagnostics::errorCount() const {
    int count = 0;
    for (const Diagnostic& d : items) count += d.severity == Severity::Error;
    return count;
}

std::string formatDiagnostic(const Diagnostic& d) {
    std::string text = d.file;
    if (d.line > 0) text += ":" + std::to_string(d.line);
    text += d.severity == Severity::Error ? ": erreur : " : ": attention : ";
    if (!d.field.empty()) text += d.field + " : ";
    return text + d.message;
}
