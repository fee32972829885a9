#include "WorkProgress.h"

#include "Look.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>

namespace {
constexpr int kBarWidth = 260;
constexpr int kBarHeight = 14;
} // namespace

WorkProgress::WorkProgress(QLabel* line, const QString& what) : m_line(line), m_what(what)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_clock.start();
}

WorkProgress::~WorkProgress()
{
    if (m_bar) {
        delete m_bar;
        m_line->setText(m_lineBefore);
    }
    QGuiApplication::restoreOverrideCursor();
}

void WorkProgress::advance(int percent)
{
    if (!m_bar) {
        if (m_clock.elapsed() < kQuietMilliseconds)
            return;
        QWidget* statusBar = m_line->parentWidget();
        m_bar = new QProgressBar(statusBar);
        m_bar->setObjectName(QStringLiteral("barAvanzamento"));
        m_bar->setAccessibleName(m_what);
        m_bar->setTextVisible(false);
        m_bar->setRange(0, 100);
        m_bar->setStyleSheet(QStringLiteral("QProgressBar { background: white; border: 1px solid %1; border-radius: "
                                            "4px; } QProgressBar::chunk { background: %2; border-radius: 3px; }")
                                 .arg(Look::kNavy.name(), Look::kSteelBlue.name()));
        m_bar->setGeometry(statusBar->width() - kBarWidth - 10, (statusBar->height() - kBarHeight) / 2, kBarWidth,
                           kBarHeight);
        m_bar->show();
        m_lineBefore = m_line->text();
        m_line->setText(m_what);
        m_line->repaint();
    }
    m_bar->setValue(percent);
    // The work holds the event loop: the bar is drawn now or never.
    m_bar->repaint();
}
