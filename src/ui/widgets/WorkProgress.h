#pragma once

#include <QElapsedTimer>
#include <QString>

class QLabel;
class QProgressBar;

// How far a long piece of work has gone, in a window's status bar, for work that holds the window
// until it ends: nothing for the first second, so that quick work shows nothing at all, then a
// bar beside the status line, which says what is going on. The wait cursor shows from the start.
// Everything is as before once it goes.
class WorkProgress final {
public:
    // `line` is the window's status line; the bar goes at the right end of the line's parent.
    WorkProgress(QLabel* line, const QString& what);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // `percent` of the work is done.
    void advance(int percent);

    // How long work goes on before the bar shows.
    static constexpr qint64 kQuietMilliseconds = 1000;

private:
    QLabel* m_line;
    QString m_what;
    QString m_lineBefore;
    QProgressBar* m_bar = nullptr;
    QElapsedTimer m_clock;
};
