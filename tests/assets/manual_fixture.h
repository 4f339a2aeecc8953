// What the manual tests share: the manual the build made and running the programs that read it.
#pragma once

#include "tests/support/programrun.h"

#include <QString>

namespace corvane::test {

inline const QString Manual = QStringLiteral(CORVANE_MANUAL_PDF);
inline const QString ManualHtml = QStringLiteral(CORVANE_MANUAL_HTML);
inline const QString ManualSource = QStringLiteral(CORVANE_MANUAL_SOURCE);

} // namespace corvane::test
