// Every text the Qt front end shows of its own, in French.
#pragma once

#include <QString>

namespace orbisk::texts {

inline QString ApplicationTitle() { return QStringLiteral("Orbisk"); }

}  // namespace orbisk::texts
