#pragma once
// Errors and warnings about a quiz source, all gathered before anything is
// written so that the author sees every problem in one run. Messages are
// French and UTF-8.

#include <string>
#include <vector>

enum class Severity { Error, Warning };

struct Diagnostic {
    Severity severity = Severity::Error;
    std::string file;   // as the author named it
    int line = 0;       // 0 when no line applies (a missing field)
    std::string field;  // e.g. "titre", "question 3, reponse"; may be empty
    std::string message;
};

struct Diagnostics {
    std::vector<Diagnostic> items;

    void error(const std::string& file, int line, const std::string& field, const std::string& message) {
        items.push_back({Severity::Error, file, line, field, message});
    }
    void warning(const std::string& file, int line, const std::string& field, const std::string& message) {
        items.push_back({Severity::Warning, file, line, field, message});
    }
    bool hasErrors() const;
    int errorCount() const;
};

// "quiz.toml:12: erreur : question 3, reponse : ..." (no line part when line is 0).
std::string formatDiagnostic(const Diagnostic& diagnostic);
