#pragma once

#include "app/DialogWindow.h"
#include "storage/Kind.h"

// Full-screen slide show of the covers of one archive.
class SlideShowWindow : public DialogWindow {
    Q_OBJECT
public:
    SlideShowWindow(const Kind& kind, QWidget* opener);

private:
    const Kind& m_kind;
};

class TfrmSlideshow_Libri final : public SlideShowWindow {
    Q_OBJECT
public:
    explicit TfrmSlideshow_Libri(QWidget* opener = nullptr) : SlideShowWindow(Kind::libri(), opener) {}
};

class TfrmSlideshow_Fumetti final : public SlideShowWindow {
    Q_OBJECT
public:
    explicit TfrmSlideshow_Fumetti(QWidget* opener = nullptr) : SlideShowWindow(Kind::fumetti(), opener) {}
};

class TfrmSlideshow_DVD final : public SlideShowWindow {
    Q_OBJECT
public:
    explicit TfrmSlideshow_DVD(QWidget* opener = nullptr) : SlideShowWindow(Kind::dvd(), opener) {}
};
