#pragma once
// Names the whole IDE shows.
#include <QString>

namespace kelvra::ide {

inline const QString kApplicationTitle = QStringLiteral("KelvraDebugger");
// Names of new scripts: the title followed by a number.
inline const QString kNewScriptName = QStringLiteral("KelvraDebugger");
inline const QString kScriptFileFilter =
    QStringLiteral("KelvraDebugger Files (*.kelvra);;Compiled Scripts (*.bin);;All Files (*)");
inline const QString kBuildStamp = QStringLiteral("12/19/2023 11:24:29 AM");
inline const QString kVersion = QStringLiteral("1.0.45279.23767");

}  // namespace kelvra::ide
