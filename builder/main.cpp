// zelto-build: makes a quiz executable from a quiz source, recovers the
// source from a quiz executable, and tries typed answers against a quiz.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "builder/console.h"
#include "builder/file_io.h"
#include "builder/quiz_build.h"
#include "builder/quiz_extract.h"
#include "builder/try_answer.h"

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;  // the quiz, the player or the output had a problem
constexpr int ExitUsage = 2;   // the command line was wrong

const char* const Usage =
    "Utilisation :\n"
    "  zelto-build QUIZ.toml -o SORTIE.exe [--player LECTEUR.exe] [--keep-originals]\n"
    "      fabrique un quiz exécutable à partir de sa source\n"
    "  zelto-build --extract QUIZ.exe -o DOSSIER\n"
    "      retrouve la source (quiz.toml) et les médias d'un quiz exécutable\n"
    "  zelto-build --try QUIZ.toml N \"texte tapé\"\n"
    "      affiche le verdict que le lecteur donnerait à ce texte pour la question N\n"
    "      (pour un quiz à deux réponses : un verdict par case)\n"
    "  zelto-build --help | --version\n"
    "\n"
    "Options :\n"
    "  -o, --output CHEMIN   fichier ou dossier à écrire\n"
    "  --player CHEMIN       lecteur à copier (par défaut : zelto.exe à côté de\n"
    "                        zelto-build, sinon dist/zelto.exe)\n"
    "  --keep-originals      garde les images telles quelles au lieu de les réduire\n"
    "                        à la taille affichée (260 x 260 au plus)\n"
    "\n"
    "Le format des quiz est décrit dans docs/guide-auteur.md.\n";

struct Command {
    enum class Mode { Build, Extract, Try, Help, Version } mode = Mode::Build;
    std::vector<std::string> positional;
    std::string output;
    std::string player;
    bool keepOriginals = false;
};

int usageError(const std::string& message) {
    printError("zelto-build : " + message + "\n(zelto-build --help pour l'aide)\n");
    return ExitUsage;
}

// Returns an empty string when the command line is fine, else the problem.
std::string parseCommand(const std::vector<std::string>& args, Command& command) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            command.mode = Command::Mode::Help;
        } else if (a == "--version" || a == "-V") {
            command.mode = Command::Mode::Version;
        } else if (a == "--extract") {
            command.mode = Command::Mode::Extract;
        } else if (a == "--try") {
            command.mode = Command::Mode::Try;
        } else if (a == "-o" || a == "--output") {
            if (!value(command.output)) return "il manque le chemin après " + a;
        } else if (a == "--player") {
            if (!value(command.player)) return "il manque le chemin après --player";
        } else if (a == "--keep-originals") {
            command.keepOriginals = true;
        } else if (a.size() > 1 && a[0] == '-' && command.mode != Command::Mode::Try) {
            return "option inconnue : " + a;
        } else {
            command.positional.push_back(a);
        }
    }
    return {};
}

std::string defaultPlayer() {
    std::string folder = executableFolder();
    if (!folder.empty()) {
        std::filesystem::path beside = pathFromUtf8(folder) / "zelto.exe";
        std::error_code ec;
        if (std::filesystem::is_regular_file(beside, ec)) return pathToUtf8(beside);
    }
    return "dist/zelto.exe";
}

// In the order of the file; problems without a line (a missing field, a
// size) come first.
void printDiagnostics(const Diagnostics& diagnostics) {
    std::vector<Diagnostic> sorted = diagnostics.items;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    for (const Diagnostic& d : sorted) printError(formatDiagnostic(d) + "\n");
}

