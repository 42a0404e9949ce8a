// What each of the calculators' 256 codes is called, in French.
#include "character_names.hpp"

#include <array>
#include <cstdio>

#include "charset.hpp"

namespace orbisk {
namespace {

// The names are data, laid out by hand.
// clang-format off
// Codes 0x0E to 0x1F.
const char* const kSymbols[] = {
    "ancre", "coche", "carré noir", "petit triangle vers la gauche",
    "petit triangle vers la droite", "petit triangle vers le haut", "petit triangle vers le bas",
    "flèche vers la gauche", "flèche vers la droite", "flèche vers le haut", "flèche vers le bas",
    "triangle vers la gauche", "triangle vers la droite", "flèche épaisse vers le haut", "union",
    "intersection", "inclus dans", "appartient à"};

// The printable ASCII codes that are neither letters nor digits, from 0x20.
const char* const kPunctuation[] = {
    "espace", "point d'exclamation", "guillemet droit", "croisillon", "dollar", "pour cent",
    "esperluette", "apostrophe", "parenthèse ouvrante", "parenthèse fermante", "astérisque",
    "plus", "virgule", "trait d'union", "point", "barre oblique"};
const char* const kPunctuationAfterDigits[] = {"deux-points", "point-virgule", "inférieur à",
                                               "égal", "supérieur à", "point d'interrogation",
                                               "arobase"};
const char* const kPunctuationAfterCapitals[] = {"crochet ouvrant", "barre oblique inversée",
                                                 "crochet fermant", "accent circonflexe",
                                                 "tiret bas", "accent grave"};
const char* const kPunctuationAfterSmall[] = {"accolade ouvrante", "barre verticale",
                                              "accolade fermante", "tilde"};

// Codes 0x80 to 0x94.
const char* const kGreek[] = {"alpha", "bêta", "gamma majuscule", "gamma", "delta majuscule",
                              "delta", "epsilon", "dzêta", "thêta", "lambda", "xi",
                              "pi majuscule", "pi", "rhô", "sigma majuscule", "sigma", "tau",
                              "phi", "psi", "oméga majuscule", "oméga"};

// Codes 0x95 to 0xBF.
const char* const kSigns[] = {
    "E de l'exposant", "e, base des logarithmes naturels", "i, l'unité imaginaire",
    "r en exposant (radians)", "transposée", "x barre (moyenne)", "y barre (moyenne)",
    "inférieur ou égal", "différent de", "supérieur ou égal", "angle", "points de suspension",
    "point d'exclamation inversé", "cent", "livre", "symbole monétaire", "yen",
    "barre interrompue", "paragraphe", "racine carrée", "copyright", "ordinal féminin",
    "guillemet ouvrant", "négation", "moins", "marque déposée", "macron", "degré",
    "plus ou moins", "exposant deux", "exposant trois", "accent aigu", "micro",
    "pied-de-mouche", "point médian", "plus en exposant", "exposant un", "ordinal masculin",
    "guillemet fermant", "dérivée partielle", "intégrale", "infini",
    "point d'interrogation inversé"};

// Codes 0xC0 to 0xDF; the small letters 0xE0 to 0xFF follow the same order.
const char* const kLatin[] = {
    "A accent grave", "A accent aigu", "A accent circonflexe", "A tilde", "A tréma",
    "A rond en chef", "E dans l'A", "C cédille", "E accent grave", "E accent aigu",
    "E accent circonflexe", "E tréma", "I accent grave", "I accent aigu",
    "I accent circonflexe", "I tréma", "eth", "N tilde", "O accent grave", "O accent aigu",
    "O accent circonflexe", "O tilde", "O tréma", nullptr, "O barré", "U accent grave",
    "U accent aigu", "U accent circonflexe", "U tréma", "Y accent aigu", "thorn", nullptr};
// clang-format on

std::string Lower(std::string name) {
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

std::string NameOf(unsigned code) {
  switch (code) {
    case 0x00: return "caractère nul";
    case 0x09: return "tabulation";
    case 0x0A: return "saut de ligne dans une ligne";
    case 0x0B: return "flèche vers la droite puis vers le haut";
    case 0x0C: return "saut de page";
    case 0x0D: return "fin de ligne";
    case 0x7F: return "losange noir";
    case 0xD7: return "multiplication";
    case 0xDF: return "lettre minuscule eszett";
    case 0xF7: return "division";
    case 0xFF: return "lettre minuscule y tréma";
    default: break;
  }
  if (code < 0x0E) return "caractère de commande " + std::to_string(code);
  if (code < 0x20) return kSymbols[code - 0x0E];
  if (code < 0x30) return kPunctuation[code - 0x20];
  if (code < 0x3A) return "chiffre " + std::string(1, static_cast<char>(code));
  if (code < 0x41) return kPunctuationAfterDigits[code - 0x3A];
  if (code < 0x5B) return "lettre majuscule " + std::string(1, static_cast<char>(code));
  if (code < 0x61) return kPunctuationAfterCapitals[code - 0x5B];
  if (code < 0x7B) return "lettre minuscule " + std::string(1, static_cast<char>(code));
  if (code < 0x7F) return kPunctuationAfterSmall[code - 0x7B];
  if (code < 0x95) return std::string("lettre grecque ") + kGreek[code - 0x80];
  if (code < 0xC0) return kSigns[code - 0x95];
  if (code < 0xE0) return std::string("lettre majuscule ") + kLatin[code - 0xC0];
  return "lettre minuscule " + Lower(kLatin[code - 0xE0]);
}

}  // namespace

const std::string& CharacterName(unsigned char code) {
  static const std::array<std::string, 256> names = [] {
    std::array<std::string, 256> built;
    for (unsigned c = 0; c < 256; ++c) built[c] = NameOf(c);
    return built;
  }();
  return names[code];
}

std::vector<CharacterEntry> CharacterEntries() {
  std::vector<CharacterEntry> entries;
  for (unsigned c = 0; c < 256; ++c) {
    const auto code = static_cast<unsigned char>(c);
    CharacterEntry& entry = entries.emplace_back();
    entry.code = code;
    const std::string& utf8 = CharacterOf(code);
    for (std::size_t at = 0; at < utf8.size();) {
      char32_t point = 0;
      const std::size_t length = ReadCodePoint(utf8, at, point);
      char text[16];
      std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(point));
      entry.unicode += (at == 0 ? "" : " ") + std::string(text);
      at += length == 0 ? 1 : length;
    }
    entry.written = code == 0x0D ? std::string() : utf8;
    entry.name = CharacterName(code);
    if (code == 0x0D) {
      entry.note = "une fin de ligne du texte";
    } else if (code == 0x09) {
      entry.note = "ou une tabulation";
    } else if ((code >= 0x01 && code <= 0x08) || code == 0x0C) {
      char text[48];
      std::snprintf(text, sizeof text, "ou le caractère de contrôle U+%04X", c);
      entry.note = text;
    }
  }
  return entries;
}

}  // namespace orbisk
