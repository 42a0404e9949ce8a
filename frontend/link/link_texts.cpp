// The link piece's words.
#include "link_texts.hpp"

#include "link_errors.hpp"
#include "message_parts.hpp"
#include "tilibs.hpp"

namespace orbisk::link::texts {

using namespace errors;

std::string LinkError(int code) {
  switch (code) {
    case ERROR_READ_TIMEOUT:
    case ERROR_WRITE_TIMEOUT:
      return "la calculatrice ne répond pas : vérifiez que le câble est bien branché des deux "
             "côtés et que la calculatrice est allumée, puis réessayez";
    case kNotReady:
    case kBusy:
      return "la calculatrice est occupée : revenez à son écran d'accueil (HOME), puis "
             "réessayez";
    case kChecksum: return "la transmission a été brouillée : vérifiez le câble, puis réessayez";
    case kInvalidCommand:
    case kInvalidPacket:
      return "la calculatrice a répondu de travers : vérifiez le câble, revenez à son écran "
             "d'accueil (HOME), puis réessayez";
    case kRejected:
      return "la calculatrice a refusé la variable : elle est peut-être verrouillée ou "
             "archivée, ou la mémoire est pleine";
    case kMissingVariable: return "la calculatrice n'a pas cette variable";
    case kAbort: return "transfert annulé";
    case kNoCable: return "aucun câble n'a pu être ouvert";
    case kUsbOpen:
    case kNeedsRoot:
      return "le câble USB n'a pas pu être ouvert : vous n'en avez sans doute pas le droit "
             "(il est donné à qui est assis devant l'ordinateur, pas à une session à "
             "distance ; « ls -l /dev/bus/usb/*/* » montre qui l'a)";
    case kSerialOpen:
    case kTtyOpen:
      return "le port série n'a pas pu être ouvert : vérifiez son numéro (--port) et que "
             "vous êtes du groupe « dialout »";
    case kCableBusy:
    case kUsbClaimed: return "le câble est déjà utilisé par un autre programme : fermez-le";
    case kEmulatorAbsent: return "aucun émulateur n'écoute sur ce câble : lancez-le d'abord";
    case kNoCableFound: return "le câble n'est pas branché";
    case kIncompleteVariable:
      return "la variable est arrivée incomplète : vérifiez le câble, puis réessayez";
    default: break;
  }
  // The library gives the calculator's own code when it knows it, and 350 alone otherwise.
  if (code == kCalculatorRefusal) return "la calculatrice a refusé la demande";
  if (code > kCalculatorRefusal && code < kCalculatorRefusal + 50) {
    return "la calculatrice a refusé (code " + std::to_string(code - kCalculatorRefusal) + ")";
  }
  // Anything else in the libraries' own words, after its number.
  std::string text = "erreur de liaison " + std::to_string(code);
  char* message = nullptr;
  if (ticables_error_get(code, &message) == 0 && message != nullptr) {
    text += " : " + std::string(message);
    ticables_error_free(message);
  } else if (message = nullptr; ticalcs_error_get(code, &message) == 0 && message != nullptr) {
    text += " : " + std::string(message);
    ticalcs_error_free(message);
  }
  return text;
}

std::string NotSent(const std::string& file, const std::string& reason) {
  return messages::parts::Q(file) + " n'a pas été envoyé : " + reason + ".";
}

std::string NotReceived(const std::string& variable, const std::string& reason) {
  return "La variable " + variable + " n'a pas été reçue : " + reason + ".";
}

std::string NoAnswer(const std::string& reason) {
  return "Impossible de parler à la calculatrice : " + reason + ".";
}

std::string UnknownCable(const std::string& name) {
  return "orbisk : câble inconnu « " + name +
         " » pour --cable (silverlink, grey, black, tiemu, vti…)";
}

std::string UnknownCalculator(const std::string& model) {
  return "orbisk : modèle inconnu « " + model + " » pour ORBISK_MODEL (89, 89t, 92p ou v200)";
}

std::string NoUsbCable() {
  return "Aucun câble USB n'est branché : branchez le câble SilverLink, ou nommez le câble "
         "série avec --cable grey ou --cable black.";
}

std::string TitaniumOwnUsb() {
  return "Une TI-89 Titanium branchée par son propre port USB n'est pas encore prise en "
         "charge : reliez-la par un câble SilverLink.";
}

std::string ModelNotFound() {
  return "Le modèle de la calculatrice n'a pas pu être reconnu : dites-le avec --model (89, "
         "89t, 92p ou v200).";
}

std::string BackupNotSent(const std::string& file) {
  return messages::parts::Q(file) +
         " est une sauvegarde de toute la mémoire, qu'Orbisk n'envoie pas : envoyez ses "
         "variables une à une.";
}

std::string CannotMove(const std::string& file, const std::string& variable, unsigned char type,
                       const std::string& model) {
  return "Impossible d'envoyer la variable " + variable + " de " + messages::parts::Q(file) +
         " à une " + model + " : c'est " + messages::parts::WhyItCannotMove(type) + ".";
}

std::string ConvertedOnTheWay(const std::string& file, const std::string& from,
                              const std::string& to) {
  return messages::parts::Q(file) + " est fait pour " + from + " : il est envoyé converti pour " +
         to + ".";
}

std::string ReplaceOnCalculator(const std::string& variable) {
  return "La calculatrice a déjà une variable " + variable + ".\nVoulez-vous la remplacer ?";
}

std::string NoSuchVariable(const std::string& variable) {
  return "La calculatrice n'a pas de variable " + variable +
         " : « orbisk --calc » liste celles qu'elle a.";
}

std::string SeveralVariables(const std::string& name) {
  return "Plusieurs dossiers de la calculatrice ont une variable « " + name +
         " » : nommez-la DOSSIER\\NOM.";
}

std::string NothingOnCalculator() { return "La calculatrice n'a aucune variable à recevoir."; }

std::string CalculatorName(const std::string& model) {
  if (model == "89t") return "TI-89 Titanium";
  if (model == "92p") return "TI-92 Plus";
  if (model == "v200") return "Voyager 200";
  return "TI-89";
}

}  // namespace orbisk::link::texts
