// Every text a conversion shows to the user, in French.
#include "messages.hpp"

#include <cerrno>
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

std::string Bytes(std::uint64_t count) {
  // French counts 0 and 1 in the singular.
  return std::to_string(count) + (count < 2 ? " octet" : " octets");
}

std::string SourceTooShort(const std::string& source, std::uint64_t size) {
  return "Impossible de convertir " + source + " : il ne fait que " + Bytes(size) +
         ", moins que les " + Bytes(kHeaderSpan) + " d'un en-tête.";
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

std::string TargetIsADanglingLink(const std::string& target) {
  return "Impossible d'écrire " + target +
         " : c'est un lien symbolique vers un fichier qui n'existe pas.";
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

// The reasons a file operation of Orbisk can meet, in French whatever the locale.
const char* FrenchReason(int error) {
  switch (error) {
    case ENOENT: return "Aucun fichier ou dossier de ce nom";
    case EACCES: return "Permission refusée";
    case EPERM: return "Opération non permise";
    case EROFS: return "Système de fichiers en lecture seule";
    case ENOSPC: return "Plus de place sur le périphérique";
    case EDQUOT: return "Quota d'espace disque dépassé";
    case EFBIG: return "Fichier trop gros";
    case EISDIR: return "C'est un dossier";
    case ENOTDIR: return "Ce n'est pas un dossier";
    case ENAMETOOLONG: return "Nom de fichier trop long";
    case ELOOP: return "Trop de niveaux de liens symboliques";
    case EIO: return "Erreur d'entrée-sortie";
    case EXDEV: return "Lien impossible entre deux systèmes de fichiers";
    case EBUSY: return "Périphérique ou ressource occupé";
    case ETXTBSY: return "Fichier exécutable en cours d'utilisation";
    case EMFILE: return "Trop de fichiers ouverts";
    case ENFILE: return "Trop de fichiers ouverts dans le système";
    case ENOMEM: return "Mémoire insuffisante";
    case EEXIST: return "Le fichier existe déjà";
    case EINVAL: return "Argument invalide";
    case EOPNOTSUPP: return "Opération non prise en charge";
    case ESTALE: return "Descripteur de fichier réseau périmé";
    case ENXIO: return "Aucun périphérique ou adresse de ce nom";
    case ENODEV: return "Aucun périphérique de ce type";
    case EAGAIN: return "Ressource temporairement indisponible";
    default: return nullptr;
  }
}

std::string Reason(int error) {
  if (const char* french = FrenchReason(error)) return french;
  char buffer[256];
  // The GNU strerror_r may return a static string instead of filling the buffer.
  return ::strerror_r(error, buffer, sizeof buffer);
}

}  // namespace orbisk::messages
