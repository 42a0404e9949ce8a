// Everything the link piece says, in French, each failure with the next step to take.
#pragma once

#include <string>

namespace orbisk::link::texts {

// The link libraries' error `code`.
std::string LinkError(int code);
// A file, or a variable, that the transfer did not carry: the reason is LinkError's.
std::string NotSent(const std::string& file, const std::string& reason);
std::string NotReceived(const std::string& variable, const std::string& reason);
std::string NoAnswer(const std::string& reason);

std::string UnknownCable(const std::string& name);
std::string UnknownCalculator(const std::string& model);
std::string NoUsbCable();
std::string TitaniumOwnUsb();
std::string ModelNotFound();
std::string BackupNotSent(const std::string& file);
std::string CannotMove(const std::string& file, const std::string& variable, unsigned char type,
                       const std::string& model);
std::string ConvertedOnTheWay(const std::string& file, const std::string& from,
                              const std::string& to);
std::string ReplaceOnCalculator(const std::string& variable);
std::string NoSuchVariable(const std::string& variable);
std::string SeveralVariables(const std::string& name);
std::string NothingOnCalculator();
// A calculator's model as its owner knows it: "TI-89 Titanium".
std::string CalculatorName(const std::string& model);

}  // namespace orbisk::link::texts
