#pragma once

#include <QString>

namespace tess::test {

// The link's messages as the user reads them, word for word.
inline const QString TimeoutText = QStringLiteral(
    "Error! Timeout occured. Unable to communicate with Quorex. Please verify that Serial Port is connected to "
    "Quorex.");
inline const QString NoUnitResponseText = QStringLiteral(
    "Error! Controller did not get response from Quorex(s). Please check connections and Quorex(s) Serial Mode "
    "settings.");

}  // namespace tess::test
