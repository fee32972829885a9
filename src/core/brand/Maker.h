#pragma once

#include <QString>

// Who makes the program and where to reach them: the about, information and start windows.
namespace Maker {

inline const QString kName = QStringLiteral("Cartavox Software");
inline const QString kWebSite = QStringLiteral("https://www.cartavox.it");
inline const QString kWebSiteShown = QStringLiteral("www.cartavox.it");
inline const QString kEmail = QStringLiteral("info@cartavox.it");

} // namespace Maker
