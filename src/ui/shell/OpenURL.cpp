#include "OpenURL.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
TMisc::Responder& responder()
{
    static TMisc::Responder value;
    return value;
}

QString unquoted(const QString& target)
{
    if (target.size() >= 2 && target.startsWith(u'"') && target.endsWith(u'"'))
        return target.mid(1, target.size() - 2);
    return target;
}

bool isLink(const QString& target)
{
    const QUrl url(target);
    return url.isValid() && url.scheme().size() > 1 && !url.isLocalFile();
}
} // namespace

void TMisc::Open(const QString& target)
{
    const QString plain = unquoted(target);
    if (responder()) {
        responder()(plain);
        return;
    }
    // A "mailto:" link carries its subject and body unencoded; QUrl's tolerant parsing encodes them.
    QDesktopServices::openUrl(isLink(plain) ? QUrl(plain, QUrl::TolerantMode) : QUrl::fromLocalFile(plain));
}

void TMisc::setResponder(Responder value)
{
    responder() = std::move(value);
}