int runBuild(const Command& command) {
    if (command.positional.size() != 1) return usageError("indiquez un seul fichier de quiz");
    if (command.output.empty()) return usageError("indiquez le fichier à écrire avec -o SORTIE.exe");
    BuildRequest request;
    request.sourceName = command.positional[0];
    request.source = pathFromUtf8(command.positional[0]);
    request.output = pathFromUtf8(command.output);
    request.player = pathFromUtf8(command.player.empty() ? defaultPlayer() : command.player);
    request.media.keepOriginals = command.keepOriginals;

    BuildOutcome outcome = buildQuiz(request);
    printDiagnostics(outcome.diagnostics);
    if (!outcome.failure.empty()) printError("zelto-build : " + outcome.failure + "\n");
    if (!outcome.written) {
        int errors = outcome.diagnostics.errorCount();
        if (errors)
            printError(std::to_string(errors) + (errors == 1 ? " erreur" : " erreurs") + " : rien n'a été écrit.\n");
        else if (outcome.failure.empty())
            printError("zelto-build : rien n'a été écrit.\n");
        return ExitFailed;
    }
    std::string summary = command.output + " : " + std::to_string(outcome.questionCount) + " questions, " +
                          std::to_string(outcome.outputSize) + " octets";
    if (outcome.picturesFitted)
        summary += ", " + std::to_string(outcome.picturesFitted) + " image(s) réduite(s) à la taille affichée";
    printOut(summary + "\n");
    return ExitOk;
}

int runExtract(const Command& command) {
    if (command.positional.size() != 1) return usageError("indiquez un seul quiz exécutable à extraire");
    if (command.output.empty()) return usageError("indiquez le dossier à écrire avec -o DOSSIER");
    std::vector<uint8_t> executable;
    if (!readFileBytes(pathFromUtf8(command.positional[0]), executable)) {
        printError("zelto-build : " + command.positional[0] + " : fichier introuvable ou illisible\n");
        return ExitFailed;
    }
    ExtractedQuiz quiz;
    std::string reason;
    if (!extractQuiz(executable, quiz, reason) || !writeExtractedQuiz(quiz, pathFromUtf8(command.output), reason)) {
        printError("zelto-build : " + command.positional[0] + " : " + reason + "\n");
        return ExitFailed;
    }
    printOut(command.output + " : " + std::to_string(quiz.files.size()) + " fichier(s) écrit(s), dont " +
             ExtractedSourceName + "\n");
    return ExitOk;
}

int runTry(const Command& command) {
    if (command.positional.size() != 3)
        return usageError("--try attend QUIZ.toml, un numéro de question et le texte tapé");
    char* end = nullptr;
    long number = std::strtol(command.positional[1].c_str(), &end, 10);
    if (command.positional[1].empty() || *end != '\0')
        return usageError("numéro de question invalide : " + command.positional[1]);
    Diagnostics diagnostics;
    std::filesystem::path file = pathFromUtf8(command.positional[0]);
    QuizSource source = readQuizSource(file, command.positional[0], diagnostics);
    if (diagnostics.hasErrors()) {
        printDiagnostics(diagnostics);
        return ExitFailed;
    }
    std::vector<std::string> verdicts;
    std::string reason;
    if (!tryAnswer(source, static_cast<int>(number), command.positional[2], verdicts, reason)) {
        printError("zelto-build : " + reason + "\n");
        return ExitFailed;
    }
    if (verdicts.size() == 1) {
        printOut(verdicts[0] + "\n");
    } else {
        for (std::size_t i = 0; i < verdicts.size(); ++i)
            printOut("case " + std::to_string(i + 1) + " : " + verdicts[i] + "\n");
    }
    return ExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args = commandLineArguments(argc, argv);
    Command command;
    if (args.empty()) return usageError("aucun fichier de quiz indiqué");
    std::string problem = parseCommand(args, command);
    if (!problem.empty()) return usageError(problem);
    switch (command.mode) {
    case Command::Mode::Help: printOut(Usage); return ExitOk;
    case Command::Mode::Version: printOut("zelto-build " ZELTO_VERSION "\n"); return ExitOk;
    case Command::Mode::Extract: return runExtract(command);
    case Command::Mode::Try: return runTry(command);
    case Command::Mode::Build: break;
    }
    return runBuild(command);
}
