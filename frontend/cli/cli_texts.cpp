// Every text the command line itself prints, in French.
#include "cli_texts.hpp"

#include <cstdio>

#include "character_names.hpp"
#include "messages.hpp"
#include "options.hpp"
#include "quoting.hpp"
#include "version.hpp"

namespace orbisk::texts {

std::string Help() {
  return "Utilisation : orbisk [OPTION]... [FICHIER]...\n"
         "Convertit des fichiers texte de calculatrice entre TI92+ (.9xt), Voyager 200\n"
         "(.v2t) et TI-89 (.89t), les lit et les écrit en UTF-8, et les vérifie ; de même\n"
         "pour les programmes (.89p…) et fonctions (.89f…) ; sans FICHIER, ouvre la\n"
         "fenêtre de conversion.\n"
         "\n"
         "Conversion (sans option de mode) : chaque FICHIER est converti à côté de\n"
         "lui-même sous le même nom avec une autre extension : un nom en .v2t devient un\n"
         "fichier TI92+ en .9xt, tout autre nom un fichier Voyager 200 en .v2t, sauf avec\n"
         "--to. Un nom sans extension reçoit « .9xt ». Un nom relatif est cherché d'abord\n"
         "dans le dossier du programme, puis dans le dossier courant. Les variables des\n"
         "autres types et les groupes se convertissent de même, avec l'extension de leur\n"
         "type (prog.89p devient prog.v2p, un nom en .v2? un fichier TI92+) ; les\n"
         "programmes en assembleur, les applications Flash, les systèmes et les\n"
         "sauvegardes restent propres à leur modèle et sont refusés.\n"
         "\n"
         "Modes :\n" +
         OptionHelp(true) +
         "\n"
         "Options :\n" +
         OptionHelp(false) +
         "\n"
         "Dans le texte UTF-8, chaque ligne de la calculatrice est une ligne. Une ligne\n"
         "de commande commence par « C│ », une ligne PrintObj par « P│ », un saut de\n"
         "page par « ␌│ » ; les caractères sans dessin sont montrés par leur symbole\n"
         "(« ␉ » pour le code 9, …). Voir « man orbisk ».\n"
         "\n"
         "Les messages et la question avant d'écraser un fichier vont au terminal s'il y\n"
         "en a un, sinon, pour une conversion ou avec --notify, dans des boîtes de\n"
         "dialogue si un affichage graphique est disponible, sinon à la sortie d'erreur ;\n"
         "sans terminal ni boîte, un fichier existant n'est remplacé qu'avec --yes.\n"
         "\n"
         "Code de sortie : 0 si tout a réussi (pour --check : si tous les fichiers sont\n"
         "corrects), 1 sinon, 2 si la ligne de commande est incorrecte, 3 si --show ou\n"
         "--to-text a lu un texte abîmé aussi loin qu'il allait.\n";
}

std::string Version() { return std::string("orbisk ") + kOrbiskVersion + "\n"; }

std::string UnknownOption(const std::string& option) {
  return "orbisk : option inconnue « " + option + " »";
}

std::string MissingValue(const std::string& option) {
  return "orbisk : l'option « " + option + " » demande une valeur";
}

std::string UnknownModel(const std::string& model) {
  return "orbisk : modèle inconnu « " + model +
         " » pour --to (v200, 92p ou 89, ou une extension : v2t, 9xt, 89p…)";
}

std::string NotAGroupName(const std::string& name) {
  return "orbisk : le groupe « " + name +
         " » doit avoir l'extension d'un groupe (.89g, .9xg ou .v2g)";
}

std::string ThumbnailArguments() {
  return "orbisk : --thumbnail demande un FICHIER, l'image PNG à écrire et sa taille en "
         "pixels (de 8 à 2048)";
}

std::string UnknownType(const std::string& type) {
  return "orbisk : type inconnu « " + type + " » pour --type (prgm, func ou text)";
}

std::string UnknownEncoding(const std::string& encoding) {
  return "orbisk : encodage inconnu « " + encoding + " » pour --encoding (latin1 ou cp1252)";
}

std::string NoFileWith(const std::string& option) {
  return "orbisk : l'option « " + option + " » ne prend pas de nom de fichier";
}

std::string InvalidVariableName(const std::string& name) {
  return "orbisk : « " + name +
         " » ne peut pas nommer une variable : au plus 8 caractères, "
         "une lettre d'abord, puis des lettres, des chiffres ou « _ »";
}

std::string ConflictingOptions(const std::string& first, const std::string& second) {
  return "orbisk : les options « " + first + " » et « " + second + " » s'excluent";
}

std::string OptionOnlyWith(const std::string& option, const std::string& mode) {
  return "orbisk : l'option « " + option + " » ne va qu'avec « " + mode + " »";
}

std::string OptionOnlyWith(const std::string& option, const std::vector<std::string>& modes) {
  std::string text = OptionOnlyWith(option, modes.at(0));
  for (std::size_t i = 1; i < modes.size(); ++i) {
    text += (i + 1 == modes.size() ? " ou « " : ", « ") + modes[i] + " »";
  }
  return text;
}

std::string UnknownPort(const std::string& port) {
  return "orbisk : port inconnu « " + port + " » pour --port (de 1 à 4)";
}

std::string UnknownCalculator(const std::string& model) {
  return "orbisk : modèle inconnu « " + model + " » pour --model (89, 89t, 92p ou v200)";
}

std::string NoVariableFor(const std::string& option) {
  return "orbisk : l'option « " + option +
         " » demande au moins une variable DOSSIER\\NOM, ou --all pour toutes";
}

std::string LinkProgramMissing(const std::string& path, const std::string& reason) {
  return "orbisk : l'échange avec la calculatrice passe par le programme « " + path +
         " », qui n'a pas pu être lancé (" + reason +
         ") : installez Orbisk avec sa partie de liaison\n";
}

std::string OptionNotWith(const std::string& option, const std::string& mode) {
  return "orbisk : l'option « " + option + " » ne va pas avec « " + mode + " »";
}

std::string NoFileFor(const std::string& option) {
  return "orbisk : l'option « " + option + " » demande au moins un nom de fichier";
}

std::string TryHelp() { return "Essayez « orbisk --help » pour plus d'informations.\n"; }

std::string NoDisplayForWindow() {
  return "orbisk : aucun affichage graphique pour ouvrir la fenêtre ; donnez des noms de "
         "fichiers pour les convertir en ligne de commande.\n";
}

std::string NoDisplayForViewer() {
  return "orbisk : aucun affichage graphique pour ouvrir la fenêtre de lecture ; essayez "
         "« orbisk --show » pour lire le texte dans le terminal.\n";
}

std::string QtModuleUnavailable(const std::string& reason) {
  return "orbisk : impossible de charger l'interface graphique : " + reason + "\n";
}

std::string MissingEntries(const std::string& module) {
  return module + " : points d'entrée introuvables";
}

std::string WrongInterfaceVersion(const std::string& module, int found, int expected) {
  return module + " : version d'interface " + std::to_string(found) + " au lieu de " +
         std::to_string(expected) + " ; réinstallez Orbisk";
}

std::string OverwriteRefusedUnattended(const std::string& question) {
  return question + " Non : personne pour répondre ; utilisez --yes pour l'écraser.";
}

std::string YesNoPromptSuffix() { return " [O/n] "; }

std::string YesNoRetry() { return "Répondez « o » (oui) ou « n » (non)."; }

std::string ShowTitle(const std::string& name) { return "==> " + name + " <==\n"; }

std::string NoVariableNameFor(const std::string& path) {
  return "Impossible d'importer " + messages::QuoteName(path) +
         " : son nom ne donne pas un nom de variable (au plus "
         "8 caractères, une lettre d'abord, puis des lettres, des chiffres ou « _ ») ; "
         "donnez-en un avec --name.";
}

std::string CharacterTable() {
  std::string table = "code\tUnicode\tà écrire\tnom\n";
  for (const CharacterEntry& entry : CharacterEntries()) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", entry.code);
    table += std::string(code) + "\t" + entry.unicode + "\t" +
             (entry.written.empty() ? "—" : entry.written) + "\t" + entry.name +
             (entry.note.empty() ? "" : " (" + entry.note + ")") + "\n";
  }
  return table;
}

std::string CannotWriteOutput(int error) {
  return "orbisk : erreur d'écriture sur la sortie standard : " + messages::Reason(error) + ".\n";
}

}  // namespace orbisk::texts
