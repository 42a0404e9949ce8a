// Every text a conversion shows to the user, in French.
#include "messages.hpp"

#include <cstring>

#include "header.hpp"

namespace orbisk::messages {

std::string MissingSource(const std::string& source) {
  return "Le fichier " + source + " n'existe pas";
}

std::string OverwriteQuestion(const std::string& target) {
  return target + " existe déjà. Voulez-vous l'écraser ?";
}

std::string CannotAccess(const std::string& path, int error) {
  return "Impossible d'accéder à " + path + " : " + Reason(error) + ".";
}

std::string SourceNotAFile(const std::string& source) {
  return "Impossible de convertir " + source +
         " : ce n'est pas un fichier (dossier, tube ou périphérique).";
}

std::string SourceTooShort(const std::string& source, std::uint64_t size) {
  return "Impossible de convertir " + source + " : il ne fait que " + std::to_string(size) +
         " octets, moins que les " + std::to_string(kHeaderSpan) + " octets d'un en-tête.";
}

std::string SourceChangedWhileReading(const std::string& source) {
  return "Impossible de lire le fichier " + source + " : il a raccourci pendant la conversion.";
}

std::string TargetIsAFolder(const std::string& target) {
  return "Impossible d'écrire " + target + " : c'est un dossier.";
}

std::string TargetNotAFile(const std::string& target) {
  return "Impossible d'écrire " + target + " : ce n'est pas un fichier ordinaire.";
}

std::string CannotOpen(const std::string& path, int error) {
  return "Impossible d'ouvrir le fichier " + path + " : " + Reason(error) + ".";
}

std::string CannotRead(const std::string& path, int error) {
  return "Impossible de lire le fichier " + path + " : " + Reason(error) + ".";
}

std::string CannotWrite(const std::string& path, int error) {
  return "Impossible d'écrire le fichier " + path + " : " + Reason(error) + ".";
}

std::string CannotReplace(const std::string& target, int error) {
  return "Impossible de remplacer le fichier " + target + " : " + Reason(error) + ".";
}

std::string TemporaryLeftBehind(const std::string& temporary, int error) {
  return "Le fichier temporaire " + temporary + " n'a pas pu être supprimé : " + Reason(error) +
         ".";
}

std::string Reason(int error) {
  char buffer[256];
  // The GNU strerror_r may return a static string instead of filling the buffer.
  return ::strerror_r(error, buffer, sizeof buffer);
}

}  // namespace orbisk::messages
