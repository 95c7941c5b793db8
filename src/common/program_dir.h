// The program directory: where settings, rules, the dictionary and the databases live.
#pragma once

#include <QString>

namespace ProgramDir {

// --home DIR when given, else $MORVANE_HOME, else the directory of the running executable.
QString resolve(const QString &homeArgument = QString());

// dir joined with a relative path written with forward slashes ("data/dict.dict").
QString file(const QString &dir, const QString &relative);

} // namespace ProgramDir
