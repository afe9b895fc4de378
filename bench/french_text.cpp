#include "bench/french_text.h"

#include <random>

namespace {

// Accented letters as code page 1252 bytes.
const char* const Subjects[] = {
    "le ch\xE2teau de Versailles", "la cath\xE9" "drale de Chartres", "le peintre", "la reine",
    "un \xE9" "crivain c\xE9l\xE8" "bre", "le fleuve", "la capitale", "ce compositeur",
    "l'architecte", "le roi Henri IV", "la premi\xE8re femme ministre", "le navigateur",
    "cette montagne", "le mus\xE9" "e du Louvre", "la for\xEA" "t de Broc\xE9liande",
    "le chanteur", "l'\xE9quipe de France", "le savant", "la ville de Lyon", "ce po\xE8te",
    "le tableau", "la chanson", "le film", "l'\xEEle de Beaut\xE9", "le vainqueur du Tour"};

const char* const Verbs[] = {
    "a \xE9t\xE9 construit", "se trouve", "a vu le jour", "a \xE9" "crit", "a peint",
    "traverse", "domine", "a remport\xE9", "a compos\xE9", "est n\xE9", "a d\xE9" "couvert",
    "a chant\xE9", "a re\xE7u", "accueille", "a inspir\xE9", "a fond\xE9", "a r\xE9nov\xE9"};

const char* const Complements[] = {
    "au bord de la Loire", "en plein c\x9Cur de Paris", "au si\xE8" "cle des Lumi\xE8res",
    "pendant la R\xE9volution", "dans les Alpes", "pr\xE8s de la mer M\xE9" "diterran\xE9" "e",
    "apr\xE8s la guerre", "sous le r\xE8gne de Louis XIV", "\xE0 la fin du Moyen \xC2ge",
    "dans une petite ville de Bretagne", "en Provence", "au pied des Pyr\xE9n\xE9" "es",
    "\xE0 l'\xE9poque romaine", "avant l'an mil", "au d\xE9" "but du vingti\xE8me si\xE8" "cle",
    "entre Bordeaux et Toulouse", "sur les rives de la Seine", "gr\xE2" "ce \xE0 son g\xE9nie"};

const char* const Questions[] = {
    "Qui", "Quel", "Quelle", "O\xF9", "Quand", "Comment", "Pourquoi", "Combien de fois"};

const char* const Hints[] = {
    "Pensez \xE0 l'histoire de France.", "La r\xE9ponse commence par un P.",
    "C'est un nom tr\xE8s connu.", "Regardez bien l'image.", "Il y a un accent.",
    "Indice : la r\xE9ponse est dans la question.", "Ce n'est pas si difficile !",
    "Souvenez-vous de vos le\xE7ons."};

template <std::size_t N>
const char* pick(const char* const (&words)[N], std::mt19937& rng) {
    return words[rng() % N];
}

}  // namespace

std::string frenchText(std::size_t size, uint32_t seed) {
    std::mt19937 rng(seed);
    std::string text;
    while (text.size() < size) {
        switch (rng() % 4) {
        case 0:
            text += pick(Questions, rng);
            text += ' ';
            text += pick(Subjects, rng);
            text += ' ';
            text += pick(Verbs, rng);
            text += " ?|";
            break;
        case 1: {
            std::string subject = pick(Subjects, rng);
            subject[0] = char(subject[0] - ('a' - 'A'));
            text += subject + ' ' + pick(Verbs, rng) + ' ' + pick(Complements, rng) + ". ";
            break;
        }
        case 2:
            text += pick(Hints, rng);
            text += '|';
            break;
        default:
            text += "En ";
            text += std::to_string(1500 + rng() % 520);
            text += ", ";
            text += pick(Subjects, rng);
            text += ' ';
            text += pick(Verbs, rng);
            text += ' ';
            text += pick(Complements, rng);
            text += ".\r\n";
            break;
        }
    }
    text.resize(size);
    return text;
}

std::vector<uint8_t> randomBytes(std::size_t size, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> bytes(size);
    for (auto& byte : bytes) byte = uint8_t(rng());
    return bytes;
}
