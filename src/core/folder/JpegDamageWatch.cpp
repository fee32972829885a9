#include "JpegDamageWatch.h"

#include <QLoggingCategory>
#include <QString>

namespace {
constexpr char kJpegCategory[] = "qt.gui.imageio.jpeg";

// What the JPEG library says when picture data is missing or broken: a file or a scan that ends
// early, codes that decode to nothing, restart markers out of place, scans out of order. Its other
// warnings (stray bytes before a marker, an unknown JFIF revision, a damaged colour profile) come
// with a picture that is whole.
const char* const kDamage[] = {"Premature end of JPEG file",
                               "premature end of data segment",
                               "bad Huffman code",
                               "bad arithmetic code",
                               "instead of RST",
                               "Inconsistent progression sequence",
                               "Invalid SOS parameters"};

thread_local bool* t_damage = nullptr;
QtMessageHandler g_previousHandler = nullptr;
QLoggingCategory::CategoryFilter g_previousFilter = nullptr;

// The decoder's warnings are heard even where the logging rules silence them.
void keepJpegWarnings(QLoggingCategory* category)
{
    if (g_previousFilter)
        g_previousFilter(category);
    if (qstrcmp(category->categoryName(), kJpegCategory) == 0)
        category->setEnabled(QtWarningMsg, true);
}

void listen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (t_damage && context.category && qstrcmp(context.category, kJpegCategory) == 0) {
        for (const char* damage : kDamage)
            if (message.contains(QLatin1String(damage)))
                *t_damage = true;
        return;
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}
} // namespace

JpegDamageWatch::JpegDamageWatch()
{
    t_damage = &m_damage;
    g_previousHandler = qInstallMessageHandler(listen);
    g_previousFilter = QLoggingCategory::installFilter(keepJpegWarnings);
}

JpegDamageWatch::~JpegDamageWatch()
{
    QLoggingCategory::installFilter(g_previousFilter);
    qInstallMessageHandler(g_previousHandler);
    t_damage = nullptr;
}
