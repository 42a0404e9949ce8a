// Every text the command line itself prints, in French.
#include "cli_texts.hpp"

#include "version.hpp"

namespace orbisk::texts {

std::string Help() {
  return "Utilisation : orbisk [OPTION]... [FICHIER]...\n"
         "Convertit des fichiers texte TI92+ (.9xt) en fichiers texte Voyager 200 (.v2t),\n"
         "et inversement ; sans FICHIER, ouvre la fenêtre de conversion.\n"
         "\n"
         "Chaque FICHIER est converti à côté de lui-même sous le même nom avec l'autre\n"
         "extension : un nom en .v2t devient un fichier TI92+ en .9xt, tout autre nom un\n"
         "fichier Voyager 200 en .v2t. Un nom sans extension reçoit « .9xt ». Un nom\n"
         "relatif est cherché d'abord dans le dossier du programme, puis dans le dossier\n"
         "courant.\n"
         "\n"
         "  -y, --yes       remplacer les fichiers cibles existants sans poser la question\n"
         "  -h, --help      afficher cette aide et quitter\n"
         "  -V, --version   afficher la version et quitter\n"
         "  --              tout ce qui suit est un nom de fichier\n"
         "\n"
         "Les messages et la question avant d'écraser une cible vont au terminal s'il y\n"
         "en a un, sinon dans des boîtes de dialogue si un affichage graphique est\n"
         "disponible ; sans l'un ni l'autre, une cible existante n'est remplacée qu'avec\n"
         "--yes.\n"
         "\n"
         "Code de sortie : 0 si tous les fichiers ont été convertis, 1 si l'un d'eux ne\n"
         "l'a pas été, 2 si la ligne de commande est incorrecte.\n";
}

std::string Version() { return std::string("orbisk ") + kOrbiskVersion + "\n"; }

std::string UnknownOption(const std::string& option) {
  return "orbisk : option inconnue « " + option + " »";
}

std::string TryHelp() { return "Essayez « orbisk --help » pour plus d'informations.\n"; }

std::string NoDisplayForWindow() {
  return "orbisk : aucun affichage graphique pour ouvrir la fenêtre ; donnez des noms de "
         "fichiers pour les convertir en ligne de commande.\n";
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

}  // namespace orbisk::texts
